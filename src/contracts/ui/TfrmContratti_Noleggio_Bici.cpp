#include "TfrmContratti_Noleggio_Bici.h"

TfrmContratti_Noleggio_Bici::TfrmContratti_Noleggio_Bici(rf::Context& context, QWidget* parent)
    : rf::WorkWindow(context, QStringLiteral("frmContratti_Noleggio_Bici"),
                     QStringLiteral(" Rotaflux - Contratti di Noleggio Biciclette"), parent)
{
}
