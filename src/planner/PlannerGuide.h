#pragma once

#include <QString>
#include <QStringList>

// The planner area's help text, shown in its guide window and collected in the help document.
namespace rf::Guide {

inline const QString PlannerTitle = QStringLiteral("App Planner Prenotazioni");

QStringList plannerParagraphs(); // 7 paragraphs

} // namespace rf::Guide
