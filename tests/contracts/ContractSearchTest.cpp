#include "contracts/ContractSearch.h"
#include "app/ui/Application.h"
#include "common/ui/Style.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmBiciNonRiconsegnate.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmExpContratti_DOZ_Bici.h"
#include "contracts/ui/TfrmTrovaContratti_DOZ_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "storage/Cp1252.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

const QString Contracts_ = QStringLiteral("Contratti_Noleggio_Bici.pro");

QMap<QString, QString> contract(const QString& customer, const QString& bicycle, const QString& returned = {})
{
    return {{QStringLiteral("Cliente"), customer},
            {QStringLiteral("Recapito"), QStringLiteral("333 1234567")},
            {QStringLiteral("BiciNum"), bicycle},
            {QStringLiteral("Marca"), QStringLiteral("Atala City")},
            {QStringLiteral("DataInizio"), QStringLiteral("01/07/2024")},
            {QStringLiteral("DataFine"), QStringLiteral("03/07/2024")},
            {QStringLiteral("Totale"), QStringLiteral("45,00")},
            {QStringLiteral("Riconsegnato"), returned}};
}

QString lineOf(const QMap<QString, QString>& values)
{
    const QByteArray bytes = encodeRecord(TSchedaContratto(), values);
    return Cp1252::decode(Contracts::listLine(RecordView(TSchedaContratto(), bytes.constData(), 1)));
}

} // namespace

class ContractSearchTest : public QObject {
    Q_OBJECT
private slots:
    void lineFitsEachColumn_data()
    {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short name padded") << "Rossi"
                                           << "Rossi                     ";
        QTest::newRow("long name cut") << "Bartolomeo Alessandrini di Cortemaggiore"
                                       << "Bartolomeo Alessandrini di";
    }

    void lineFitsEachColumn()
    {
        QFETCH(QString, customer);
        QFETCH(QString, shown);
        const QString line = lineOf(contract(customer, QStringLiteral("B-12")));
        QCOMPARE(line.left(26), shown);
        QCOMPARE(line.mid(26, 7), QStringLiteral("  Tel. "));
        QCOMPARE(line.indexOf(QStringLiteral("  Bici n. B-12 ")), 49);
        QCOMPARE(line.mid(137), QStringLiteral("  Tot. \u20AC 45,00"));
        QCOMPARE(line.indexOf(QStringLiteral("45,00")), 146); // the total starts at character 147
    }

