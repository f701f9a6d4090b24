#include "contracts/documents/ConditionSheet.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmStampa_Scheda_Danni_Bici.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/Pages.h"
#include "support/TestMain.h"
#include "support/Tools.h"

#include <QHash>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace rf;
using rf::Test::click;
using rf::Test::runTool;
using namespace rf::Reports;
using rf::Test::FakeContext;
using rf::Test::MessageKind;

namespace {

const QDateTime PrintedAt(QDate(2024, 3, 5), QTime(9, 41, 7));

// The prefix every value object prints before its value; empty for values printed alone.
const QList<QPair<QString, QString>> Prefixes{
    {"Data", "Data stipula:  "},
    {"Luogo", "Luogo:  "},
    {"Ditta01", ""},
    {"Ditta02", ""},
    {"Cliente", "Cognome e nome:  "},
    {"CodFisc", "Codice Fiscale:  "},
    {"Sesso", "Sesso:  "},
    {"IndirizzoRes", "Indirizzo:  "},
    {"ComuneRes", "Città:  "},
    {"ProvRes", "Prov.  "},
    {"CapRes", "CAP:  "},
    {"Recapito", "Tel.  "},
    {"DataNasc", "Data nasc.  "},
    {"LuogoNasc", "Luogo nasc.  "},
    {"ProvNasc", "Prov.  "},
    {"TipoDoc", "Tipo doc.  "},
    {"NumDoc", "N.  "},
    {"EnteRil", "Ente ril.  "},
    {"DataRil", "Data ril.  "},
    {"DataSca", "Scad.  "},
    {"Minore", "Minore:  "},
    {"DataNascMin", "Data nasc.  "},
    {"LuogoNascMin", "Luogo nasc.  "},
    {"SessoMin", "Sesso:  "},
    {"BiciNum", "Bicicletta n.  "},
    {"Marca", "Marca:  "},
    {"Taglia", "Taglia:  "},
    {"Accessori", "Accessori forniti al Cliente:  "},
    {"DataInizio", "Data inizio:  "},
    {"OraInizio", "Ora inizio:  "},
    {"SedeRit", "Sede ritiro:  "},
    {"DataFine", "Data fine:  "},
    {"OraFine", "Ora fine:  "},
    {"SedeRic", "Sede riconsegna:  "},
    {"TotGiorni", "Tot. giorni:  "},
    {"Difetti", ""},
};

QImage smallPicture(QRgb colour)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(0, 0, 0)); // tells a picture from its mirror image
    return image;
}

Document filledSheet(const std::function<QString(const QString&)>& valueOf,
                     const QDateTime& printedAt = PrintedAt)
{
    Report report = conditionSheet();
    const QImage bike = smallPicture(qRgb(255, 255, 255));
    fillConditionSheet(report, rf::CompanyLogo::builtInLogo(), bike, bike.mirrored(true, false), printedAt,
                       valueOf);
    const Prepared prepared = prepare(report, printedAt.date());
    if (!prepared.ok)
        qWarning() << prepared.error;
    return prepared.document;
}

QString textOf(const Document& document, const QString& name)
{
    if (document.pages.empty() || !document.pages.front().find(name))
        return QStringLiteral("<missing %1>").arg(name);
    return document.pages.front().find(name)->text();
}

void fillForm(TfrmContratti_Noleggio_Bici& form, const QHash<QString, QString>& values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        form.edit(it.key())->setText(it.value());
}

} // namespace

