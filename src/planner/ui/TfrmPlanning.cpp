#include "TfrmPlanning.h"

TfrmPlanning::TfrmPlanning(rf::Context& context, QWidget* parent)
    : rf::WorkWindow(context, QStringLiteral("frmPlanning"), QString(), parent)
{
}
