#pragma once

#include <QString>
#include <QStringList>

// The help texts shown in the guide window and collected in the help document.
namespace rf::Guide {

inline const QString LauncherTitle = QStringLiteral("Uno sguardo a Rotaflux");
inline const QString FleetTitle = QStringLiteral("App Flotta Bici");
inline const QString ContractsTitle = QStringLiteral("App Contratti di Noleggio");
inline const QString PlannerTitle = QStringLiteral("App Planner Prenotazioni");

QStringList fleetParagraphs();     // 11 paragraphs
QStringList plannerParagraphs();   // 7 paragraphs
QStringList contractsParagraphs(); // 10 paragraphs
// 33 paragraphs: an introduction, the fleet, planner and contracts paragraphs in that order, then
// network use, USB use and backup, the access password and a closing paragraph.
QStringList launcherParagraphs();

// Paragraphs separated by one blank line (CR LF CR LF), nothing after the last one.
QString join(const QStringList& paragraphs);

} // namespace rf::Guide
