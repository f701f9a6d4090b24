#include "planner/documents/PlanningSheet.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "support/Pages.h"
#include "support/TestMain.h"
#include "support/Tools.h"

#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace rf::Reports;
using rf::Test::runTool;

namespace {

const QDateTime PrintedAt(QDate(2024, 3, 5), QTime(9, 41, 7));

// The cells of a leap year in slot order, written out here rather than taken from the planner.
QStringList allCellNames()
{
    const char* const prefixes[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                                    "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
    const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    QStringList names;
    for (int m = 0; m < 12; ++m) {
        for (int d = 1; d <= days[m]; ++d)
            names.append(
                QStringLiteral("txt%1_%2").arg(QLatin1String(prefixes[m])).arg(d, 2, 10, QLatin1Char('0')));
    }
    return names;
}

LaidOutPage filledPage(const std::vector<bool>& booked, const QString& year = QStringLiteral(" 2025 "))
{
    Report report = planningSheet();
    fillPlanningSheet(report, year, QStringLiteral("  B-07 "), QStringLiteral(" Graziella Pieghevole "),
                      QStringLiteral("M  "), booked, PrintedAt);
    const Prepared prepared = prepare(report, PrintedAt.date());
    if (!prepared.ok || prepared.document.pages.size() != 1) {
        qWarning() << prepared.error;
        return {};
    }
    return prepared.document.pages.front();
}

QString textOf(const LaidOutPage& page, const QString& name)
{
    const Item* item = page.find(name);
    return item ? item->text() : QStringLiteral("<missing %1>").arg(name);
}

} // namespace

class PlanningSheetTest : public QObject {
    Q_OBJECT
private slots:
    void bookedSlotsPrintAnXEveryOtherDayABlank_data()
    {
        QTest::addColumn<QList<int>>("bookedSlots");
        QTest::addColumn<QStringList>("marked");
        QTest::newRow("nothing booked") << QList<int>{} << QStringList{};
        QTest::newRow("month edges and leap day")
            << QList<int>{0, 30, 31, 59, 60, 120, 121, 365}
            << QStringList{"txtGen_01", "txtGen_31", "txtFeb_01", "txtFeb_29",
                           "txtMar_01", "txtApr_30", "txtMag_01", "txtDic_31"};
        QList<int> everySlot;
        for (int slot = 0; slot < 366; ++slot)
            everySlot.append(slot);
        QTest::newRow("whole year") << everySlot << allCellNames();
    }
    void bookedSlotsPrintAnXEveryOtherDayABlank()
    {
        QFETCH(QList<int>, bookedSlots);
        QFETCH(QStringList, marked);
        std::vector<bool> booked(366, false);
        for (int slot : bookedSlots)
            booked[std::size_t(slot)] = true;
        const LaidOutPage page = filledPage(booked);

        const QStringList cells = allCellNames();
        QCOMPARE(cells.size(), 366);
        for (const QString& cell : cells) {
            const QString expected = marked.contains(cell) ? QStringLiteral("X") : QStringLiteral(" ");
            QVERIFY2(textOf(page, cell) == expected,
                     qPrintable(cell + QStringLiteral(": ") + textOf(page, cell)));
        }
        // No cell beyond the days of a leap year, and nothing else named like one.
        for (const char* missing :
             {"txtFeb_30", "txtFeb_31", "txtApr_31", "txtGiu_31", "txtSet_31", "txtNov_31"})
            QVERIFY2(!page.find(QLatin1String(missing)), missing);
        const QRegularExpression cellPattern(QStringLiteral("^txt[A-Z][a-z]{2}_\\d\\d$"));
        int found = 0;
        for (const Item& item : page.items)
            found += cellPattern.match(item.name).hasMatch() ? 1 : 0;
        QCOMPARE(found, 366);
    }

