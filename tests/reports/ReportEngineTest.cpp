#include "reports/Layout.h"
#include "reports/ListTemplate.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "support/TestMain.h"
#include "support/Tools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using rf::Test::runTool;
using namespace rf::Reports;

namespace {
const QDate Today(2024, 3, 5);

QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines.append(QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

QStringList textsOf(const Document& document, const QString& name)
{
    QStringList texts;
    for (const LaidOutPage& page : document.pages) {
        for (const Item& item : page.items) {
            if (item.name == name) {
                for (const PlacedLine& line : item.lines)
                    texts.append(line.text);
            }
        }
    }
    return texts;
}
} // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT
private slots:
    void fileNamesLoseWhatAFileNameCannotHold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("kept as it is") << "Contratto n. 12 Rossi Mario"
                                       << "Contratto n. 12 Rossi Mario";
        QTest::newRow("forbidden characters become one blank") << "Scheda veicolo A/B\\C:D*E?F\"G<H>I|J"
                                                               << "Scheda veicolo A B C D E F G H I J";
        QTest::newRow("runs of blanks and control characters") << "Rossi \t\n  Mario"
                                                               << "Rossi Mario";
        QTest::newRow("no blanks or dots at the ends") << " ..Verdi Ugo. . "
                                                       << "Verdi Ugo";
        QTest::newRow("accented letters stay") << "Contratto Niccol\u00F2 D'Ard\u00E8"
                                               << "Contratto Niccol\u00F2 D'Ard\u00E8";
    }

    void fileNamesLoseWhatAFileNameCannotHold()
    {
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        QCOMPARE(safeFileName(text), fileName);
        // A report without a name of its own is offered under its name; an unusable one changes nothing.
        Report report(QStringLiteral("Planning Annuale"));
        QCOMPARE(report.fileName(), QStringLiteral("Planning Annuale"));
        report.setFileName(text);
        QCOMPARE(report.fileName(), fileName);
        report.setFileName(QStringLiteral(" / "));
        QCOMPARE(report.fileName(), QStringLiteral("Planning Annuale"));
    }

    void unitsConvert()
    {
        QCOMPARE(mm(25.4), 96.0);
        QCOMPARE(toMm(96.0), 25.4);
        QCOMPARE(pointsToUnits(72), 96.0);
        QCOMPARE(toDevice(96, 600), 600.0);
    }

    void unknownNamesAreErrorsAndStopPreparation()
    {
        Report report = listTemplate();
        QVERIFY(report.setText(QStringLiteral("txtTitolo"), QStringLiteral("Titolo")));
        QVERIFY(!report.setText(QStringLiteral("txtNonEsiste"), QStringLiteral("x")));
        QVERIFY(!report.setPicture(QStringLiteral("txtTitolo"), QImage(2, 2, QImage::Format_RGB32)));
        QVERIFY(!report.setHeight(QStringLiteral("Nessuna"), 10));
        QCOMPARE(report.errors().size(), 3);
        const Prepared prepared = prepare(report, Today);
        QVERIFY(!prepared.ok);
        QVERIFY(prepared.error.contains(QStringLiteral("txtNonEsiste")));
    }

    void listHeightsFollowTheLineCount()
    {
        Report report = listTemplate();
        fillList(report, QStringLiteral("Riepilogo veicoli non riconsegnati"), numberedLines(40));
        QCOMPARE(report.find(QStringLiteral("txtRiepilogo"))->rect.height(), 512.88);
        QCOMPARE(report.findBand(QStringLiteral("MasterData"))->height, 522.88);
        QCOMPARE(report.find(QStringLiteral("txtTitolo"))->lines,
                 QStringList{"Riepilogo veicoli non riconsegnati"});
    }

    void emptyListPrintsTitleAndFooterOnly()
    {
        Report report = listTemplate();
        fillList(report, QStringLiteral("Riepilogo contratti di noleggio biciclette"), {});
        const Prepared prepared = prepare(report, Today);
        QVERIFY(prepared.ok);
        QCOMPARE(prepared.document.pages.size(), std::size_t(1));
        const LaidOutPage& page = prepared.document.pages.front();
        QCOMPARE(page.orientation, QPageLayout::Landscape);
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("Riepilogo contratti di noleggio biciclette"));
        QCOMPARE(page.find(QStringLiteral("txtPagina"))->text(),
                 QStringLiteral("Stampa eseguita in data 05/03/2024"));
        QVERIFY(textsOf(prepared.document, QStringLiteral("txtRiepilogo")).isEmpty());
        // Title band 5 mm below the printable top; the footer follows the (empty) data band.
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->rect.top(), mm(10) + mm(5) + mm(1));
        QVERIFY(page.find(QStringLiteral("txtPagina"))->rect.top() <
                mm(10) + mm(5) + mm(8) + 10 + mm(2) + 0.01);
    }

    void longListFlowsOntoMorePagesKeepingEveryLineOnce()
    {
        Report report = listTemplate();
        const QStringList lines = numberedLines(130);
        fillList(report, QStringLiteral("Riepilogo"), lines);
        const Prepared prepared = prepare(report, Today);
        QVERIFY(prepared.ok);
        QVERIFY(prepared.document.pages.size() >= 3);
        QCOMPARE(textsOf(prepared.document, QStringLiteral("txtRiepilogo")), lines);
        // The title is printed once, the footer once after the data, on the last page.
        QVERIFY(prepared.document.pages.front().find(QStringLiteral("txtTitolo")));
        QVERIFY(!prepared.document.pages[1].find(QStringLiteral("txtTitolo")));
        QVERIFY(prepared.document.pages.back().find(QStringLiteral("txtPagina")));
        for (std::size_t i = 0; i + 1 < prepared.document.pages.size(); ++i)
            QVERIFY(!prepared.document.pages[i].find(QStringLiteral("txtPagina")));
        // No line goes below the printable area.
        for (const LaidOutPage& page : prepared.document.pages) {
            for (const Item& item : page.items) {
                for (const PlacedLine& line : item.lines)
                    QVERIFY(line.rect.bottom() <= page.paper.height() - mm(10) + 0.01);
            }
        }
    }

    void cutTextStaysOneLineAndWrappedTextBreaksInsideItsWidth()
    {
        Report report(QStringLiteral("Prova"));
        report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
        const QString longText = QStringLiteral("parola ").repeated(40).trimmed();
        report.addText(QStringLiteral("txtTagliato"), QRectF(0, 0, mm(40), mm(4)), longText, Font{});
        Object& wrapped =
            report.addText(QStringLiteral("txtACapo"), QRectF(0, mm(10), mm(40), mm(60)), longText,
                           Font{QStringLiteral("Arial"), 8}, Qt::AlignLeft | Qt::AlignTop);
        wrapped.wordWrap = true;
        const Prepared prepared = prepare(report, Today);
        QVERIFY(prepared.ok);
        const LaidOutPage& page = prepared.document.pages.front();
        QCOMPARE(page.find(QStringLiteral("txtTagliato"))->lines.size(), std::size_t(1));
        const Item* item = page.find(QStringLiteral("txtACapo"));
        QVERIFY(item->lines.size() > 3);
        QStringList words;
        for (const PlacedLine& line : item->lines) {
            QVERIFY(textWidth(Font{QStringLiteral("Arial"), 8}, line.text) <= mm(40) + 0.5);
            words += line.text.split(QLatin1Char(' '));
        }
        QCOMPARE(words.join(QLatin1Char(' ')), longText);
    }

    void pictureKeepsItsProportionsAndIsCentred()
    {
        Report report(QStringLiteral("Prova"));
        report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
        report.addPicture(QStringLiteral("imgLogo"), QRectF(0, 0, 400, 100));
        QImage wide(300, 150, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        QVERIFY(report.setPicture(QStringLiteral("imgLogo"), wide));
        const Item* item = prepare(report, Today).document.pages.front().find(QStringLiteral("imgLogo"));
        QCOMPARE(item->pictureRect.size(), QSizeF(200, 100));
        QCOMPARE(item->pictureRect.center(), item->rect.center());
    }

    // A crisp picture is enlarged pixel for pixel (a code's edges stay black or white); any other is
    // smoothed.
    void crispPicturesAreScaledWithoutSmoothing_data()
    {
        QTest::addColumn<bool>("crisp");
        QTest::newRow("crisp") << true;
        QTest::newRow("smooth") << false;
    }
    void crispPicturesAreScaledWithoutSmoothing()
    {
        QFETCH(bool, crisp);
        Report report(QStringLiteral("Prova"));
        report.addPage(QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
        QImage bars(4, 1, QImage::Format_Grayscale8);
        for (int x = 0; x < bars.width(); ++x)
            bars.scanLine(0)[x] = x % 2 ? 255 : 0;
        report.addPicture(QStringLiteral("imgCodice"), QRectF(10.5, 10, 70, 17.5), bars).crisp = crisp;
        const QImage page = renderPageImage(prepare(report, Today).document.pages.front(), UnitsPerInch);
        int greys = 0;
        for (int x = 0; x < 100; ++x) {
            const int level = qGray(page.pixel(x, 15));
            greys += level > 0 && level < 255;
        }
        QCOMPARE(greys == 0, crisp);
    }

    void pdfHasThePagesOrientationAndText()
    {
        Report report = listTemplate();
        fillList(report, QStringLiteral("Riepilogo schede biciclette in archivio"), numberedLines(90));
        const Prepared prepared = prepare(report, Today);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
        QVERIFY(writePdf(prepared.document, pdf));
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
        if (info.isEmpty())
            QSKIP("pdfinfo is not installed");
        QVERIFY2(info.contains(QRegularExpression(
                     QStringLiteral("Pages:\\s+%1\\n").arg(prepared.document.pages.size()))),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("842 x 595")), qPrintable(info)); // landscape A4
        const QString text =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("Riepilogo schede biciclette in archivio")));
        QVERIFY(text.contains(QStringLiteral("Riga 001")) && text.contains(QStringLiteral("Riga 090")));
        QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 05/03/2024")));
    }
};

RF_REGISTER_TEST(ReportEngineTest)
#include "ReportEngineTest.moc"
