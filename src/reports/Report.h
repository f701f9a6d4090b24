#pragma once

#include "Units.h"

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace rf::Reports {

struct Font {
    QString family = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;
    bool italic = false;
};

// Arial at the given size: the font of every document.
inline Font arial(double points, bool bold = false)
{
    return Font{QStringLiteral("Arial"), points, bold};
}

// A rectangle given in millimetres, in engine units.
inline QRectF mmRect(double left, double top, double width, double height)
{
    return QRectF(mm(left), mm(top), mm(width), mm(height));
}

enum class Kind { Text, Picture, Shape, Line };

// One named object of a template. Its rectangle is in engine units, measured from the top left
// of the printable area of its page, or of its band for objects inside a band. A line runs from
// the rectangle's top left to its bottom right.
struct Object {
    QString name;
    Kind kind = Kind::Text;
    QRectF rect;

    // Text: one entry per line as filled; word wrap breaks long entries inside the width, otherwise
    // a line longer than the object is cut at its edge.
    QStringList lines;
    Font font;
    QColor colour = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    bool expressions = false; // "[DATE]" becomes the date of printing
    double padding = 0;       // inner margin of the text, units

    // Text and shapes.
    QColor fill = Qt::transparent;
    QColor frame = Qt::transparent;
    double frameWidth = 0; // units; also the width of a line

    // Picture: fitted into the rectangle with its proportions kept, centred. A crisp picture is
    // scaled without smoothing, so the edges of a printed code stay sharp.
    QImage picture;
    bool crisp = false;
};

enum class BandType { Title, MasterData, Footer };

// text made fit to name a file on any system: each character Windows forbids in a name (the
// slashes, colon, asterisk, question mark, quotes, angle brackets, vertical bar, control
// characters) becomes a blank, runs of blanks become one, and blanks and dots at either end go.
QString safeFileName(const QString& text);

// A horizontal strip of a list page. The title prints once at the top, the data band follows and
// may split across pages, the footer prints once after the data.
struct Band {
    QString name;
    BandType type = BandType::MasterData;
    double top = 0; // units below the printable top, for the first band on the first page
    double height = 0;
    std::vector<Object> objects;
};

struct Page {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
    std::vector<Object> objects;
    std::vector<Band> bands;

    // Paper and printable sizes in units (always A4).
    QSizeF paperSize() const;
    QRectF printableRect() const;
};

// A template as plain values: a name, pages, named objects. Filling it by name records an error
// for an unknown name or an object of the wrong kind; a report with errors cannot be prepared.
class Report {
public:
    explicit Report(QString name = {});

    const QString& name() const { return m_name; }
    // The name a copy saved from the preview is offered under, without extension, saying what the
    // document is about ("Contratto n. 12 Rossi Mario"); the report's own name when none is given.
    // Characters a file name cannot hold are replaced.
    void setFileName(const QString& fileName);
    QString fileName() const { return m_fileName.isEmpty() ? safeFileName(m_name) : m_fileName; }
    std::vector<Page>& pages() { return m_pages; }
    const std::vector<Page>& pages() const { return m_pages; }
    Page& addPage(QPageLayout::Orientation orientation, const QMarginsF& marginsMm);

    // Builders used by the templates; they add to the last page (or its last band).
    Object& addText(const QString& name, const QRectF& rect, const QString& text, const Font& font,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    Object& addPicture(const QString& name, const QRectF& rect, const QImage& picture = {});
    Object& addShape(const QString& name, const QRectF& rect, const QColor& fill, const QColor& frame,
                     double frameWidth = 1);
    Object& addLine(const QString& name, const QPointF& from, const QPointF& to, double width = 1);
    Band& addBand(const QString& name, BandType type, double top, double height);

    // Filling by name.
    bool setText(const QString& name, const QString& text);
    bool clearLines(const QString& name);
    bool appendLine(const QString& name, const QString& line);
    bool setPicture(const QString& name, const QImage& picture);
    bool setHeight(const QString& objectOrBand, double units);
    void setOrientation(QPageLayout::Orientation orientation);

    const QStringList& errors() const { return m_errors; }
    const Object* find(const QString& name) const;
    const Band* findBand(const QString& name) const;

private:
    Object& add(Object object);
    Object* findObject(const QString& name, Kind kind);

    QString m_name;
    QString m_fileName;
    std::vector<Page> m_pages;
    QStringList m_errors;
    bool m_addingToBand = false;
};

} // namespace rf::Reports
