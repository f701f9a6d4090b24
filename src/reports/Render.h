#pragma once

#include "Layout.h"

class QPagedPaintDevice;
class QPainter;

namespace rf::Reports {

// Draws one laid-out page. The painter's device may be a screen, a printer, a PDF or an image;
// its resolution decides the scale. The painter is left as it was found.
void paintPage(QPainter& painter, const LaidOutPage& page);

// Renders every page onto a paged device (printer or PDF writer), each with its own orientation.
bool renderDocument(QPagedPaintDevice& device, const Document& document);

// Writes the document as a PDF file, whole or not at all.
bool writePdf(const Document& document, const QString& path);

// A page as a picture, for looking at it on screen.
QImage renderPageImage(const LaidOutPage& page, double dotsPerInch);

} // namespace rf::Reports
