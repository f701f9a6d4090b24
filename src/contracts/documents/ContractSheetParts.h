#pragma once

#include "reports/Report.h"
#include "reports/Units.h"

#include <QRgb>

#include <vector>

namespace rf::Reports {

// The contract's prefix for a field: the text printed before its value, and alone on an empty
// form ("Cognome e nome:  " for "Cliente"); empty for a field printed without one. The front's
// table of value objects (ContractFront.cpp) is the one place the prefixes are written; every
// contract document reads them through here.
QString contractPrefix(const QString& field);

// Pieces of the contract's printed documents (the front and the vehicle condition sheet): A4
// pages drawn in millimetres, with coloured bands heading framed boxes of values.
namespace Sheet {

inline constexpr QRgb LightSteelBlue = 0xFFB0C4DE;
inline constexpr QRgb Lavender = 0xFFE6E6FA;
inline constexpr QRgb Gold = 0xFFFFD700;
inline constexpr double ThinLine = mm(0.2); // frames, bands and rulings
inline constexpr double SignatureLine = mm(0.3);

// A rectangle in millimetres from the top left of the printable area.
struct Mm {
    double left, top, width, height;
    QRectF units() const { return QRectF(mm(left), mm(top), mm(width), mm(height)); }
};

// A value object: named "txt" + field, printing the field's contract prefix followed by its
// trimmed value, on one line vertically centred.
struct ValueField {
    const char* field;
    Mm rect;
    double points;
    bool bold;
    bool centred;
};

// A coloured band with its heading above a framed box; a ruled box gets a line between its rows of
// value objects and between the cells of each row.
struct Section {
    const char* name;
    const char* heading;
    Mm band;
    Mm box;
    QRgb fill;
    bool ruled;
};

// A rectangle with a thin black frame.
void addFramedBox(Report& report, const QString& name, const Mm& rect, const QColor& fill);

// A text that is part of the form, never filled.
Object& addFixedText(Report& report, const char* name, const Mm& rect, const char* text, const Font& font,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// The band "tit" + name, the box "shp" + name and, for a ruled section, its lines "lin" + name +
// "01", "02"...: first the lines between rows, then those between cells, row by row. cells are the
// rectangles (units) of the page's value objects; those centred in the box are its cells.
void addSection(Report& report, const Section& section, const std::vector<QRectF>& cells);

QString valueObjectName(const ValueField& field);

// The value object printing its bare prefix, as an empty form does.
void addValueObject(Report& report, const ValueField& field);

// Sets the value object's text: the prefix followed by the trimmed value.
void fillValueObject(Report& report, const ValueField& field, const QString& value);

// "FIRMA DEL LOCATORE" on the left and "FIRMA DEL CLIENTE" on the right, headingTop mm down, each
// over a 78 mm line at lineY mm to sign on.
void addSignatures(Report& report, double headingTop, double lineY);

} // namespace Sheet
} // namespace rf::Reports
