#include "fleet/VehicleSearch.h"
#include "common/ui/ExportWindow.h"
#include "fleet/FleetExport.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmExpAutoparco.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "storage/Cp1252.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStackedLayout>
#include <QTableView>
#include <QTest>

#include <optional>

using namespace rf;
using rf::Test::AsPlainUser;
using namespace rf::Test;

namespace {

QString lineOf(const QMap<QString, QString>& values)
{
    const QByteArray bytes = encodeRecord(TSchedaVeicolo(), values);
    return Cp1252::decode(Fleet::searchLine(RecordView(TSchedaVeicolo(), bytes.constData(), 1)));
}

QStringList listed(const TfrmTrovaBici& search)
{
    return search.lines().lines();
}

} // namespace

class VehicleSearchTest : public QObject {
    Q_OBJECT
private slots:
    void lineFitsEachColumn()
    {
        const QString line = lineOf({{QStringLiteral("BiciNum"), QStringLiteral("1234567890ABCDEFGH")},
                                     {QStringLiteral("Marca"), QStringLiteral("Bianchi")},
                                     {QStringLiteral("Taglia"), QStringLiteral("M")},
                                     {QStringLiteral("Colore"), QStringLiteral("Rosso")},
                                     {QStringLiteral("Anno"), QStringLiteral("2023")},
                                     {QStringLiteral("Stato"), QStringLiteral("Ottimo stato")}});
        QCOMPARE(line,
                 QStringLiteral("Bici n. 1234567890ABCDE  Bianchi                       Taglia: M           "
                                "  Colore: Rosso                     Anno: 2023        Stato: Ottimo stato"));
    }