    void fillReplacesTitleVehicleAndFooter()
    {
        Report report = planningSheet();
        QCOMPARE(report.find(QStringLiteral("txtTitolo"))->lines,
                 QStringList{QStringLiteral("PLANNER ANNUALE PRENOTAZIONI")});
        QCOMPARE(report.find(QStringLiteral("txtCalce"))->lines,
                 QStringList{QStringLiteral("Data e ora stampa")});
        report.setOrientation(QPageLayout::Portrait); // filling must set it back

        fillPlanningSheet(report, QStringLiteral(" 2025 "), QStringLiteral("  B-07 "),
                          QStringLiteral(" Graziella Pieghevole "), QStringLiteral("M  "),
                          std::vector<bool>(366, false), PrintedAt);
        const Prepared prepared = prepare(report, PrintedAt.date());
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        QCOMPARE(prepared.document.name, QStringLiteral("Planning Annuale"));
        QCOMPARE(prepared.document.pages.size(), std::size_t(1));
        const LaidOutPage& page = prepared.document.pages.front();
        QCOMPARE(page.orientation, QPageLayout::Landscape);
        QCOMPARE(page.paper, QSizeF(mm(297), mm(210)));

        QCOMPARE(textOf(page, "txtTitolo"), QStringLiteral("PLANNER PRENOTAZIONI ANNO 2025"));
        QCOMPARE(textOf(page, "txtBiciNum"), QStringLiteral("B-07"));
        QCOMPARE(textOf(page, "txtMarca"), QStringLiteral("Graziella Pieghevole"));
        QCOMPARE(textOf(page, "txtTaglia"), QStringLiteral("M"));
        QCOMPARE(textOf(page, "titBiciNum"), QStringLiteral("Bici n."));
        QCOMPARE(textOf(page, "titMarca"), QStringLiteral("Marca:"));
        QCOMPARE(textOf(page, "titTaglia"), QStringLiteral("Taglia:"));
        QCOMPARE(textOf(page, "txtCalce"),
                 QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:41:07"));
        QCOMPARE(textOf(page, "tit_01"), QStringLiteral("1"));
        QCOMPARE(textOf(page, "tit_31"), QStringLiteral("31"));
        QCOMPARE(textOf(page, "titGen"), QStringLiteral("GENNAIO:"));
        QCOMPARE(textOf(page, "titSet"), QStringLiteral("SETTEMBRE:"));
        QCOMPARE(textOf(page, "titDic"), QStringLiteral("DICEMBRE:"));
    }

    void objectsStandWhereTheSheetPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("mmRect"); // from the printable area's top left
        QTest::newRow("title") << "txtTitolo" << QRectF(0, 0, 277, 6.5);
        QTest::newRow("first day heading") << "tit_01" << QRectF(31, 8, 6, 4.4);
        QTest::newRow("last day heading") << "tit_31" << QRectF(271, 8, 6, 4.4);
        QTest::newRow("first cell") << "txtGen_01" << QRectF(31, 13, 6, 4.4);
        QTest::newRow("leap day") << "txtFeb_29" << QRectF(255, 19, 6, 4.4);
        QTest::newRow("mid year") << "txtGiu_15" << QRectF(143, 43, 6, 4.4);
        QTest::newRow("last cell") << "txtDic_31" << QRectF(271, 79, 6, 4.4);
        QTest::newRow("vehicle number") << "txtBiciNum" << QRectF(20, 88, 118, 5);
        QTest::newRow("size") << "txtTaglia" << QRectF(20, 100, 118, 5);
        QTest::newRow("footer") << "txtCalce" << QRectF(0, 184, 277, 5.8);
    }
    void objectsStandWhereTheSheetPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, mmRect);
        const LaidOutPage page = filledPage(std::vector<bool>(366, true));
        rf::Test::verifyPlacedMm(page, name, mmRect, 0.01);
        const Item* item = page.find(name);
        QCOMPARE(item->font.family, QStringLiteral("Arial"));
    }

    void monthRowsAlternateBeigeAndWhiteBehindTheirCells()
    {
        const LaidOutPage page = filledPage(std::vector<bool>(366, true));
        const char* const prefixes[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                                        "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
        const QColor beige = QColor::fromRgba(0xFFF5F5DC);
        for (int m = 0; m < 12; ++m) {
            const QString month = QLatin1String(prefixes[m]);
            const Item* band = page.find(QStringLiteral("shp") + month);
            QVERIFY2(band && band->kind == Kind::Shape, qPrintable(month));
            QCOMPARE(band->fill, m % 2 == 0 ? beige : QColor(Qt::white));
            QVERIFY(band->rect.width() >= mm(277) - 0.01);
            for (const char* day : {"_01", "_28"})
                QVERIFY(
                    band->rect.contains(page.find(QStringLiteral("txt") + month + QLatin1String(day))->rect));
        }
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->fill, QColor::fromRgba(0xFFB0C4DE));
        QCOMPARE(page.find(QStringLiteral("txtCalce"))->fill, QColor::fromRgba(0xFFFFD700));
    }

    void everyTextFitsItsObject()
    {
        // Everything stays inside the margins, and no text is cut at its object's edge.
        const LaidOutPage page = filledPage(std::vector<bool>(366, true));
        const QRectF paper(QPointF(0, 0), page.paper);
        const QRectF printable = paper.adjusted(mm(10), mm(10), -mm(10), -mm(10));
        for (const Item& item : page.items) {
            const QRectF rect = item.rect.normalized(); // lines have no width or no height
            QVERIFY2(rect.left() >= printable.left() - 0.01 && rect.right() <= printable.right() + 0.01 &&
                         rect.top() >= printable.top() - 0.01 && rect.bottom() <= printable.bottom() + 0.01,
                     qPrintable(item.name));
            for (const PlacedLine& line : item.lines) {
                QVERIFY2(textWidth(item.font, line.text) <= line.rect.width(), qPrintable(item.name));
                QVERIFY2(line.rect.top() >= item.rect.top() - 0.01 &&
                             line.rect.bottom() <= item.rect.bottom() + 0.01,
                         qPrintable(item.name));
            }
        }
    }

    void pdfIsOneLandscapePageWithTheSheet()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdftotext or pdfinfo is not installed");
        std::vector<bool> booked(366, false);
        booked[59] = true;
        Report report = planningSheet();
        fillPlanningSheet(report, QStringLiteral("2025"), QStringLiteral("B-07"), QStringLiteral("Graziella"),
                          QStringLiteral("M"), booked, PrintedAt);
        const Prepared prepared = prepare(report, PrintedAt.date());
        QVERIFY(prepared.ok);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("planning.pdf"));
        QVERIFY(writePdf(prepared.document, path));

        const QString info = runTool(QStringLiteral("pdfinfo"), {path});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts \\(A4\\)"))),
                 qPrintable(info));
        const QString text =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        for (const char* expected : {"PLANNER PRENOTAZIONI ANNO 2025", "FEBBRAIO:", "DICEMBRE:", "Graziella",
                                     "Stampa eseguita in data 05/03/2024 alle ore 09:41:07"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Bici n\\.\\s+B-07"))));
        // The one booked day is the only X, on the February line.
        QCOMPARE(text.count(QLatin1Char('X')), 1);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("FEBBRAIO:\\s+X\\n"))));
    }
};

RF_REGISTER_TEST(PlanningSheetTest)
#include "PlanningSheetTest.moc"
