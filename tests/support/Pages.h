#pragma once

#include "reports/Layout.h"
#include "reports/Units.h"

#include <QRectF>
#include <QString>
#include <QTest>

#include <cmath>

namespace rf::Test {

// Checks that the named item of a laid-out page stands at the given rectangle, in millimetres from
// the top left of a printable area with 10 mm margins, within tolerance engine units.
inline void verifyPlacedMm(const Reports::LaidOutPage& page, const QString& name, const QRectF& mmRect,
                           double tolerance)
{
    const Reports::Item* item = page.find(name);
    QVERIFY2(item, qPrintable(name));
    const QRectF expected(Reports::mm(10 + mmRect.left()), Reports::mm(10 + mmRect.top()),
                          Reports::mm(mmRect.width()), Reports::mm(mmRect.height()));
    const QRectF& at = item->rect;
    QVERIFY2(std::abs(at.left() - expected.left()) < tolerance &&
                 std::abs(at.top() - expected.top()) < tolerance &&
                 std::abs(at.width() - expected.width()) < tolerance &&
                 std::abs(at.height() - expected.height()) < tolerance,
             qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 mm")
                            .arg(name)
                            .arg(Reports::toMm(at.left()) - 10)
                            .arg(Reports::toMm(at.top()) - 10)
                            .arg(Reports::toMm(at.width()))
                            .arg(Reports::toMm(at.height()))));
}

} // namespace rf::Test
