#pragma once

#include "reports/Layout.h"
#include "reports/Units.h"

#include <QRectF>
#include <QString>
#include <QTest>

#include <cmath>

namespace rf::test {

// Checks that the named item of a laid-out page stands at the given rectangle, in millimetres from
// the top left of a printable area with 10 mm margins, within tolerance engine units.
inline void verifyPlacedMm(const report::LaidOutPage& page, const QString& name, const QRectF& mmRect,
                           double tolerance)
{
    const report::Item* item = page.find(name);
    QVERIFY2(item, qPrintable(name));
    const QRectF expected(report::mm(10 + mmRect.left()), report::mm(10 + mmRect.top()),
                          report::mm(mmRect.width()), report::mm(mmRect.height()));
    const QRectF& at = item->rect;
    QVERIFY2(std::abs(at.left() - expected.left()) < tolerance &&
                 std::abs(at.top() - expected.top()) < tolerance &&
                 std::abs(at.width() - expected.width()) < tolerance &&
                 std::abs(at.height() - expected.height()) < tolerance,
             qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 mm")
                            .arg(name)
                            .arg(report::toMm(at.left()) - 10)
                            .arg(report::toMm(at.top()) - 10)
                            .arg(report::toMm(at.width()))
                            .arg(report::toMm(at.height()))));
}

} // namespace rf::test
