#pragma once

#include <QString>
#include <QStringList>

// The fleet area's help text, shown in its guide window and collected in the help document.
namespace rf::Guide {

inline const QString FleetTitle = QStringLiteral("App Flotta Bici");

QStringList fleetParagraphs(); // 11 paragraphs

// The export window's topic: three paragraphs.
inline const QString FleetExportTitle = QStringLiteral("Esportazione archivio veicoli in Excel");
QStringList fleetExportParagraphs();

} // namespace rf::Guide
