#include "contracts/SchedaContratto.h"
#include "desk/ui/TfrmStatistiche.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"
#include "reports/Layout.h"
#include "storage/Cp1252.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QValueAxis>

#include <cmath>

using namespace rf;
using namespace rf::Test;
using Chart = TfrmStatistiche::Chart;

Q_DECLARE_METATYPE(TfrmStatistiche::Chart)

namespace {

// Two rentals in March 2024 (the fake clock's month), one in May 2023; the fleet's 7 is booked four
// days of 2024 in the planner.
void layDownSeason(FakeContext& fake)
{
    const auto contract = [&](const char* start, const char* end, const char* total, const char* bike) {
        appendRecord(fake.file(QString::fromLatin1(Contracts::ArchiveName)), TSchedaContratto(),
                     {{QStringLiteral("DataInizio"), QString::fromLatin1(start)},
                      {QStringLiteral("DataFine"), QString::fromLatin1(end)},
                      {QStringLiteral("Totale"), QString::fromLatin1(total)},
                      {QStringLiteral("BiciNum"), QString::fromLatin1(bike)}});
    };
    contract("04/03/2024", "06/03/2024", "1234,50", "7"); // a Monday, 2 days
    contract("10/03/2024", "11/03/2024", "10,00", "7");   // a Sunday, 1 day
    contract("20/05/2023", "21/05/2023", "80,00", "3");
    for (const char* number : {"7", "3"})
        appendRecord(fake.file(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(),
                     {{QStringLiteral("BiciNum"), QString::fromLatin1(number)}});
    Planning::Days days;
    for (int day = 4; day <= 7; ++day)
        days[std::size_t(Planning::slotOf(3, day))] = QStringLiteral("Rossi");
    QVERIFY(Planning::save(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024"))),
                           {QStringLiteral("7"), {}, {}, {}}, days));
}

QString chartTitle(const TfrmStatistiche& window, const char* view)
{
    return required<QChartView>(&window, QString::fromLatin1(view))->chart()->title();
}

// The sheet's cells in order, separated by blanks.
QString sheetText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return Cp1252::decode(file.readAll()).replace(tag, QStringLiteral(" ")).simplified();
}

// The texts drawn in a chart view: its title, legend and axis labels.
QStringList textsIn(QChartView* view)
{
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            texts.append(text->toPlainText());
    return texts;
}

bool hasInk(const QImage& picture)
{
    const QImage small = picture.scaled(200, 120).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            if (small.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_fake = std::make_unique<FakeContext>();
        layDownSeason(*m_fake);
    }
    void cleanup() { m_fake.reset(); }

    void opensOnTodaysYearAndComputesTheTypedOne()
    {
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* txtAnno = required<QLineEdit>(&window, QStringLiteral("txtAnno"));
        QCOMPARE(txtAnno->text(), QStringLiteral("2024"));
        QVERIFY(window.figures());
        QCOMPARE(window.figures()->totalRentals(), 2);
        QCOMPARE(required<QLabel>(&window, QStringLiteral("lblDurataMedia"))->text(),
                 QStringLiteral("Durata media del noleggio: 1,5 giorni"));
        QVERIFY(required<QLabel>(&window, QStringLiteral("lblRiepilogo"))
                    ->text()
                    .contains(QString::fromUtf8("1.244,50 €")));
        QCOMPARE(chartTitle(window, "chtNoleggi"), QStringLiteral("Noleggi per mese - 2024"));
        auto* months = qobject_cast<QBarSeries*>(
            required<QChartView>(&window, QStringLiteral("chtNoleggi"))->chart()->series().value(0));
        QVERIFY(months);
        QCOMPARE(months->barSets().value(0)->at(2), 2.0);

        // Enter in the year recomputes.
        txtAnno->selectAll();
        QTest::keyClicks(txtAnno, "2023");
        QTest::keyClick(txtAnno, Qt::Key_Return);
        QCOMPARE(window.figures()->year, 2023);
        QCOMPARE(window.figures()->rentals[4], 1);
        QVERIFY(!QGuiApplication::overrideCursor()); // the wait cursor is gone again
        QCOMPARE(chartTitle(window, "chtIncassi"), QStringLiteral("Incassi per mese - 2023"));

        // A year that is not four digits is refused, and the figures on show stay.
        txtAnno->selectAll();
        QTest::keyClicks(txtAnno, "20a");
        QCOMPARE(txtAnno->text(), QStringLiteral("20"));
        QVERIFY(click(&window, QStringLiteral("btnCalcola")));
        QCOMPARE(m_fake->messages().count(), 1);
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Warning);
        QCOMPARE(window.figures()->year, 2023);
        QVERIFY(txtAnno->hasFocus());
    }

