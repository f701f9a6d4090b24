#pragma once

#include <QString>
#include <QStringList>

// The contracts area's help text, shown in its guide window and collected in the help document.
namespace rf::Guide {

inline const QString ContractsTitle = QStringLiteral("App Contratti di Noleggio");

QStringList contractsParagraphs(); // 10 paragraphs

// The export window's topic: three paragraphs.
inline const QString ContractsExportTitle =
    QStringLiteral("Esportazione archivio contratti noleggio biciclette in Excel");
QStringList contractsExportParagraphs();

} // namespace rf::Guide