    void notReturnedMeansNoExactly_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("out");
        QTest::newRow("No") << "No" << true;
        QTest::newRow("No with blanks") << "  No " << true;
        QTest::newRow("Si") << "S\u00EC" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("NO") << "NO" << false;
        QTest::newRow("no") << "no" << false;
    }

    void notReturnedMeansNoExactly()
    {
        QFETCH(QString, stored);
        QFETCH(bool, out);
        Record record(TSchedaContratto());
        record.setValue(QStringLiteral("Riconsegnato"), stored);
        const QByteArray bytes = record.encode();
        QCOMPARE(Contracts::notReturned(RecordView(TSchedaContratto(), bytes.constData(), 1)), out);
    }

    void searchWithTwoFiltersListsTheContractsMatchingBoth()
    {
        FakeContext fake;
        addContract(fake, contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-1")));
        addContract(fake, contract(QStringLiteral("Bianchi Anna"), QStringLiteral("B-1")));
        addContract(fake, contract(QStringLiteral("Grossi Luca"), QStringLiteral("B-2")));
        addContract(fake, contract(QStringLiteral("ROSSINI Ada"), QStringLiteral("B-1")));
        TfrmTrovaContratti_DOZ_Bici search(fake.context(), nullptr);
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QVERIFY(search.filterEdit(QStringLiteral("txtDataInizio"))->hasFocus());
        search.filterEdit(QStringLiteral("txtCliente"))->setText(QStringLiteral("ross"));
        search.filterEdit(QStringLiteral("txtBiciNum"))->setText(QStringLiteral("B-1"));
        QVERIFY(click(&search, QStringLiteral("btnCerca")));
        QCOMPARE(search.lblConta, QStringLiteral("2"));
        const QStringList lines = search.lines().lines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Rossi Mario")));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("ROSSINI Ada")));
        QCOMPARE(child<QLabel>(&search, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 2 schede."));
    }

    void searchOfAMissingArchiveListsNothingAndCreatesNothing()
    {
        FakeContext fake;
        TfrmTrovaContratti_DOZ_Bici search(fake.context(), nullptr);
        search.show();
        search.btnCercaClick();
        QVERIFY(!QFile::exists(fake.file(Contracts_)));
        QVERIFY(search.lines().lines().isEmpty());
        QCOMPARE(child<QLabel>(&search, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 0 schede."));
    }

    void unreadableArchiveStaysOnTheFilters()
    {
        FakeContext fake;
        QVERIFY(QDir(fake.folder()).mkdir(Contracts_)); // a folder where the archive should be
        TfrmTrovaContratti_DOZ_Bici search(fake.context(), nullptr);
        search.show();
        search.btnCercaClick();
        QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio %1.\n\r\n\r"
                           "Accertarsi di possedere i privilegi di lettura nella cartella dei dati %2, e "
                           "che la cartella sia raggiungibile.")
                .arg(Contracts_, QDir::toNativeSeparators(QDir(fake.folder()).absolutePath())));
        QVERIFY(child<QWidget>(&search, QStringLiteral("panAvvio"))->isVisible());
    }

    void doubleClickOpensTheClickedOfTwoEqualContracts()
    {
        FakeContext fake;
        QMap<QString, QString> first = contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-1"));
        first.insert(QStringLiteral("Note"), QStringLiteral("primo"));
        QMap<QString, QString> second = first;
        second.insert(QStringLiteral("Note"), QStringLiteral("secondo"));
        addContract(fake, first);
        addContract(fake, second);
        TfrmContratti_Noleggio_Bici form(fake.context());
        form.show();
        QVERIFY(driveModal([&] { QVERIFY(click(&form, QStringLiteral("cmdTrova"))); },
                           [](QWidget* dialog) {
                               QVERIFY(click(dialog, QStringLiteral("btnCerca")));
                               QVERIFY(
                                   doubleClickRow(child<QListView>(dialog, QStringLiteral("lstRecords")), 0));
                           }));
        QCOMPARE(form.position(), QStringLiteral("1"));
        QCOMPARE(form.edit(QStringLiteral("Note"))->text(), QStringLiteral("primo"));
    }

    void notReturnedListsOnlyVehiclesStillOutAndOpensTheClickedContract()
    {
        FakeContext fake;
        addContract(fake, contract(QStringLiteral("Verdi Ugo"), QStringLiteral("B-3"), QStringLiteral("No")));
        addContract(
            fake, contract(QStringLiteral("Bianchi Anna"), QStringLiteral("B-1"), QStringLiteral("S\u00EC")));
        addContract(fake,
                    contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-2"), QStringLiteral("No")));
        addContract(fake, contract(QStringLiteral("Neri Ada"), QStringLiteral("B-4"), QString()));
        // Returned later, with the same line as the third: the clicked one is still the one opened.
        addContract(
            fake, contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-2"), QStringLiteral("S\u00EC")));
        TfrmContratti_Noleggio_Bici form(fake.context());
        form.show();
        QStringList shown;
        QVERIFY(driveModal([&] { QVERIFY(click(&form, QStringLiteral("cmdDaRiconsegnare"))); },
                           [&shown](QWidget* dialog) {
                               auto* list = qobject_cast<TfrmBiciNonRiconsegnate*>(dialog);
                               QVERIFY(list);
                               shown = list->lines().lines();
                               QTRY_VERIFY(child<QLineEdit>(dialog, QStringLiteral("txtTrova"))->hasFocus());
                               QVERIFY(
                                   doubleClickRow(child<QListView>(dialog, QStringLiteral("lstRecords")), 0));
                           }));
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.at(0).startsWith(QStringLiteral("Rossi Mario")));
        QVERIFY(shown.at(1).startsWith(QStringLiteral("Verdi Ugo")));
        QCOMPARE(form.position(), QStringLiteral("3"));
        QVERIFY(!form.returned());
    }

    void overdueMeansStillOutPastTheEndDate_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("returned");
        QTest::addColumn<bool>("late");
        // Today is 05/03/2024 on the fake clock.
        QTest::newRow("ended yesterday") << "04/03/2024"
                                         << "No" << true;
        QTest::newRow("ends today") << "05/03/2024"
                                    << "No" << false;
        QTest::newRow("ends tomorrow") << "06/03/2024"
                                       << "No" << false;
        QTest::newRow("ended last year") << "31/12/2023"
                                         << "No" << true;
        QTest::newRow("returned") << "04/03/2024"
                                  << "S\u00EC" << false;
        QTest::newRow("no end date") << ""
                                     << "No" << false;
        QTest::newRow("unreadable end") << "31/02/2024"
                                        << "No" << false;
    }

    void overdueMeansStillOutPastTheEndDate()
    {
        QFETCH(QString, end);
        QFETCH(QString, returned);
        QFETCH(bool, late);
        QMap<QString, QString> values =
            contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-2"), returned);
        values.insert(QStringLiteral("DataFine"), end);
        const QByteArray bytes = encodeRecord(TSchedaContratto(), values);
        QCOMPARE(
            Contracts::overdue(RecordView(TSchedaContratto(), bytes.constData(), 1), FakeClock().today()),
            late);
    }

    void notReturnedDrawsLateRentalsInRedAndCountsThem()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 7, 3), QTime(18, 0));
        QMap<QString, QString> late =
            contract(QStringLiteral("Verdi Ugo"), QStringLiteral("B-3"), QStringLiteral("No"));
        late.insert(QStringLiteral("DataFine"), QStringLiteral("02/07/2024"));
        addContract(fake, late);
        addContract(fake,
                    contract(QStringLiteral("Rossi Mario"), QStringLiteral("B-2"), QStringLiteral("No")));
        addContract(
            fake, contract(QStringLiteral("Bianchi Anna"), QStringLiteral("B-1"), QStringLiteral("S\u00EC")));
        TfrmBiciNonRiconsegnate list(fake.context(), nullptr);
        list.show();
        const auto* view = child<QListView>(&list, QStringLiteral("lstRecords"));
        const auto ink = [view](int row) {
            return view->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>().rgba();
        };
        QCOMPARE(list.lines().lines().at(1).left(9), QStringLiteral("Verdi Ugo"));
        QCOMPARE(ink(1), Style::TakenRed);
        QCOMPARE(ink(0), Style::Black);
        QVERIFY(list.lines().lines().at(1).startsWith(lineOf(late))); // the text stays as it was
        QCOMPARE(child<QLabel>(&list, QStringLiteral("lblRitardi"))->text(),
                 QStringLiteral("2 veicoli fuori, di cui 1 in ritardo"));
        // The next day the other one is late too: the window reads the clock each time it is shown.
        list.hide();
        fake.clock().moment = QDateTime(QDate(2024, 7, 4), QTime(9, 0));
        list.show();
        QCOMPARE(child<QLabel>(&list, QStringLiteral("lblRitardi"))->text(),
                 QStringLiteral("2 veicoli fuori, di cui 2 in ritardo"));
    }

    void outCountSaysVehicleForOne_data()
    {
        QTest::addColumn<int>("out");
        QTest::addColumn<int>("late");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << 0 << "0 veicoli fuori, di cui 0 in ritardo";
        QTest::newRow("one on time") << 1 << 0 << "1 veicolo fuori, di cui 0 in ritardo";
        QTest::newRow("one late") << 1 << 1 << "1 veicolo fuori, di cui 1 in ritardo";
        QTest::newRow("several") << 12 << 1 << "12 veicoli fuori, di cui 1 in ritardo";
    }

    void outCountSaysVehicleForOne()
    {
        QFETCH(int, out);
        QFETCH(int, late);
        QFETCH(QString, text);
        QCOMPARE(Contracts::outCount(out, late), text);
    }

    void notReturnedIsOpenedAndWorkedFromTheKeyboard()
    {
        FakeContext fake;
        addContract(fake, contract(QStringLiteral("Verdi Ugo"), QStringLiteral("B-3"), QStringLiteral("No")));
        addContract(fake,
                    contract(QStringLiteral("Bianchi Anna"), QStringLiteral("B-1"), QStringLiteral("No")));
        // Its command's shortcut opens the list from the contract form, even from an edit.
        TfrmContratti_Noleggio_Bici form(fake.context());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.edit(QStringLiteral("Cliente"))->setFocus();
        QString opened;
        QVERIFY(driveModal(
            [&] { QTest::keyClick(form.edit(QStringLiteral("Cliente")), Qt::Key_R, Qt::ControlModifier); },
            [&opened](QWidget* dialog) {
                opened = dialog->objectName();
                QVERIFY(click(dialog, QStringLiteral("btnChiudi")));
            }));
        QCOMPARE(opened, QStringLiteral("frmBiciNonRiconsegnate"));

        // Find a line with Enter, Enter, then Enter on the line opens its contract.
        TfrmBiciNonRiconsegnate list(fake.context(), nullptr);
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        auto* find = child<QLineEdit>(&list, QStringLiteral("txtTrova"));
        QTRY_VERIFY(find->hasFocus());
        QTest::keyClicks(find, QStringLiteral("verdi"));
        QTest::keyClick(find, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        auto* lines = child<QListView>(&list, QStringLiteral("lstRecords"));
        QCOMPARE(lines->currentIndex().row(), 1);
        QTest::keyClick(lines, Qt::Key_Return);
        QCOMPARE(list.result(), int(QDialog::Accepted));
        QCOMPARE(list.chosenPosition(), qint64(1));
    }

    void notReturnedPrintsUnderItsTitle()
    {
        FakeContext fake;
        addContract(fake, contract(QStringLiteral("Verdi Ugo"), QStringLiteral("B-3"), QStringLiteral("No")));
        TfrmBiciNonRiconsegnate list(fake.context(), nullptr);
        list.show();
        QVERIFY(click(&list, QStringLiteral("btnStampa")));
        const Reports::LaidOutPage& page = fake.reports().printed.front().pages.front();
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("Riepilogo veicoli non riconsegnati"));
        // The line, then the count the window shows, set apart by an empty line.
        const Reports::Item* lines = page.find(QStringLiteral("txtRiepilogo"));
        QCOMPARE(lines->lines.size(), std::size_t(3));
        QVERIFY(lines->lines.at(0).text.startsWith(QStringLiteral("Verdi Ugo")));
        QCOMPARE(lines->lines.at(1).text, QString());
        QCOMPARE(lines->lines.at(2).text, QStringLiteral("1 veicolo fuori, di cui 0 in ritardo"));
    }

    void importTakesTheVehicleAndTariffFieldsOnly()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("B-7"), QStringLiteral("Olmo"),
                   {{QStringLiteral("Telaio"), QStringLiteral("T-99")},
                    {QStringLiteral("Taglia"), QStringLiteral("M")},
                    {QStringLiteral("Tariffa"), QStringLiteral("Giornaliera")},
                    {QStringLiteral("Conteggio"), QStringLiteral("24 ore")},
                    {QStringLiteral("Eccedenza"), QStringLiteral("Ora intera")},
                    {QStringLiteral("Importo"), QStringLiteral("15,00")},
                    {QStringLiteral("Accessori"), QStringLiteral("Casco")},
                    {QStringLiteral("Colore"), QStringLiteral("Nero")},
                    {QStringLiteral("Note"), QStringLiteral("non copiare")}});
        Application app(fake.context());
        TfrmContratti_Noleggio_Bici& form = *app.contracts();
        form.show();
        form.edit(QStringLiteral("Cliente"))->setText(QStringLiteral("Rossi Mario"));
        form.edit(QStringLiteral("Note"))->setText(QStringLiteral("del contratto"));
        QVERIFY(driveModal([&] { QVERIFY(click(&form, QStringLiteral("btnImporta"))); },
                           [](QWidget* dialog) {
                               auto* search = qobject_cast<TfrmTrovaBici*>(dialog);
                               QVERIFY(search);
                               QCOMPARE(search->lblMemory, TfrmTrovaBici::Mode::Contracts);
                               QVERIFY(click(search, QStringLiteral("btnCerca")));
                               QVERIFY(
                                   doubleClickRow(child<QListView>(search, QStringLiteral("lstRecords")), 0));
                           }));
        const QMap<QString, QString> expected{{QStringLiteral("BiciNum"), QStringLiteral("B-7")},
                                              {QStringLiteral("Marca"), QStringLiteral("Olmo")},
                                              {QStringLiteral("Telaio"), QStringLiteral("T-99")},
                                              {QStringLiteral("Taglia"), QStringLiteral("M")},
                                              {QStringLiteral("Tariffa"), QStringLiteral("Giornaliera")},
                                              {QStringLiteral("Conteggio"), QStringLiteral("24 ore")},
                                              {QStringLiteral("Eccedenza"), QStringLiteral("Ora intera")},
                                              {QStringLiteral("Importo"), QStringLiteral("15,00")},
                                              {QStringLiteral("Accessori"), QStringLiteral("Casco")},
                                              {QStringLiteral("Cliente"), QStringLiteral("Rossi Mario")},
                                              {QStringLiteral("Note"), QStringLiteral("del contratto")}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(form.edit(it.key())->text(), it.value());
        QCOMPARE(form.position(), QString());
    }

    void exportColumnsBuildTheirValues()
    {
        FakeContext fake;
        QMap<QString, QString> values = contract(QStringLiteral("Rossi & Figli"), QStringLiteral("B-1"));
        values.insert(QStringLiteral("ComuneRes"), QStringLiteral("Riva"));
        values.insert(QStringLiteral("OraInizio"), QStringLiteral("09:30"));
        values.remove(QStringLiteral("DataFine"));
        addContract(fake, values);
        TfrmExpContratti_DOZ_Bici window(fake.context(), nullptr);
        QAbstractItemModel* grid = window.grid()->model();
        QCOMPARE(grid->headerData(11, Qt::Horizontal).toString(), QStringLiteral("Importo totale"));
        QCOMPARE(grid->index(0, 4).data().toString(),
                 QStringLiteral("Riva ")); // no province: a trailing blank
        QCOMPARE(grid->index(0, 17).data().toString(), QStringLiteral("Data: 01/07/2024 Ora: 09:30"));
        QCOMPARE(grid->index(0, 19).data().toString(), QStringLiteral("Data:  Ora: "));
        fake.messages().answerNext(true);
        fake.messages().answerNext(false);
        window.cmdEsportaClick();
        const QByteArray sheet = readFile(fake.file(QStringLiteral("Contratti_Noleggio_Bici.xls")));
        QVERIFY(sheet.contains("<x:Name>Contratti Noleggio Bici</x:Name>"));
        QVERIFY(sheet.contains("width=180>Imp. totale</td>"));
        QVERIFY(sheet.contains("<td style=\"text-align: left;\">Rossi &amp; Figli</td>"));
        QVERIFY(sheet.contains("<td style=\"text-align: left;\">Riva</td>"));
        QVERIFY(sheet.contains("<td style=\"text-align: left;\">Data:  Ora:</td>"));
    }

    void emptyArchiveShowsTenEmptyRowsAndExportsTheHeaderAlone()
    {
        FakeContext fake;
        TfrmExpContratti_DOZ_Bici window(fake.context(), nullptr);
        QCOMPARE(window.grid()->model()->rowCount(), 10);
        QCOMPARE(window.grid()->model()->index(0, 0).data().toString(), QString());
        fake.messages().answerNext(true);
        fake.messages().answerNext(false);
        window.cmdEsportaClick();
        QVERIFY(readFile(fake.file(QStringLiteral("Contratti_Noleggio_Bici.xls")))
                    .endsWith("Note</td></tr></table></body></html>"));
    }
};

RF_REGISTER_TEST(ContractSearchTest)
#include "ContractSearchTest.moc"