    void eachChartPrintsSavesAndExports_data()
    {
        QTest::addColumn<Chart>("chart");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QByteArray>("number"); // a count or amount as the sheet types it
        QTest::addColumn<int>("textCells");     // the cells below the header written as text
        QTest::newRow("months") << Chart::Months << "Noleggi per mese - 2024"
                                << "Febbraio 0 Marzo 2 Aprile 0" << QByteArray("x:num=\"2\">2</td>") << 12;
        QTest::newRow("revenue") << Chart::Revenue << "Incassi per mese - 2024"
                                 << "Febbraio 0,00 Marzo 1244,50 Aprile 0,00"
                                 << QByteArray("x:num=\"1244.50\">1244,50</td>") << 12;
        QTest::newRow("vehicles") << Chart::Vehicles << "Giorni di noleggio per veicolo - 2024"
                                  << "Utilizzo (%) 7 2 3 4 1 3 0 0 0 0" << QByteArray("x:num=\"4\">4</td>")
                                  << 2;
        QTest::newRow("weekdays") << Chart::Weekdays << "Noleggi per giorno della settimana - 2024"
                                  << QString::fromUtf8("Lunedì 1 Martedì 0 Mercoledì 0 Giovedì 0 Venerdì 0 "
                                                       "Sabato 0 Domenica 1")
                                  << QByteArray("x:num=\"1\">1</td>") << 7;
        QTest::newRow("margins") << Chart::Margins << "Margine per veicolo - 2024"
                                 << "Giorni in officina 7 2 3 1244,50 0,00 1244,50 0 3 0 0 0,00 0,00 0,00 0"
                                 << QByteArray("x:num=\"1244.50\">1244,50</td>") << 2;
    }
    void eachChartPrintsSavesAndExports()
    {
        QFETCH(Chart, chart);
        QFETCH(QString, title);
        QFETCH(QString, cells);
        QFETCH(QByteArray, number);
        QFETCH(int, textCells);
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showChart(chart);

        QVERIFY(click(&window, QStringLiteral("btnStampa")));
        QCOMPARE(m_fake->reports().printed.size(), std::size_t(1));
        const Reports::LaidOutPage& page = m_fake->reports().printed.front().pages.at(0);
        QCOMPARE(page.orientation, QPageLayout::Landscape);
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(), title);
        QVERIFY(hasInk(page.find(QStringLiteral("imgGrafico"))->picture));
        QCOMPARE(page.find(QStringLiteral("txtData"))->text(), QStringLiteral("Stampato il 05/03/2024"));

