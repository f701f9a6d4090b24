#pragma once

#include "contracts/ContractsGuide.h"
#include "fleet/FleetGuide.h"
#include "planner/PlannerGuide.h"

#include <QString>
#include <QStringList>

// The launcher's help text: the whole program, shown in its guide window and collected in the
// help document together with each area's own text.
namespace rf::Guide {

inline const QString LauncherTitle = QStringLiteral("Uno sguardo a Rotaflux");

// 33 paragraphs: an introduction, the fleet, planner and contracts paragraphs in that order, then
// network use, USB use and backup, the access password and a closing paragraph.
QStringList launcherParagraphs();

} // namespace rf::Guide
