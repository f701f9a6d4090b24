#include "contracts/CompanyLogo.h"
#include "contracts/SchedaContratto.h"
#include "contracts/documents/ContractConditions.h"
#include "contracts/documents/ContractFront.h"
#include "contracts/ui/TfrmAnteprima_Contratto_Noleggio_Bici.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmStampa_Contratto_Noleggio_Bici.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "storage/RecordLayout.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/Pages.h"
#include "support/TestMain.h"
#include "support/Tools.h"

#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Reports;
using namespace rf::Test;

namespace {

const QDate Today(2024, 3, 5);

Document filledFront(const QMap<QString, QString>& values, const QImage& logo = CompanyLogo::builtInLogo())
{
    Report front = contractFront(ContractPrint::bicyclePicture());
    fillContractFront(front, logo, [&values](const QString& field) { return values.value(field); });
    const Prepared prepared = prepare(front, Today);
    return prepared.ok ? prepared.document : Document{};
}

Document conditions()
{
    const Prepared prepared = prepare(contractConditions(), Today);
    return prepared.ok ? prepared.document : Document{};
}

const Item* itemOf(const Document& document, const QString& name)
{
    return document.pages.empty() ? nullptr : document.pages.front().find(name);
}

QString textOf(const Document& document, const QString& name)
{
    const Item* item = itemOf(document, name);
    return item ? item->text() : QStringLiteral("<missing %1>").arg(name);
}

// A wrapped paragraph as one line of running text.
QString paragraphOf(const Document& document, const QString& name)
{
    return textOf(document, name).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The contract form and one of the two windows over it, opened on show() with the contract as
// the form then shows it.
struct WindowFixture {
    FakeContext fake;
    std::unique_ptr<TfrmContratti_Noleggio_Bici> form;
    bool preview;
    QDialog* window = nullptr;

    explicit WindowFixture(bool previewWindow) : preview(previewWindow)
    {
        form = std::make_unique<TfrmContratti_Noleggio_Bici>(fake.context());
    }
    void show()
    {
        if (preview)
            window = new TfrmAnteprima_Contratto_Noleggio_Bici(fake.context(), form.get(), form->shownCard());
        else
            window = new TfrmStampa_Contratto_Noleggio_Bici(fake.context(), form.get(), form->shownCard());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
};

} // namespace

class ContractPrintTest : public QObject {
    Q_OBJECT
private slots:
    void frontPrintsPrefixThenTrimmedValue_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("blanks around, kept inside") << "Cliente"
                                                    << "  Rossi  Mario "
                                                    << "Cognome e nome:  Rossi  Mario";
        QTest::newRow("empty minor") << "Minore"
                                     << ""
                                     << "Minore:  ";
        QTest::newRow("total after the euro sign") << "Totale"
                                                   << "125,50"
                                                   << "Imp. totale:  € 125,50";
        QTest::newRow("empty deposit") << "Cauzione"
                                       << "   "
                                       << "Cauzione:  € ";
        QTest::newRow("days with full stop") << "TotGiorni"
                                             << ""
                                             << "Tot. giorni:  ";
        QTest::newRow("days") << "TotGiorni"
                              << "4"
                              << "Tot. giorni:  4";
        QTest::newRow("payment alone") << "Pagamento"
                                       << " Contanti "
                                       << "Contanti";
        QTest::newRow("court alone") << "Foro"
                                     << "Foro di Rovereto"
                                     << "Foro di Rovereto";
        QTest::newRow("document issuer") << "EnteRil"
                                         << "Comune di Trento "
                                         << "Ente ril.  Comune di Trento";
    }
    void frontPrintsPrefixThenTrimmedValue()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, printed);
        const Document front = filledFront({{field, value}});
        QCOMPARE(textOf(front, QStringLiteral("txt") + field), printed);
    }

    void emptyFormPrintsPrefixesAndFixedTexts()
    {
        const Document front = filledFront({});
        QCOMPARE(front.name, QStringLiteral("Contratto Noleggio Bicicletta"));
        QCOMPARE(front.pages.size(), std::size_t(1));
        QCOMPARE(front.pages.front().orientation, QPageLayout::Portrait);
        // Every printed field is a contract field; with nothing typed it shows its bare prefix.
        const QStringList fields = contractFrontFields();
        QCOMPARE(fields.size(), 47);
        for (const QString& field : fields) {
            QVERIFY2(TSchedaContratto().indexOf(field) >= 0, qPrintable(field));
            const QString text = textOf(front, QStringLiteral("txt") + field);
            QVERIFY2(text.isEmpty() || text.endsWith(QLatin1String("  ")) ||
                         text.endsWith(QStringLiteral("  € ")),
                     qPrintable(field + QLatin1Char('=') + text));
        }
        QCOMPARE(textOf(front, QStringLiteral("txtTitolo")),
                 QStringLiteral("CONTRATTO DI NOLEGGIO BICICLETTE"));
        QCOMPARE(textOf(front, QStringLiteral("titFirmaCliente")), QStringLiteral("FIRMA DEL CLIENTE"));
        // The notice wraps inside its frame, whole.
        const Item* notice = itemOf(front, QStringLiteral("txtRaccomandazioni"));
        QVERIFY(notice && notice->lines.size() > 3);
        QVERIFY(notice->lines.back().rect.bottom() <= notice->rect.bottom() + 0.01);
        const QString noticeText = paragraphOf(front, QStringLiteral("txtRaccomandazioni"));
        QVERIFY(noticeText.startsWith(
            QStringLiteral("Ai sensi del Regolamento UE 2016/679 (Regolamento Generale")));
        QVERIFY(noticeText.endsWith(
            QStringLiteral("la rettifica o la cancellazione dei dati che lo riguardano.")));
        // No one-line text of the page is cut at its edge.
        for (const Item& item : front.pages.front().items) {
            for (const PlacedLine& line : item.lines)
                QVERIFY2(textWidth(item.font, line.text) <= item.rect.width(), qPrintable(item.name));
        }
    }

    void frontGeometryFollowsTheMillimetres_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("rectMm"); // from the printable area's top left
        QTest::newRow("logo") << "imgLogo" << QRectF(1, 1, 79, 39);
        QTest::newRow("bicycle") << "picVeicolo" << QRectF(84, 98.2, 23, 11);
        QTest::newRow("days") << "txtTotGiorni" << QRectF(162.5, 134, 25.5, 4);
        QTest::newRow("notice") << "txtRaccomandazioni" << QRectF(2, 193, 185.9, 22);
        QTest::newRow("customer box") << "shpCliente" << QRectF(1, 68, 188, 29);
        QTest::newRow("costs band") << "titCosti" << QRectF(1, 147, 188, 5.8);
        QTest::newRow("customer signature line") << "linFirmaCliente" << QRectF(100, 253, 78, 0);
        QTest::newRow("two pages note") << "titPrivacy" << QRectF(2, 274, 193, 3.8);
    }
    void frontGeometryFollowsTheMillimetres()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, rectMm);
        rf::Test::verifyPlacedMm(filledFront({}).pages.front(), name, rectMm, 0.5); // about 0.13 mm
    }

    void ruledBoxesSeparateEveryCellWithoutCrossingText()
    {
        const LaidOutPage page = filledFront({}).pages.front();
        for (const QString section : {"Cliente", "Veicolo", "Costi"}) {
            const QRectF box = page.find(QStringLiteral("shp") + section)->rect;
            QList<QRectF> cells;
            QList<QLineF> rules;
            for (const Item& item : page.items) {
                if (item.kind == Kind::Text && item.name.startsWith(QLatin1String("txt")) &&
                    box.contains(item.rect))
                    cells.append(item.rect);
                if (item.kind == Kind::Line && item.name.startsWith(QStringLiteral("lin") + section))
                    rules.append(QLineF(item.rect.topLeft(), item.rect.bottomRight()));
            }
            QVERIFY2(cells.size() >= 3, qPrintable(section));
            // A rule between neighbouring cells of a row and between rows: one fewer than the cells.
            QCOMPARE(rules.size(), cells.size() - 1);
            for (const QLineF& rule : rules) {
                const QRectF span =
                    QRectF(rule.p1(), rule.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01);
                QVERIFY2(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(span), qPrintable(section));
                for (const QRectF& cell : cells)
                    QVERIFY2(!cell.adjusted(0.5, 0.5, -0.5, -0.5).intersects(span), qPrintable(section));
            }
        }
    }

    void conditionsHoldEveryClauseInFull()
    {
        const Document back = conditions();
        QCOMPARE(back.name, QStringLiteral("Condizioni contrattuali"));
        QCOMPARE(textOf(back, QStringLiteral("txtTitolo")), QStringLiteral("CONDIZIONI CONTRATTUALI"));
        QCOMPARE(paragraphOf(back, QStringLiteral("txtPremessa")),
                 QStringLiteral(
                     "Il Locatore concede in noleggio al Cliente la bicicletta (d'ora in avanti, il veicolo) "
                     "indicata a tergo della presente nei seguenti termini e condizioni:"));
        const QStringList openings{
            "Il Cliente dichiara di aver preventivamente esaminato il veicolo",
            "Il veicolo sarà restituito nel giorno ed ora specificati",
            "Il veicolo può essere condotto esclusivamente dal Cliente o dal minore",
            "Il Cliente si impegna a non manomettere alcuna parte del veicolo",
            "In caso di furto del veicolo",
            "Il Locatore non sarà ritenuto responsabile per perdita o danni",
            "Il Cliente assume per sé l'obbligo tassativo di essere permanentemente",
            "Il veicolo si intende noleggiato secondo le tariffe in vigore",
            "Per il noleggio del veicolo il Cliente è obbligato a depositare",
            "Il Locatore, direttamente o tramite un'officina autorizzata",
            "Sono a carico del Cliente le operazioni di piccola manutenzione",
            "Sono a carico del Cliente le ammende e contravvenzioni",
            "Il Cliente, consapevole di essere perseguibile",
        };
        QCOMPARE(ContractClauseCount, int(openings.size()));
        for (int i = 0; i < openings.size(); ++i) {
            const QString number = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            QCOMPARE(textOf(back, QStringLiteral("txtNumero") + number), QStringLiteral("%1.").arg(i + 1));
            const QString clause = paragraphOf(back, QStringLiteral("txtClausola") + number);
            QVERIFY2(clause.startsWith(openings.at(i)), qPrintable(clause));
            QVERIFY2(clause.size() > 250 && clause.endsWith(QLatin1Char('.')), qPrintable(clause));
        }
        QCOMPARE(
            paragraphOf(back, QStringLiteral("txtAccettazione")),
            QStringLiteral(
                "Il Cliente dichiara di comprendere ed accettare tutte le clausole del presente contratto."));
        QCOMPARE(textOf(back, QStringLiteral("titLuogo")), QStringLiteral("Luogo:"));
        QCOMPARE(textOf(back, QStringLiteral("titFirmaCliente")), QStringLiteral("IL CLIENTE:"));
        QCOMPARE(textOf(back, QStringLiteral("titFirmaLocatore")), QStringLiteral("IL LOCATORE:"));
    }

    void conditionsFillTheirAreaWithoutOverflowing()
    {
        const Document back = conditions();
        QCOMPARE(back.pages.size(), std::size_t(1));
        const LaidOutPage& page = back.pages.front();
        QCOMPARE(page.orientation, QPageLayout::Portrait);
        const QRectF area(mm(7), mm(8), mm(194), mm(264));
        QCOMPARE(contractConditionsArea(), area);
        const QRectF tolerant = area.adjusted(-0.01, -0.01, 0.01, 0.01);
        double lowest = 0;
        std::vector<QRectF> placed;
        for (const Item& item : page.items) {
            const QRectF rect = item.rect.normalized();
            QVERIFY2(tolerant.contains(rect.topLeft()) && tolerant.contains(rect.bottomRight()),
                     qPrintable(item.name));
            for (const PlacedLine& line : item.lines) {
                QVERIFY2(tolerant.contains(line.rect), qPrintable(item.name));
                QVERIFY2(line.rect.bottom() <= item.rect.bottom() + 0.01, qPrintable(item.name));
                QVERIFY2(textWidth(item.font, line.text) <= line.rect.width(), qPrintable(line.text));
                placed.push_back(line.rect);
            }
            lowest = qMax(lowest, rect.bottom());
        }
        // No two lines overlap, and the block reaches down to the foot of the area.
        for (std::size_t i = 0; i < placed.size(); ++i) {
            for (std::size_t j = i + 1; j < placed.size(); ++j)
                QVERIFY(!placed[i].adjusted(0.01, 0.01, -0.01, -0.01).intersects(placed[j]));
        }
        QVERIFY2(lowest > area.bottom() - mm(3), qPrintable(QString::number(toMm(lowest))));
        QVERIFY(contractConditionsFontSize() >= 8);
    }

    void printWindowPrintsTheFrontAsTyped()
    {
        WindowFixture f(false);
        f.form->edit(QStringLiteral("Cliente"))->setText(QStringLiteral("  Bianchi Anna "));
        f.form->edit(QStringLiteral("Totale"))->setText(QStringLiteral("125,50"));
        f.show();
        QCOMPARE(f.window->objectName(), QStringLiteral("frmStampa_Contratto_Noleggio_Bici"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral(" Stampa Contratto Noleggio Bicicletta"));
        QVERIFY(click(f.window, QStringLiteral("btnStampa")));
        QCOMPARE(f.fake.reports().printed.size(), std::size_t(1));
        const Document& printed = f.fake.reports().printed.front();
        QCOMPARE(printed.name, QStringLiteral("Contratto Noleggio Bicicletta"));
        QCOMPARE(textOf(printed, QStringLiteral("txtCliente")),
                 QStringLiteral("Cognome e nome:  Bianchi Anna"));
        QCOMPARE(textOf(printed, QStringLiteral("txtTotale")), QStringLiteral("Imp. totale:  € 125,50"));
        QCOMPARE(textOf(printed, QStringLiteral("txtNumDoc")), QStringLiteral("N.  "));
        QVERIFY(f.fake.reports().previewed.empty());
        QCOMPARE(f.fake.messages().count(), 0);
        QVERIFY(!f.window->isVisible());
    }

    void printWindowPrintsTheConditions()
    {
        WindowFixture f(false);
        f.show();
        QVERIFY(click(f.window, QStringLiteral("btnCondizioni")));
        QCOMPARE(f.fake.reports().printed.size(), std::size_t(1));
        const Document& printed = f.fake.reports().printed.front();
        QCOMPARE(printed.name, QStringLiteral("Condizioni contrattuali"));
        QVERIFY(itemOf(printed, QStringLiteral("txtClausola13")));
        QCOMPARE(f.fake.messages().count(), 0);
        QVERIFY(!f.window->isVisible());
    }

    void previewWindowShowsTheFront()
    {
        WindowFixture f(true);
        f.form->edit(QStringLiteral("BiciNum"))->setText(QStringLiteral("EB-12"));
        f.show();
        QCOMPARE(f.window->objectName(), QStringLiteral("frmAnteprima_Contratto_Noleggio_Bici"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral(" Anteprima di stampa"));
        QVERIFY(click(f.window, QStringLiteral("btnAnteprima")));
        QCOMPARE(f.fake.reports().previewed.size(), std::size_t(1));
        QCOMPARE(textOf(f.fake.reports().previewed.front(), QStringLiteral("txtBiciNum")),
                 QStringLiteral("Bicicletta n.  EB-12"));
        QVERIFY(f.fake.reports().printed.empty());
        QVERIFY(!f.window->isVisible());
    }

    void savedCopyIsNamedAfterTheContractAndItsCustomer()
    {
        WindowFixture f(true);
        QStringList texts(55, QString());
        texts[TSchedaContratto().indexOf(QStringLiteral("Cliente"))] = QStringLiteral("Rossi: Mario");
        {
            QFile archive(f.fake.file(QStringLiteral("Contratti_Noleggio_Bici.pro")));
            QVERIFY(archive.open(QIODevice::WriteOnly));
            archive.write(TSchedaContratto().encode(texts));
            archive.write(TSchedaContratto().encode(texts));
        }
        f.form->showRecord(2);
        f.show();
        QVERIFY(click(f.window, QStringLiteral("btnAnteprima")));
        QCOMPARE(f.fake.reports().previewed.size(), std::size_t(1));
        QCOMPARE(f.fake.reports().previewed.front().fileName, QStringLiteral("Contratto n. 2 Rossi Mario"));
        QCOMPARE(f.fake.reports().previewed.front().name, QStringLiteral("Contratto Noleggio Bicicletta"));
    }

    void theLogoIsLogoBmpOrTheBuiltInPicture_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("Logo.bmp missing") << false;
        QTest::newRow("Logo.bmp present") << true;
    }
    void theLogoIsLogoBmpOrTheBuiltInPicture()
    {
        QFETCH(bool, withFile);
        WindowFixture f(true);
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(QColor(200, 30, 30));
        if (withFile)
            QVERIFY(CompanyLogo::saveLogo(f.fake.context().dataFolder(), logo));
        f.show();
        QVERIFY(click(f.window, QStringLiteral("btnAnteprima")));
        QCOMPARE(f.fake.reports().previewed.size(), std::size_t(1));
        const Item* item = itemOf(f.fake.reports().previewed.front(), QStringLiteral("imgLogo"));
        QVERIFY(item);
        const QImage expected = withFile ? logo : CompanyLogo::builtInLogo();
        QCOMPARE(item->picture.convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
    }

    void failedOutputShowsItsWarningAndCloses_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("front")
            << false << "btnStampa"
            << "Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\rSi consiglia "
               "di ridurre le dimensioni della foto.";
        QTest::newRow("back")
            << false << "btnCondizioni"
            << "Attenzione: la stampa non è andata a buon fine.\n\r\n\rSi consiglia di controllare "
               "le impostazioni della stampante.";
        QTest::newRow("preview")
            << true << "btnAnteprima"
            << "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è "
               "andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.";
    }
    void failedOutputShowsItsWarningAndCloses()
    {
        QFETCH(bool, preview);
        QFETCH(QString, button);
        QFETCH(QString, message);
        WindowFixture f(preview);
        f.fake.reports().fail = true;
        f.show();
        QVERIFY(click(f.window, button));
        QCOMPARE(f.fake.messages().count(), 1);
        QCOMPARE(f.fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(f.fake.messages().last().text, message);
        QVERIFY(!f.window->isVisible());
    }

    void closeButtonsCloseWithoutOutput_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print window") << false;
        QTest::newRow("preview window") << true;
    }
    void closeButtonsCloseWithoutOutput()
    {
        QFETCH(bool, preview);
        WindowFixture f(preview);
        f.show();
        QVERIFY(click(f.window, QStringLiteral("btnAnnulla")));
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.fake.reports().printed.empty() && f.fake.reports().previewed.empty());
    }

    void pdfCarriesTheTextsOfBothSides()
    {
        QTemporaryDir dir;
        const QString frontPdf = dir.filePath(QStringLiteral("fronte.pdf"));
        const QString backPdf = dir.filePath(QStringLiteral("retro.pdf"));
        QVERIFY(writePdf(filledFront({{"Cliente", "Bianchi Anna"}, {"Totale", "125,50"}}), frontPdf));
        QVERIFY(writePdf(conditions(), backPdf));
        const QString info = runTool(QStringLiteral("pdfinfo"), {frontPdf});
        if (info.isEmpty())
            QSKIP("pdfinfo is not installed");
        QVERIFY2(info.contains(QStringLiteral("595 x 842")), qPrintable(info)); // portrait A4
        const QString front =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), frontPdf, QStringLiteral("-")});
        QVERIFY2(front.contains(QStringLiteral("CONTRATTO DI NOLEGGIO BICICLETTE")), qPrintable(front));
        QVERIFY(front.contains(QStringLiteral("Bianchi Anna")));
        QVERIFY(front.contains(QStringLiteral("€ 125,50")));
        const QString back =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), backPdf, QStringLiteral("-")});
        QVERIFY2(back.contains(QStringLiteral("CONDIZIONI CONTRATTUALI")), qPrintable(back));
        QVERIFY(back.contains(QStringLiteral("IL LOCATORE:")));
    }
};

RF_REGISTER_TEST(ContractPrintTest)
#include "ContractPrintTest.moc"
