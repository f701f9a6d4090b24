#include "TfrmAutoparco.h"

TfrmAutoparco::TfrmAutoparco(rf::Context& context, QWidget* parent)
    : rf::WorkWindow(context, QStringLiteral("frmAutoparco"), QStringLiteral(" Rotaflux - Flotta Bici"), parent)
{
}
