#include "fleet/documents/LabelSheet.h"
#include "fleet/VehicleCodes.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/TestMain.h"

#include <QFile>
#include <QTest>

using namespace rf;
using namespace rf::Reports;
using namespace rf::Test;

namespace {

const QDate Today(2024, 3, 5);

std::vector<LabelVehicle> numbered(int count)
{
    std::vector<LabelVehicle> vehicles;
    for (int i = 1; i <= count; ++i)
        vehicles.push_back({QStringLiteral("%1").arg(i), QStringLiteral("Atala City")});
    return vehicles;
}

bool onlyBlackAndWhite(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] != 0 && line[x] != 255)
                return false;
        }
    }
    return true;
}

// The part of a page rendered at dotsPerInch under an item's rectangle.
QImage under(const QImage& page, const Item& item, double dotsPerInch)
{
    const double scale = dotsPerInch / UnitsPerInch;
    const QRectF r(item.rect.topLeft() * scale, item.rect.size() * scale);
    return page.copy(r.toAlignedRect());
}

} // namespace

class LabelSheetTest : public QObject {
    Q_OBJECT
private slots:
    // A number reads back from its codes as it was given, trimmed; one no code of that kind can
    // carry gives no picture.
    void codesReadBackTheirNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("qr");
        QTest::addColumn<bool>("bars");
        QTest::newRow("digits") << "12" << true << true;
        QTest::newRow("letters, dash, blanks around") << " MTB-2024-07 " << true << true;
        QTest::newRow("thirty characters") << QStringLiteral("A").repeated(30) << true << true;
        QTest::newRow("accented: no Code 128") << QStringLiteral("Città 3") << true << false;
        QTest::newRow("outside Windows-1252") << QStringLiteral("Č 3") << false << false;
        QTest::newRow("blank") << "   " << false << false;
        QTest::newRow("thirty-one characters") << QStringLiteral("A").repeated(31) << false << false;
    }
    void codesReadBackTheirNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, qr);
        QFETCH(bool, bars);
        const QImage square = Fleet::qrCode(number, 300);
        const QImage linear = Fleet::code128(number, QSize(1200, 150));
        QCOMPARE(!square.isNull(), qr);
        QCOMPARE(!linear.isNull(), bars);
        const QStringList expected{number.trimmed()};
        if (qr) {
            QCOMPARE(square.width(), square.height());
            QVERIFY(square.width() <= 300 && square.width() > 150); // whole pixels a module, near the size
            QVERIFY(onlyBlackAndWhite(square));
            QCOMPARE(Fleet::readCodes(square, Fleet::CodeKind::Qr), expected);
        }
        if (bars) {
            QVERIFY(linear.width() <= 1200 && linear.height() == 150);
            QVERIFY(onlyBlackAndWhite(linear));
            QCOMPARE(Fleet::readCodes(linear, Fleet::CodeKind::Code128), expected);
        }
    }

    // Labels fill the sheet row by row from its top left corner, 70 x 37 mm each, and go on to a
    // new sheet after 24; each carries its codes and texts at the same place.
    void labelsFillTheSheetRowByRow_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("page");
        QTest::addColumn<QPointF>("cornerMm"); // of the label on its page
        QTest::newRow("first") << 1 << 0 << QPointF(0, 0.5);
        QTest::newRow("third, last of the first row") << 3 << 0 << QPointF(140, 0.5);
        QTest::newRow("fifth, second row middle") << 5 << 0 << QPointF(70, 37.5);
        QTest::newRow("24th, bottom right") << 24 << 0 << QPointF(140, 259.5);
        QTest::newRow("25th, new sheet") << 25 << 1 << QPointF(0, 0.5);
        QTest::newRow("30th") << 30 << 1 << QPointF(140, 37.5);
    }
    void labelsFillTheSheetRowByRow()
    {
        QFETCH(int, index);
        QFETCH(int, page);
        QFETCH(QPointF, cornerMm);
        const Prepared prepared = prepare(labelSheet(numbered(30)), Today);
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        QCOMPARE(prepared.document.pages.size(), std::size_t(2));
        const LaidOutPage& sheet = prepared.document.pages[std::size_t(page)];
        QCOMPARE(sheet.orientation, QPageLayout::Portrait);
        auto at = [&](const char* kind) {
            const Item* item = sheet.find(labelObjectName(kind, index));
            return item ? QRectF(toMm(item->rect.x()), toMm(item->rect.y()), toMm(item->rect.width()),
                                 toMm(item->rect.height()))
                        : QRectF();
        };
        auto near = [](const QRectF& a, const QRectF& b) {
            return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6 &&
                   std::abs(a.width() - b.width()) < 1e-6 && std::abs(a.height() - b.height()) < 1e-6;
        };
        QVERIFY(near(at("imgQR"), QRectF(cornerMm + QPointF(3, 6), QSizeF(25, 25))));
        QVERIFY(near(at("imgCodice"), QRectF(cornerMm + QPointF(30, 5), QSizeF(37, 13))));
        const double rounding = 1e-6; // millimetres to units and back
        QVERIFY(at("txtBici").top() + rounding >= at("imgCodice").bottom());
        QVERIFY(at("txtMarca").top() + rounding >= at("txtBici").bottom());
        QVERIFY(at("txtMarca").bottom() <= cornerMm.y() + LabelHeightMm + rounding);
        QCOMPARE(sheet.find(labelObjectName("txtBici", index))->text(),
                 QStringLiteral("Bici n. %1").arg(index));
        QCOMPARE(sheet.find(labelObjectName("txtMarca", index))->text(), QStringLiteral("Atala City"));
    }

    // The sheet as printed, at 300 dots an inch: every label's QR code and bar code read back to
    // that label's own number.
    void everyLabelOnThePrintedSheetReadsBackItsNumber()
    {
        std::vector<LabelVehicle> vehicles = numbered(LabelsPerSheet);
        vehicles[4].number = QStringLiteral("B-07");
        vehicles[10] = {QStringLiteral("MTB-2024-15"), QStringLiteral("Bianchi Spillo Elettrica")};
        vehicles[23].number = QStringLiteral("E-bike 100");
        const Prepared prepared = prepare(labelSheet(vehicles), Today);
        QVERIFY(prepared.ok);
        QCOMPARE(prepared.document.pages.size(), std::size_t(1));
        constexpr double Dpi = 300;
        const LaidOutPage& sheet = prepared.document.pages.front();
        const QImage page = renderPageImage(sheet, Dpi);
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            const int index = int(i) + 1;
            const QStringList expected{vehicles[i].number};
            QCOMPARE(Fleet::readCodes(under(page, *sheet.find(labelObjectName("imgQR", index)), Dpi),
                                      Fleet::CodeKind::Qr),
                     expected);
            QCOMPARE(Fleet::readCodes(under(page, *sheet.find(labelObjectName("imgCodice", index)), Dpi),
                                      Fleet::CodeKind::Code128),
                     expected);
        }
    }

    // The fleet's numbered cards, in the order a shop counts them; no archive, no labels and no file.
    void fleetLabelsComeInNumberOrder()
    {
        FakeContext fake;
        const QString archive = fake.file(QStringLiteral("Parco_Veicoli.pro"));
        const std::optional<std::vector<LabelVehicle>> none = fleetLabels(archive);
        QVERIFY(none && none->empty());
        QVERIFY(!QFile::exists(archive));
        addVehicle(fake, QStringLiteral("B-10"), QStringLiteral("Olmo"));
        addVehicle(fake, QString(), QStringLiteral("Senza numero"));
        addVehicle(fake, QStringLiteral("B-2"), QStringLiteral("Atala"));
        const std::optional<std::vector<LabelVehicle>> read = fleetLabels(archive);
        QVERIFY(read);
        QCOMPARE(read->size(), std::size_t(2));
        QCOMPARE(read->front().number, QStringLiteral("B-2"));
        QCOMPARE(read->front().make, QStringLiteral("Atala"));
        QCOMPARE(read->back().number, QStringLiteral("B-10"));
    }
};

RF_REGISTER_TEST(LabelSheetTest)
#include "LabelSheetTest.moc"