class ConditionSheetTest : public QObject {
    Q_OBJECT
private slots:
    void valuesPrintAfterTheirPrefixesTrimmed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("prefix");
        for (const auto& [field, prefix] : Prefixes)
            QTest::newRow(qPrintable(field)) << field << prefix;
    }
    void valuesPrintAfterTheirPrefixesTrimmed()
    {
        QFETCH(QString, field);
        QFETCH(QString, prefix);
        const QString object = QStringLiteral("txt") + field;
        const Document filled =
            filledSheet([](const QString& f) { return QStringLiteral("  v %1  ").arg(f); });
        QCOMPARE(textOf(filled, object), prefix + QStringLiteral("v ") + field);
        // An empty form prints the bare prefix: a sheet to complete by hand.
        const Document empty = filledSheet([](const QString&) { return QString(); });
        QCOMPARE(textOf(empty, object), prefix);
    }

    void printsExactlyTheContractFieldsItShows()
    {
        QStringList expected;
        for (const auto& entry : Prefixes)
            expected.append(entry.first);
        // In page order; no frame number, tariff or amounts on this sheet.
        QCOMPARE(conditionSheetFields(), expected);
    }

    void footerCarriesTheMomentOfPrinting()
    {
        const auto blank = [](const QString&) { return QString(); };
        const Document first = filledSheet(blank, PrintedAt);
        const Document later = filledSheet(blank, PrintedAt.addSecs(60));
        QCOMPARE(textOf(first, "txtCalce"),
                 QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:41:07"));
        QCOMPARE(textOf(later, "txtCalce"),
                 QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:42:07"));
        QCOMPARE(textOf(first, "titPagamento"), QStringLiteral("SCHEDA DI VERIFICA STATO VEICOLO"));
        QCOMPARE(first.name, QStringLiteral("Scheda Verifica Stato Bici"));
        QCOMPARE(first.pages.size(), std::size_t(1));
        QCOMPARE(first.pages.front().orientation, QPageLayout::Portrait);
    }

    void objectsStandWhereTheSheetPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("mmRect"); // from the printable area's top left
        QTest::newRow("logo") << "imgLogo" << QRectF(1, 1, 75, 32);
        QTest::newRow("title") << "titPagamento" << QRectF(83, 3.2, 104, 5);
        QTest::newRow("customer band") << "titCliente" << QRectF(1, 57, 188, 5.8);
        QTest::newRow("customer box") << "shpCliente" << QRectF(1, 63, 188, 29);
        QTest::newRow("minor") << "txtMinore" << QRectF(2, 87, 57, 4);
        QTest::newRow("days") << "txtTotGiorni" << QRectF(162.5, 118, 25.5, 4);
        QTest::newRow("damage box") << "shpDanni" << QRectF(1, 124, 188, 76);
        QTest::newRow("damage rule") << "linDanni" << QRectF(1, 129, 188, 0);
        QTest::newRow("left view") << "Picture1" << QRectF(5, 137.4, 89, 55);
        QTest::newRow("right view") << "Picture2" << QRectF(96.6, 137.4, 89, 55);
        QTest::newRow("legend") << "Memo2" << QRectF(2, 194, 186, 4.4);
        QTest::newRow("notice") << "txtRaccomandazioni" << QRectF(2, 227, 185.9, 13);
        QTest::newRow("signature") << "linFirmaCliente" << QRectF(100, 262, 78, 0);
        QTest::newRow("footer band") << "shpCalce" << QRectF(1, 270, 188, 5.8);
        QTest::newRow("footer") << "txtCalce" << QRectF(2, 271, 185.8, 4.2);
    }
    void objectsStandWhereTheSheetPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, mmRect);
        const Document document = filledSheet([](const QString&) { return QString(); });
        rf::Test::verifyPlacedMm(document.pages.front(), name, mmRect, 0.01);
    }

    void everyFixedTextFitsItsLine()
    {
        // Fixed texts and bare prefixes are cut at the object's edge when too long: none may be.
        const Document document = filledSheet([](const QString&) { return QString(); });
        for (const Item& item : document.pages.front().items) {
            for (const PlacedLine& line : item.lines)
                QVERIFY2(textWidth(item.font, line.text) <= line.rect.width(), qPrintable(item.name));
        }
        const Item* notice = document.pages.front().find(QStringLiteral("txtRaccomandazioni"));
        QVERIFY(notice->lines.size() > 1);
        QVERIFY(notice->lines.back().rect.bottom() <= notice->rect.bottom());
        QVERIFY(notice->text().endsWith(QStringLiteral("1588 del Codice civile.")));
    }

    void windowPrintsTheFormAsItStandsAndCloses()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 7, 21), QTime(18, 5, 9));
        TfrmContratti_Noleggio_Bici form(fake.context());
        fillForm(form, {{"Cliente", "  ROSSI MARIO "},
                        {"Minore", "ROSSI GIULIA"},
                        {"TotGiorni", "4"},
                        {"Difetti", " Graffio sul carter "}});
        TfrmStampa_Scheda_Danni_Bici dialog(fake.context(), &form, form.shownCard());
        QCOMPARE(dialog.objectName(), QStringLiteral("frmStampa_Scheda_Danni_Bici"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Stampa scheda verifica stato veicolo"));
        QCOMPARE(dialog.size(), QSize(363, 300));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnSchedaVerifica"))->text(),
                 QStringLiteral("Stampa"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->text(),
                 QStringLiteral("Annulla"));
        dialog.show();
        QVERIFY(click(&dialog, QStringLiteral("btnSchedaVerifica")));

        QCOMPARE(fake.messages().count(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fake.reports().printed.size(), std::size_t(1));
        const Document& printed = fake.reports().printed.front();
        QCOMPARE(printed.name, QStringLiteral("Scheda Verifica Stato Bici"));
        QCOMPARE(textOf(printed, "txtCliente"), QStringLiteral("Cognome e nome:  ROSSI MARIO"));
        QCOMPARE(textOf(printed, "txtMinore"), QStringLiteral("Minore:  ROSSI GIULIA"));
        QCOMPARE(textOf(printed, "txtTotGiorni"), QStringLiteral("Tot. giorni:  4"));
        QCOMPARE(textOf(printed, "txtDifetti"), QStringLiteral("Graffio sul carter"));
        QCOMPARE(textOf(printed, "txtSedeRic"), QStringLiteral("Sede riconsegna:  "));
        QCOMPARE(textOf(printed, "txtCalce"),
                 QStringLiteral("Stampa eseguita in data 21/07/2024 alle ore 18:05:09"));

        // Without Logo.bmp the built-in logo; the right-hand view is the left-hand drawing mirrored.
        const LaidOutPage& page = printed.pages.front();
        QCOMPARE(page.find(QStringLiteral("imgLogo"))->picture, rf::CompanyLogo::builtInLogo());
        const QImage left = page.find(QStringLiteral("Picture1"))->picture;
        const QImage right = page.find(QStringLiteral("Picture2"))->picture;
        QVERIFY(!left.isNull());
        QCOMPARE(left, TfrmStampa_Scheda_Danni_Bici::bicycleRightSide());
        QVERIFY(left != right);
        QCOMPARE(right, left.mirrored(true, false));
        // Drawn in black on white, fitted and centred in its frame.
        QCOMPARE(left.pixelColor(0, 0), QColor(Qt::white));
        int black = 0;
        for (int y = 0; y < left.height(); y += 4) {
            for (int x = 0; x < left.width(); x += 4)
                black += qGray(left.pixel(x, y)) < 64 ? 1 : 0;
        }
        QVERIFY(black > 1000);
        for (const char* name : {"Picture1", "Picture2"}) {
            const Item* view = page.find(QLatin1String(name));
            QVERIFY(std::abs(view->pictureRect.center().x() - view->rect.center().x()) < 0.01);
            QVERIFY(std::abs(view->pictureRect.center().y() - view->rect.center().y()) < 0.01);
        }
    }

    void failedPrintWarnsAndCloses()
    {
        FakeContext fake;
        fake.reports().fail = true;
        TfrmContratti_Noleggio_Bici form(fake.context());
        TfrmStampa_Scheda_Danni_Bici dialog(fake.context(), &form, form.shownCard());
        dialog.show();
        QVERIFY(click(&dialog, QStringLiteral("btnSchedaVerifica")));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                                "Si consiglia di ridurre le dimensioni della foto."));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    void cancelClosesWithoutPrinting()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici form(fake.context());
        TfrmStampa_Scheda_Danni_Bici dialog(fake.context(), &form, form.shownCard());
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnAnnulla")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(fake.reports().printed.empty());
        QCOMPARE(fake.messages().count(), 0);
    }

    void pdfCarriesTheSheet()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdftotext or pdfinfo is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scheda.pdf"));
        const QImage bike = TfrmStampa_Scheda_Danni_Bici::bicycleRightSide();
        Report report = conditionSheet();
        fillConditionSheet(report, rf::CompanyLogo::builtInLogo(), bike, bike.mirrored(true, false),
                           PrintedAt, [](const QString& field) {
                               return field == QLatin1String("Cliente") ? QStringLiteral("BIANCHI ANNA")
                                                                        : QString();
                           });
        const Prepared prepared = prepare(report, PrintedAt.date());
        QVERIFY(prepared.ok);
        QVERIFY(writePdf(prepared.document, path));

        // pdftotext gives runs of blanks back as one.
        const QString text =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        for (const char* expected :
             {"SCHEDA DI VERIFICA STATO VEICOLO", "Cognome e nome: BIANCHI ANNA", "LATO DESTRO",
              "LATO SINISTRO", "U=Usurato", "DIFETTI RISCONTRATI AL RIENTRO",
              "Stampa eseguita in data 05/03/2024 alle ore 09:41:07"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        const QString info = runTool(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595 x 842 pts \\(A4\\)"))));
    }
};

RF_REGISTER_TEST(ConditionSheetTest)
#include "ConditionSheetTest.moc"