        const QString pdf = m_fake->file(QStringLiteral("grafico"));
        m_fake->dialogs().answerNext(pdf);
        QVERIFY(click(&window, QStringLiteral("btnPdf")));
        QFile written(pdf + QStringLiteral(".pdf"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
        // Saving says where.
        QCOMPARE(m_fake->messages().count(), 1);
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Information);
        QVERIFY(m_fake->messages().last().text.contains(QDir::toNativeSeparators(written.fileName())));

        const QString sheet = m_fake->file(QStringLiteral("dati.xls"));
        m_fake->dialogs().answerNext(sheet);
        QVERIFY(click(&window, QStringLiteral("btnEsporta")));
        QVERIFY2(sheetText(sheet).contains(cells), qPrintable(sheetText(sheet)));
        // Counts and amounts are numbers a sheet can add up; only names are text.
        QFile exported(sheet);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray raw = exported.readAll();
        QVERIFY2(raw.contains(number), raw.constData());
        QCOMPARE(int(raw.count("<td style=\"text-align: left;\">")), textCells);
        QVERIFY(m_fake->shell().opened.value(0).contains(QStringLiteral("dati.xls")));
        QCOMPARE(m_fake->messages().count(), 2); // then the question to open the sheet, nothing else
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Confirmation);
    }

    // The value axis of each chart runs from 0 past the top value by less than a step, in steps of
    // 1, 2 or 5 times a power of ten and of one unit at least, labelled as a shop reads numbers.
    void axesCoverTheTopInRoundSteps_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<Chart>("chart");
        QTest::addColumn<QString>("view");
        QTest::addColumn<double>("top");
        QTest::addColumn<QString>("label"); // one tick's label
        QTest::newRow("months") << "2024" << Chart::Months << "chtNoleggi" << 2.0 << "2";
        QTest::newRow("revenue") << "2024" << Chart::Revenue << "chtIncassi" << 1244.5
                                 << QString::fromUtf8("1.000,00 €");
        QTest::newRow("vehicles") << "2024" << Chart::Vehicles << "chtVeicoli" << 4.0
                                  << "4"; // 7 booked 4 days
        QTest::newRow("weekdays") << "2024" << Chart::Weekdays << "chtGiorni" << 1.0 << "1";
        QTest::newRow("no rentals") << "2022" << Chart::Months << "chtNoleggi" << 0.0 << "1";
        QTest::newRow("no revenue") << "2022" << Chart::Revenue << "chtIncassi" << 0.0
                                    << QString::fromUtf8("1,00 €");
    }
    void axesCoverTheTopInRoundSteps()
    {
        QFETCH(QString, year);
        QFETCH(Chart, chart);
        QFETCH(QString, view);
        QFETCH(double, top);
        QFETCH(QString, label);
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        required<QLineEdit>(&window, QStringLiteral("txtAnno"))->setText(year);
        QVERIFY(click(&window, QStringLiteral("btnCalcola")));
        window.showChart(chart);
        auto* shown = required<QChartView>(&window, view);
        QValueAxis* axis = nullptr;
        for (QAbstractAxis* each : shown->chart()->axes())
            axis = axis ? axis : qobject_cast<QValueAxis*>(each);
        QVERIFY(axis);
        QCOMPARE(axis->min(), 0.0);
        QVERIFY(axis->tickCount() >= 2);
        const double step = axis->max() / (axis->tickCount() - 1);
        // An empty season still shows one unit.
        QVERIFY2(axis->max() >= top && axis->max() - step < std::max(top, 1.0),
                 qPrintable(QString::number(axis->max())));
        const double power = std::pow(10.0, std::floor(std::log10(step)));
        QVERIFY2(step >= 1 && QList<double>({1, 2, 5}).contains(step / power),
                 qPrintable(QString::number(step)));
        QTRY_VERIFY2(textsIn(shown).contains(label), qPrintable(textsIn(shown).join(QLatin1Char('|'))));
    }

    // A workshop bill larger than a vehicle's revenue is a loss: its bar runs left of 0, on an axis
    // that reaches below it in round steps; the printed page and the sheet give every figure.
    void marginsChartShowsLossesBelowZero()
    {
        Service::Entry repair;
        repair.vehicleNumber = QStringLiteral("3");
        repair.date = QDate(2024, 2, 10);
        repair.cost = QStringLiteral("200,00");
        repair.workshopFrom = QDate(2024, 2, 10);
        repair.workshopTo = QDate(2024, 2, 12);
        QVERIFY(Service::append(m_fake->folder(), repair) > 0);
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showChart(Chart::Margins);
        auto* view = required<QChartView>(&window, QStringLiteral("chtMargini"));
        auto* series = qobject_cast<QHorizontalStackedBarSeries*>(view->chart()->series().value(0));
        QVERIFY(series);
        QCOMPARE(series->barSets().size(), 2);
        // The highest margin at the top: 3 is drawn first, at the bottom.
        const QBarSet* gains = series->barSets().at(0);
        const QBarSet* losses = series->barSets().at(1);
        QCOMPARE(QList<double>({gains->at(0), gains->at(1)}), QList<double>({0.0, 1244.5}));
        QCOMPARE(QList<double>({losses->at(0), losses->at(1)}), QList<double>({-200.0, 0.0}));
        QValueAxis* axis = nullptr;
        for (QAbstractAxis* each : view->chart()->axes(Qt::Horizontal))
            axis = axis ? axis : qobject_cast<QValueAxis*>(each);
        QVERIFY(axis);
        const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
        QVERIFY2(axis->min() <= -200 && axis->min() > -200 - step, qPrintable(QString::number(axis->min())));
        QVERIFY(axis->max() >= 1244.5);
        QCOMPARE(std::fmod(-axis->min(), step), 0.0); // 0 is a tick
        const QString lowest =
            QLocale(QLocale::Italian).toString(axis->min(), 'f', 2) + QString::fromUtf8(" €");
        QTRY_VERIFY2(textsIn(view).contains(lowest), qPrintable(textsIn(view).join(QLatin1Char('|'))));

        const Reports::Prepared printed = Reports::prepare(window.report(Chart::Margins), QDate(2024, 3, 5));
        QVERIFY2(printed.ok, qPrintable(printed.error));
        QCOMPARE(printed.document.pages.size(), std::size_t(2));
        const Reports::LaidOutPage& table = printed.document.pages[1];
        const QString heads = table.find(QStringLiteral("txtTabellaIntestazione"))->text();
        QCOMPARE(heads.simplified(),
                 QStringLiteral("Veicolo Noleggi Giorni di noleggio Incasso Costo officina "
                                "Margine Giorni in officina"));
        QCOMPARE(
            table.find(QStringLiteral("txtTabella"))->text().split(QLatin1Char('\n')).last().simplified(),
            QString::fromUtf8("3 0 0 0,00 € 200,00 € -200,00 € 3"));

        const QString sheet = m_fake->file(QStringLiteral("margini.xls"));
        m_fake->dialogs().answerNext(sheet);
        QVERIFY(click(&window, QStringLiteral("btnEsporta")));
        QVERIFY2(
            sheetText(sheet).contains(QString::fromUtf8(
                "Veicolo Noleggi Giorni di noleggio Incasso (€) Costo officina (€) Margine (€) Giorni in "
                "officina 7 2 3 1244,50 0,00 1244,50 0 3 0 0 0,00 200,00 -200,00 3")),
            qPrintable(sheetText(sheet)));
    }

    void saveDialogsStartInTheFolderLastUsed()
    {
        const QString folder = m_fake->file(QStringLiteral("grafici"));
        QVERIFY(QDir().mkpath(folder));
        {
            TfrmStatistiche window(m_fake->context(), nullptr);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(click(&window, QStringLiteral("btnPdf"))); // cancelled: nothing is remembered
            QCOMPARE(QFileInfo(m_fake->dialogs().asked().last().folder).absolutePath(),
                     QFileInfo(m_fake->file(QStringLiteral("x"))).absolutePath());
            m_fake->dialogs().answerNext(QDir(folder).filePath(QStringLiteral("marzo.pdf")));
            QVERIFY(click(&window, QStringLiteral("btnPdf")));
            QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("marzo.pdf"))));
            QVERIFY(click(&window, QStringLiteral("btnEsporta")));
            QCOMPARE(QFileInfo(m_fake->dialogs().asked().last().folder).absolutePath(), folder);
        }
        // A window opened later in the session starts there too.
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(click(&window, QStringLiteral("btnPdf")));
        QCOMPARE(QFileInfo(m_fake->dialogs().asked().last().folder).absolutePath(), folder);
    }

    void vehiclesChartNamesTheMostAndTheLeastRented()
    {
        const auto groupsOf = [](const TfrmStatistiche& window) {
            QChart* chart = required<QChartView>(&window, QStringLiteral("chtVeicoli"))->chart();
            for (QAbstractAxis* axis : chart->axes(Qt::Vertical))
                if (auto* groups = qobject_cast<QCategoryAxis*>(axis))
                    return groups->categoriesLabels();
            return QStringList();
        };
        {
            // Two vehicles are all charted: there are no two ends to name.
            TfrmStatistiche window(m_fake->context(), nullptr);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(groupsOf(window).isEmpty());
        }
        for (int number = 10; number < 30; ++number)
            appendRecord(m_fake->file(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(),
                         {{QStringLiteral("BiciNum"), QString::number(number)}});
        TfrmStatistiche window(m_fake->context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList groups = groupsOf(window);
        QCOMPARE(groups,
                 QStringList({QStringLiteral("Meno noleggiati"), QString::fromUtf8("Più noleggiati")}));
        // The most rented, 7, stands at the top, in the group named so.
        QChart* chart = required<QChartView>(&window, QStringLiteral("chtVeicoli"))->chart();
        QCategoryAxis* groupAxis = nullptr;
        QBarCategoryAxis* vehicles = nullptr;
        for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
            if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
                vehicles = categories;
            if (auto* named = qobject_cast<QCategoryAxis*>(axis))
                groupAxis = named;
        }
        QVERIFY(groupAxis && vehicles);
        QCOMPARE(groupAxis->alignment(), Qt::AlignRight);
        const int seven = int(vehicles->categories().indexOf(QRegularExpression(QStringLiteral("7 \\(.*"))));
        QCOMPARE(seven, vehicles->count() - 1);
        QVERIFY(seven > groupAxis->endValue(groups.at(0)));
        QVERIFY(seven < groupAxis->endValue(groups.at(1)));
        // A contract's days and the planner's booked days are told apart in the window.
        QVERIFY(required<QLabel>(&window, QStringLiteral("lblGiorniNota"))->isVisible());
    }

    void enterOnAButtonPressesItAndEscapeCloses()
    {
        TfrmStatistiche window(m_fake->context(), nullptr);
        int result = -1;
        QVERIFY(driveModal<TfrmStatistiche>(
            [&] { result = window.exec(); },
            [&](TfrmStatistiche* shown) {
                QTRY_VERIFY(shown->figures());
                QCOMPARE(shown->figures()->year, 2024);
                required<QLineEdit>(shown, QStringLiteral("txtAnno"))->setText(QStringLiteral("2023"));
                auto* calcola = required<QPushButton>(shown, QStringLiteral("btnCalcola"));
                calcola->setFocus();
                QTest::keyClick(calcola, Qt::Key_Return);
                QCOMPARE(shown->figures()->year, 2023);
                QTest::keyClick(shown, Qt::Key_Escape);
            }));
        QCOMPARE(result, int(QDialog::Rejected));
    }

private:
    std::unique_ptr<FakeContext> m_fake;
};

RF_REGISTER_TEST(StatisticsWindowTest)
#include "StatisticsWindowTest.moc"
