#include "TfrmPlanning.h"

namespace rf {

TfrmPlanning::TfrmPlanning(Context& context, QWidget* parent)
    : WorkWindow(context, QStringLiteral("frmPlanning"), QString(), parent)
{
}

} // namespace rf