    void cercaListsTheCardsMatchingEveryFilter()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("2"), QStringLiteral("Atala City"),
                   {{"Taglia", "M"}, {"Colore", "Rosso"}});
        addVehicle(fake, QStringLiteral("10"), QStringLiteral("Bianchi CITY"),
                   {{"Taglia", "m"}, {"Colore", "Blu"}});
        addVehicle(fake, QStringLiteral("3"), QStringLiteral("Atala City"),
                   {{"Taglia", "L"}, {"Colore", "Rosso"}});
        addVehicle(fake, QStringLiteral("4"), QStringLiteral("Olmo Gravel"),
                   {{"Taglia", "M"}, {"Colore", "Nero"}});
        TfrmTrovaBici search(fake.context(), nullptr, TfrmTrovaBici::Mode::Fleet);
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QVERIFY(search.filterEdit(QStringLiteral("txtBiciNum"))->hasFocus());
        search.filterEdit(QStringLiteral("txtMarca"))->setText(QStringLiteral("city"));
        search.filterEdit(QStringLiteral("txtTaglia"))->setText(QStringLiteral("M"));
        QVERIFY(click(&search, QStringLiteral("btnCerca")));
        QCOMPARE(search.lblConta, QStringLiteral("2"));
        const QStringList lines = listed(search);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Bici n. 10 "))); // sorted by text: 10 before 2
        QVERIFY(lines.at(1).startsWith(QStringLiteral("Bici n. 2 ")));
        QCOMPARE(child<QLabel>(&search, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 2 schede"));
        QVERIFY(child<QWidget>(&search, QStringLiteral("panContainer"))->isVisible());
        QVERIFY(!child<QWidget>(&search, QStringLiteral("panAvvio"))->isVisible());
        QTRY_VERIFY(child<QLineEdit>(&search, QStringLiteral("txtTrova"))->hasFocus());
    }

    void noFilterListsEveryCard()
    {
        FakeContext fake;
        for (int i = 1; i <= 3; ++i)
            addVehicle(fake, QString::number(i), QStringLiteral("Atala"),
                       {{"Taglia", "M"}, {"Colore", "Nero"}});
        TfrmTrovaBici search(fake.context(), nullptr, TfrmTrovaBici::Mode::Fleet);
        search.show();
        search.filterEdit(QStringLiteral("txtNote"))->setText(QStringLiteral("   "));
        search.btnCercaClick();
        QCOMPARE(search.lblConta, QStringLiteral("0"));
        QCOMPARE(listed(search).size(), 3);
    }

    void doubleClickShowsTheClickedCardInTheFleetWindow()
    {
        FakeContext fake;
        // Two cards whose numbers differ only after the fifteenth character give the same line.
        addVehicle(fake, QStringLiteral("1234567890ABCDE-first"), QStringLiteral("Atala"),
                   {{"Taglia", "M"}, {"Colore", "Nero"}, {"Note", "prima"}});
        addVehicle(fake, QStringLiteral("1234567890ABCDE-second"), QStringLiteral("Atala"),
                   {{"Taglia", "M"}, {"Colore", "Nero"}, {"Note", "seconda"}});
        TfrmAutoparco fleet(fake.context());
        fleet.show();
        QVERIFY(driveModal([&] { QVERIFY(click(&fleet, QStringLiteral("cmdTrova"))); },
                           [](QWidget* dialog) {
                               auto* search = qobject_cast<TfrmTrovaBici*>(dialog);
                               QVERIFY(search);
                               QCOMPARE(search->lblMemory, TfrmTrovaBici::Mode::Fleet);
                               QVERIFY(click(search, QStringLiteral("btnCerca")));
                               QCOMPARE(search->lines().lines().at(0), search->lines().lines().at(1));
                               QVERIFY(
                                   doubleClickRow(child<QListView>(search, QStringLiteral("lstRecords")), 0));
                           }));
        QCOMPARE(fleet.position(), QStringLiteral("1"));
        QCOMPARE(fleet.edit(QStringLiteral("BiciNum"))->text(), QStringLiteral("1234567890ABCDE-first"));
        QCOMPARE(fleet.edit(QStringLiteral("Note"))->text(), QStringLiteral("prima"));
    }

    void keyboardAloneSearchesAndChoosesACard()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("2"), QStringLiteral("Atala"), {{"Taglia", "M"}, {"Colore", "Nero"}});
        addVehicle(fake, QStringLiteral("10"), QStringLiteral("Bianchi"),
                   {{"Taglia", "L"}, {"Colore", "Blu"}});
        TfrmTrovaBici search(fake.context(), nullptr, TfrmTrovaBici::Mode::Contracts);
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        // Tab from the last filter reaches Cerca, and Enter there searches.
        search.filterEdit(QStringLiteral("txtNote"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(&search, QStringLiteral("btnCerca")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(listed(search).size(), 2);
        // On to the list; the line of vehicle 2 is the last; Enter chooses it as a double click does.
        auto* list = child<QListView>(&search, QStringLiteral("lstRecords"));
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!search.isVisible());
        QCOMPARE(search.result(), int(QDialog::Accepted));
        QCOMPARE(search.chosenPosition(), qint64(1));
    }

    void filterLabelsSitOnTheirFieldsAndTheFocusBoxHugsTheField()
    {
        FakeContext fake;
        TfrmTrovaBici search(fake.context(), nullptr, TfrmTrovaBici::Mode::Fleet);
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        const QList<QLabel*> labels = search.findChildren<QLabel*>();
        for (const char* name : {"txtBiciNum", "txtTaglia", "txtNote"}) {
            QLineEdit* edit = search.filterEdit(QLatin1String(name));
            const auto label =
                std::find_if(labels.begin(), labels.end(), [edit](QLabel* l) { return l->buddy() == edit; });
            QVERIFY(label != labels.end());
            const QRect field(edit->mapTo(&search, QPoint()), edit->size());
            const QRect caption((*label)->mapTo(&search, QPoint()), (*label)->size());
            QVERIFY2(caption.bottom() < field.top() && field.top() - caption.bottom() <= 6, name);
            edit->setFocus();
            QWidget* box = search.findChild<QWidget*>(QStringLiteral("effCampo01"));
            if (QLatin1String(name) == QLatin1String("txtTaglia"))
                box = search.findChild<QWidget*>(QStringLiteral("effCampo10"));
            else if (QLatin1String(name) == QLatin1String("txtNote"))
                box = search.findChild<QWidget*>(QStringLiteral("effCampo04"));
            QTRY_VERIFY(box->isVisible());
            QCOMPARE(QRect(box->mapTo(&search, QPoint()), box->size()), field.adjusted(-4, -4, 4, 4));
        }
    }

    void exportWindowOpensOnEsportaAndIsWorkedFromTheKeyboard()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-1"), QStringLiteral("Olmo"), {{"Taglia", "L"}, {"Colore", "Blu"}});
        TfrmExpAutoparco window(fake.context(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), child(&window, QStringLiteral("cmdEsporta")));
        QCOMPARE(child<QLabel>(&window, QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
        fake.messages().answerNext(false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        fake.messages().answerNext(false);
        QTest::keyClick(window.grid(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(fake.messages().count(), 2);
        QCOMPARE(fake.messages().last().kind, MessageKind::Confirmation);
        // Tab leaves the grid rather than walking its cells.
        window.grid()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window.grid(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != window.grid());
        QVERIFY(driveModal([&] { QTest::keyClick(window.grid(), Qt::Key_F1); },
                           [](QWidget* guide) {
                               QCOMPARE(guide->objectName(), QStringLiteral("frmGuida"));
                               QTest::keyClick(guide, Qt::Key_Escape);
                           }));
        QVERIFY(window.isVisible());
        QTest::keyClick(window.grid(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void closingTheSearchLeavesTheCardAlone()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"), QStringLiteral("Atala"), {{"Taglia", "M"}, {"Colore", "Nero"}});
        TfrmAutoparco fleet(fake.context());
        fleet.show();
        fleet.edit(QStringLiteral("Marca"))->setText(QStringLiteral("in corso"));
        QVERIFY(driveModal([&] { QVERIFY(click(&fleet, QStringLiteral("cmdTrova"))); },
                           [](QWidget* dialog) {
                               QVERIFY(click(dialog, QStringLiteral("btnCerca")));
                               QVERIFY(click(dialog, QStringLiteral("btnChiudi")));
                           }));
        QCOMPARE(fleet.position(), QString());
        QCOMPARE(fleet.edit(QStringLiteral("Marca"))->text(), QStringLiteral("in corso"));
    }

    void exportGridShowsEveryCardInArchiveOrder()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-2"), QStringLiteral("Atala"),
                   {{"Taglia", "M"}, {"Colore", "Nero"}, {"TelResponsabile", "0464 123"}});
        addVehicle(fake, QStringLiteral("B-1"), QStringLiteral("Olmo"), {{"Taglia", "L"}, {"Colore", "Blu"}});
        TfrmExpAutoparco window(fake.context(), nullptr);
        QCOMPARE(window.windowTitle(), QStringLiteral(" Esportazione archivio veicoli in Excel"));
        QAbstractItemModel* grid = window.grid()->model();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->columnCount(), 26);
        QCOMPARE(grid->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QCOMPARE(grid->headerData(17, Qt::Horizontal).toString(), QStringLiteral("Tel. assicuratore"));
        QCOMPARE(grid->index(1, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(grid->index(1, 1).data().toString(), QStringLiteral("B-1"));
        QCOMPARE(grid->index(0, 17).data().toString(), QString()); // the insurer's phone left empty
        QCOMPARE(grid->index(0, 20).data().toString(), QStringLiteral("0464 123"));
        QCOMPARE(window.grid()->columnWidth(25), 350);
    }

    void exportAsksTwiceAndOpensTheSheetOnYes_data()
    {
        QTest::addColumn<bool>("exportIt");
        QTest::addColumn<bool>("openIt");
        QTest::newRow("no export") << false << false;
        QTest::newRow("export, do not open") << true << false;
        QTest::newRow("export and open") << true << true;
    }

    void exportAsksTwiceAndOpensTheSheetOnYes()
    {
        QFETCH(bool, exportIt);
        QFETCH(bool, openIt);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-1"), QStringLiteral("Olmo"), {{"Taglia", "L"}, {"Colore", "Blu"}});
        TfrmExpAutoparco window(fake.context(), nullptr);
        fake.messages().answerNext(exportIt);
        fake.messages().answerNext(openIt);
        window.show();
        QVERIFY(click(&window, QStringLiteral("cmdEsporta")));
        const QString sheet = fake.file(QStringLiteral("Parco_Veicoli.xls"));
        QCOMPARE(QFile::exists(sheet), exportIt);
        QCOMPARE(fake.messages().all().first().text,
                 QStringLiteral(
                     "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero "
                     "di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"));
        QCOMPARE(fake.messages().count(), exportIt ? 2 : 1);
        if (exportIt) {
            QCOMPARE(fake.messages().last().text,
                     QStringLiteral(
                         "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire "
                         "il file di Excel?"));
            const QByteArray bytes = readFile(sheet);
            QVERIFY(bytes.contains("<x:Name>Parco Veicoli</x:Name>"));
            QVERIFY(bytes.contains("width=250>Bicicletta n.</td>"));
            QVERIFY(bytes.endsWith(
                "<td style=\"text-align: left;\">Olmo</td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\">L</td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\">Blu</td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\"></td>"
                "</tr></table></body></html>"));
        }
        QCOMPARE(fake.shell().opened,
                 openIt ? QStringList{QLatin1Char('"') + QDir::toNativeSeparators(sheet) + QLatin1Char('"')}
                        : QStringList());
    }

    void failedExportSaysSoAndLeavesNoPartialFile()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-1"), QStringLiteral("Olmo"), {{"Taglia", "L"}, {"Colore", "Blu"}});
        TfrmExpAutoparco window(fake.context(), nullptr);
        const QStringList before = QDir(fake.folder()).entryList(QDir::Files | QDir::Hidden);
        {
            FileWritesFail full;
            window.cmdEsportaClick();
        }
        QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral(
                     "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il "
                     "file di Excel non sia già aperto."));
        QCOMPARE(QDir(fake.folder()).entryList(QDir::Files | QDir::Hidden), before);
        QVERIFY(window.isEnabled());
    }

    // An archive that cannot be read is never exported: the last good sheet stays; a sheet
    // name that is a link is never written through.
    void exportNeverReplacesTheSheetWithLessOrThroughALink_data()
    {
        QTest::addColumn<bool>("link");
        QTest::newRow("archive unreadable") << false;
        QTest::newRow("sheet is a link") << true;
    }
    void exportNeverReplacesTheSheetWithLessOrThroughALink()
    {
        QFETCH(bool, link);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-1"), QStringLiteral("Olmo"), {{"Taglia", "L"}, {"Colore", "Blu"}});
        const QString sheet = fake.file(QStringLiteral("Parco_Veicoli.xls"));
        const QString target = fake.file(QStringLiteral("altrove.txt"));
        QVERIFY(writeFile(link ? target : sheet, "foglio di ieri"));
        if (link)
            QVERIFY(QFile::link(target, sheet));
        const QString archive = fake.file(QStringLiteral("Parco_Veicoli.pro"));
        QVERIFY(QFile::setPermissions(fake.folder(), QFileDevice::Permissions(0x7777)));
        if (!link)
            QVERIFY(QFile::setPermissions(archive, {}));
        {
            std::optional<AsPlainUser> plain;
            if (!link)
                plain.emplace();
            TfrmExpAutoparco window(fake.context(), nullptr);
            fake.messages().answerNext(true);
            fake.messages().answerNext(false);
            window.cmdEsportaClick();
            if (!link)
                QCOMPARE(window.grid()->model()->index(0, 1).data().toString(), QString());
        }
        QFile::setPermissions(archive, QFileDevice::Permissions(0x6644));
        QCOMPARE(readFile(link ? target : sheet), QByteArray("foglio di ieri"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QVERIFY2(fake.messages().last().text.startsWith(
                     link ? QStringLiteral("Attenzione: il file \"Parco_Veicoli.xls\" è un collegamento")
                          : QStringLiteral("Attenzione: non è stato possibile leggere l'intero archivio")),
                 qPrintable(fake.messages().last().text));
    }
};

RF_REGISTER_TEST(VehicleSearchTest)
#include "VehicleSearchTest.moc"
