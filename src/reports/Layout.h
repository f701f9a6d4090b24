#pragma once

#include "Report.h"

#include <QDate>

#include <vector>

namespace rf::Reports {

// One line of text as placed on the page.
struct PlacedLine {
    QString text;
    QRectF rect; // units from the paper's top left corner
};

// An object as it stands on a finished page: absolute geometry, text broken into lines,
// expressions resolved. Nothing here depends on the output device.
struct Item {
    QString name;
    Kind kind = Kind::Text;
    QRectF rect; // units from the paper's top left corner; a line runs from top left to bottom right
    std::vector<PlacedLine> lines;
    QRectF textArea; // the rectangle less its inner margins: text is cut at its edges
    Font font;
    QColor colour = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor fill = Qt::transparent;
    QColor frame = Qt::transparent;
    double frameWidth = 0;
    QImage picture;
    bool crisp = false;
    QRectF pictureRect; // the picture fitted into rect, proportions kept, centred

    QString text() const; // the lines joined by "\n"
};

struct LaidOutPage {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSizeF paper; // units
    std::vector<Item> items;

    const Item* find(const QString& name) const;
};

struct Document {
    QString name;
    QString fileName; // the name a saved copy is offered under, without extension
    std::vector<LaidOutPage> pages;
};

struct Prepared {
    bool ok = false;
    QString error;
    Document document;
};

// Lays out a filled report: fails when filling it recorded an error. today resolves "[DATE]".
Prepared prepare(const Report& report, const QDate& today);

// Text geometry at the engine's own resolution (96 units an inch), shared by layout and tests.
double lineHeight(const Font& font);
double textWidth(const Font& font, const QString& text);
// text as a line of at most width units: whole when it fits, else cut with "…".
QString elidedText(const Font& font, const QString& text, double width);

} // namespace rf::Reports
