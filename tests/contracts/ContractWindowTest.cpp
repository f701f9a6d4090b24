#include "common/ui/Status.h"
#include "contracts/PriceList.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmCalendario.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmStampa_Contratto_Noleggio_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/StrayWindows.h"
#include "planner/ui/BookForContract.h"
#include "storage/IniFile.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

namespace {

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// A complete contract as the user would fill it in.
void fillContract(TfrmContratti_Noleggio_Bici& w, const QString& customer)
{
    w.edit("Ditta01")->setText(QStringLiteral("Cicli Fontana s.n.c."));
    w.edit("Data")->setText(QStringLiteral("05/03/2024"));
    w.edit("Luogo")->setText(QStringLiteral("Riva del Garda"));
    w.edit("Cliente")->setText(customer);
    w.edit("BiciNum")->setText(QStringLiteral("EB-12"));
    w.edit("Marca")->setText(QStringLiteral("Atala B-Cross"));
}

void writeDefaults(FakeContext& fake, const QString& company, const QString& pickup)
{
    IniFile ini(fake.file("Rotaflux.ini"));
    QVERIFY(ini.load());
    ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Ditta Rigo 1"), company);
    ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Sede Ritiro"), pickup);
    QVERIFY(ini.save());
}

QString storedDefault(FakeContext& fake, const QString& key)
{
    IniFile ini(fake.file("Rotaflux.ini"));
    return ini.load() ? ini.value(QStringLiteral("Contratti DOZ"), key, QStringLiteral("<none>")) : QString();
}

// A field's text for one contract: the tag and the field's name, cut to what the field holds.
QString tagged(const QString& tag, const QString& field)
{
    const RecordLayout& layout = TSchedaContratto();
    return (tag + field).left(layout.capacity(layout.indexOf(field)));
}

// A contract whose every card field reads tagged(tag, field), then the given values.
QMap<QString, QString> taggedContract(const QString& tag, const QMap<QString, QString>& values)
{
    QMap<QString, QString> contract;
    for (int i = 0; i < Contracts::EditCount; ++i)
        contract.insert(TSchedaContratto().name(i), tagged(tag, TSchedaContratto().name(i)));
    contract.insert(values);
    return contract;
}

// Bike 12 in the fleet, with its tariff.
void addBike12(FakeContext& fake, const QString& number = QStringLiteral("12"))
{
    Test::addVehicle(
        fake, number, QStringLiteral("Atala B-Cross"),
        {{"Telaio", "WAT123"}, {"Taglia", "M"}, {"Tariffa", "Giornaliera"}, {"Importo", "12,50"}});
}

// A keyboard at the counter: each key goes to the control that has the focus, as a real key
// does, and is counted.
struct Keyboard {
    QWidget* window = nullptr;
    int count = 0;
    QWidget* target() const
    {
        if (QWidget* dialog = QApplication::activeModalWidget())
            return dialog->focusWidget() ? dialog->focusWidget() : dialog;
        // The desktop gives the focus back to the window under a dialog that closed.
        if (!QApplication::activeWindow()) {
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window))
                qWarning("the window did not become active again");
        }
        if (QApplication::focusWidget())
            return QApplication::focusWidget();
        return window->focusWidget() ? window->focusWidget() : window;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ++count;
        QTest::keyClick(target(), key, modifiers);
    }
    void type(const QString& text)
    {
        for (const QChar c : text) {
            ++count;
            QTest::keyClick(target(), c.toLatin1());
        }
    }
};

} // namespace

class ContractWindowTest : public QObject {
    Q_OBJECT
private slots:
    void enteringTheAreaShowsACleanCardWithTheDefaults()
    {
        FakeContext fake;
        writeDefaults(fake, QStringLiteral("Noleggi Lago S.r.l."), QStringLiteral("Porto"));
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.edit("Ditta01")->text(), QStringLiteral("Noleggi Lago S.r.l."));
        QCOMPARE(w.edit("SedeRit")->text(), QStringLiteral("Porto"));
        QCOMPARE(w.edit("Data")->text(), QString());
        for (const char* amount : {"Importo", "Totale", "Cauzione"})
            QCOMPARE(w.edit(amount)->text(), QStringLiteral("0,00"));
        QCOMPARE(w.position(), QString());
        QTRY_COMPARE(focusedName(), QStringLiteral("txtCliente"));
        QCOMPARE(w.edit("Note")->maxLength(), 250);
        QCOMPARE(w.edit("Sesso")->maxLength(), 1);
    }

    void mandatoryFieldsAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("message");
        QTest::newRow("company first, before a bad date")
            << "Ditta01"
            << "31/02/2024"
            << "txtDitta01"
            << "Attenzione: per salvare la scheda è necessario indicare la denominazione della ditta di "
               "noleggio.";
        QTest::newRow("no date")
            << ""
            << ""
            << "txtData"
            << "Attenzione: per salvare la scheda è necessario indicare la data di stipula del contratto.";
        QTest::newRow("date that does not exist") << ""
                                                  << "31/02/2024"
                                                  << "txtData"
                                                  << "Attenzione: la data indicata non esiste.\n\r\n\rPer "
                                                     "poter salvare la scheda è necessario indicare una "
                                                     "data valida nel formato gg/mm/anno.";
        QTest::newRow("text that is not a date")
            << ""
            << "3 gennaio"
            << "txtData"
            << "Attenzione: la data indicata non è valida: le date si scrivono nella forma gg/mm/aaaa, ad "
               "esempio "
               "03/01/2027.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida.";
        QTest::newRow("place")
            << "Luogo"
            << "05/03/2024"
            << "txtLuogo"
            << "Attenzione: per salvare la scheda è necessario indicare il luogo di stipula del contratto.";
        QTest::newRow("customer")
            << "Cliente"
            << "05/03/2024"
            << "txtCliente"
            << "Attenzione: per salvare la scheda è necessario indicare il nome del cliente.";
        QTest::newRow("vehicle")
            << "BiciNum"
            << "05/03/2024"
            << "txtBiciNum"
            << "Attenzione: per salvare la scheda è necessario indicare il numero identificativo del "
               "veicolo noleggiato.";
        QTest::newRow("make")
            << "Marca"
            << "05/03/2024"
            << "txtMarca"
            << "Attenzione: per salvare la scheda è necessario indicare la marca e modello del veicolo "
               "noleggiato.";
    }
    void mandatoryFieldsAreCheckedInOrder()
    {
        QFETCH(QString, emptied);
        QFETCH(QString, date);
        QFETCH(QString, focused);
        QFETCH(QString, message);
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        fillContract(w, QStringLiteral("Mario Rossi"));
        w.edit("Data")->setText(date);
        if (!emptied.isEmpty())
            w.edit(emptied)->setText(QStringLiteral("  "));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, message);
        QTRY_COMPARE(focusedName(), focused);
        QVERIFY(!QFile::exists(fake.file("Contratti_Noleggio_Bici.pro")));
    }

    void saveAppendsThenUpdatesAndBrowsingShowsTheContract()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        fillContract(w, QStringLiteral("Anna Bianchi"));
        w.findChild<QCheckBox*>("chkRiconsegnato")->setChecked(true);
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(QFileInfo(fake.file("Contratti_Noleggio_Bici.pro")).size(), 5029);

        QFile f(fake.file("Contratti_Noleggio_Bici.pro"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().mid(3520, 3), QByteArray("\x02\x53\xEC"));
        f.close();

        QVERIFY(click(&w, "cmdNuovo"));
        QVERIFY(!w.returned());
        QCOMPARE(w.edit("Cliente")->text(), QString());
        QVERIFY(click(&w, "cmdUltimo"));
        QCOMPARE(w.edit("Cliente")->text(), QStringLiteral("Anna Bianchi"));
        QVERIFY(w.returned());
    }

    void fieldsShowTheStartOfTheirTextAndDatesWhole()
    {
        FakeContext fake;
        const QString company =
            QStringLiteral("Cicli Fontana di Fontana Mario & C. s.n.c., noleggio e riparazioni, "
                           "via Roma 12, Riva del Garda");
        QStringList texts(55, QString());
        texts[0] = company;
        for (const char* field :
             {"Data", "DataNasc", "DataRil", "DataSca", "DataNascMin", "DataInizio", "DataFine"})
            texts[TSchedaContratto().indexOf(QLatin1String(field))] = QStringLiteral("03/01/2027");
        {
            QFile f(fake.file("Contratti_Noleggio_Bici.pro"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(TSchedaContratto().encode(texts));
        }
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(click(&w, "cmdUltimo"));
        QCOMPARE(w.edit("Ditta01")->text(), company);
        QCOMPARE(w.edit("Ditta01")->cursorPosition(), 0);
        for (QLineEdit* date : w.findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtData")))) {
            QCOMPARE(date->cursorPosition(), 0);
            // The text inside the frame (1), padding (3) and the edit's own margin (2) on each side.
            const int room = date->width() - 2 * (1 + 3 + 2);
            QVERIFY2(QFontMetrics(date->font()).horizontalAdvance(date->text()) <= room,
                     qPrintable(date->objectName()));
        }
        // Typed at the end, then left: the start shows again.
        w.edit("Ditta01")->setFocus();
        QTest::keyClick(w.edit("Ditta01"), Qt::Key_End);
        QTest::keyClicks(w.edit("Ditta01"), QStringLiteral("!"));
        w.edit("Luogo")->setFocus();
        QTRY_COMPARE(w.edit("Ditta01")->cursorPosition(), 0);
        QCOMPARE(w.edit("Ditta01")->text(), company + QLatin1Char('!'));
    }

    void aReturnedFlagOfAnotherValueLeavesTheBoxAlone()
    {
        FakeContext fake;
        QStringList texts(55, QString());
        texts[0] = QStringLiteral("Ditta");
        texts[Contracts::ReturnedField] = QStringLiteral("Si");
        QFile f(fake.file("Contratti_Noleggio_Bici.pro"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TSchedaContratto().encode(texts));
        f.close();

        TfrmContratti_Noleggio_Bici w(fake.context());
        auto* box = w.findChild<QCheckBox*>("chkRiconsegnato");
        box->setChecked(true);
        QVERIFY(click(&w, "cmdPrimo"));
        QCOMPARE(w.edit("Ditta01")->text(), QStringLiteral("Ditta"));
        QVERIFY(box->isChecked());
        box->setChecked(false);
        QVERIFY(click(&w, "cmdPrimo"));
        QVERIFY(!box->isChecked());
    }

    void newKeepsTheCurrentDefaultsAndStampsToday()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 7, 1), QTime(9, 5, 30));
        TfrmContratti_Noleggio_Bici w(fake.context());
        fillContract(w, QStringLiteral("Luca Verdi"));
        w.edit("Ditta01")->setText(QStringLiteral("Ditta del contratto"));
        w.edit("Note")->setText(QStringLiteral("casco rotto"));
        QVERIFY(click(&w, "cmdNuovo"));
        QCOMPARE(w.edit("Ditta01")->text(), QStringLiteral("Ditta del contratto"));
        QCOMPARE(w.edit("Luogo")->text(), QStringLiteral("Riva del Garda"));
        QCOMPARE(w.edit("Note")->text(), QString());
        QCOMPARE(w.edit("Data")->text(), QStringLiteral("01/07/2024"));
        QCOMPARE(w.edit("DataInizio")->text(), QStringLiteral("01/07/2024"));
        QCOMPARE(w.edit("OraInizio")->text(), QStringLiteral("09:05"));
        QVERIFY(!QFile::exists(fake.file("Contratti_Noleggio_Bici.pro"))); // made by the first save
    }

    void duplicateKeepsTheUnitAmountAndResetsTheRest()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 8, 15), QTime(18, 0));
        TfrmContratti_Noleggio_Bici w(fake.context());
        QVERIFY(click(&w, "cmdDuplica"));
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Attenzione: per duplicare un contratto bisogna prima visualizzare una scheda già "
                           "inserita in archivio."));

        fillContract(w, QStringLiteral("Giulia Neri"));
        w.edit("Importo")->setText(QStringLiteral("15,00"));
        w.edit("Totale")->setText(QStringLiteral("45,00"));
        w.edit("Cauzione")->setText(QStringLiteral("100,00"));
        w.edit("DataFine")->setText(QStringLiteral("08/03/2024"));
        w.edit("TotGiorni")->setText(QStringLiteral("3"));
        w.edit("Difetti")->setText(QStringLiteral("graffio"));
        w.findChild<QCheckBox*>("chkRiconsegnato")->setChecked(true);
        QVERIFY(click(&w, "cmdSalva"));

        QVERIFY(click(&w, "cmdDuplica"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("E' ora possibile apportare le proprie modifiche al contratto corrente.\n\r\n\r"
                           "Al termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(w.position(), QString());
        QCOMPARE(w.edit("Importo")->text(), QStringLiteral("15,00"));
        QCOMPARE(w.edit("Totale")->text(), QStringLiteral("0,00"));
        QCOMPARE(w.edit("Cauzione")->text(), QStringLiteral("0,00"));
        QCOMPARE(w.edit("Data")->text(), QStringLiteral("15/08/2024"));
        for (const char* field : {"DataFine", "OraFine", "TotGiorni", "Difetti"})
            QCOMPARE(w.edit(field)->text(), QString());
        QCOMPARE(w.edit("Cliente")->text(), QStringLiteral("Giulia Neri"));
        QVERIFY(!w.returned());
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("2"));
    }

    void defaultsAreWrittenOnCloseAndReadOnShow()
    {
        FakeContext fake;
        QVERIFY(!QFile::exists(fake.file("Rotaflux.ini")));
        {
            TfrmContratti_Noleggio_Bici w(fake.context());
            w.show();
            QCOMPARE(w.edit("Ditta01")->text(), QString());
            w.edit("SedeRit")->setText(QStringLiteral("  Piazza Duomo 1  "));
            w.edit("Privacy")->setText(QStringLiteral("Mario Fontana"));
            w.close();
            QCOMPARE(fake.messages().count(), 0);
        }
        QCOMPARE(storedDefault(fake, "Sede Ritiro"), QStringLiteral("Piazza Duomo 1"));
        QCOMPARE(storedDefault(fake, "Titolare Privacy"), QStringLiteral("Mario Fontana"));
        QCOMPARE(storedDefault(fake, "Ditta Rigo 1"), QString());
        QCOMPARE(storedDefault(fake, "Polizze"), QString());

        TfrmContratti_Noleggio_Bici again(fake.context());
        again.show();
        QCOMPARE(again.edit("SedeRit")->text(), QStringLiteral("Piazza Duomo 1"));
    }

    void aSettingsFileThatCannotBeWrittenIsReportedAndTheAreaStillCloses()
    {
        FakeContext fake;
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("Rotaflux.ini")));
        TfrmContratti_Noleggio_Bici w(fake.context());
        QSignalSpy closed(&w, &rf::WorkWindow::closed);
        w.show();
        w.close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("Rotaflux.ini")));
    }

    void archiveFailuresUseTheBoxKindOfEachAction_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("kind");
        QTest::newRow("first") << "cmdPrimo" << int(MessageKind::Warning);
        QTest::newRow("previous") << "cmdIndietro" << int(MessageKind::Error);
        QTest::newRow("next") << "cmdAvanti" << int(MessageKind::Error);
        QTest::newRow("last") << "cmdUltimo" << int(MessageKind::Error);
        QTest::newRow("new") << "cmdNuovo" << int(MessageKind::Error);
        QTest::newRow("save") << "cmdSalva" << int(MessageKind::Warning);
        QTest::newRow("returning customer") << "btnCliente" << int(MessageKind::Error);
    }
    void archiveFailuresUseTheBoxKindOfEachAction()
    {
        QFETCH(QString, button);
        QFETCH(int, kind);
        FakeContext fake;
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("Contratti_Noleggio_Bici.pro")));
        TfrmContratti_Noleggio_Bici w(fake.context());
        fillContract(w, QStringLiteral("X"));
        QVERIFY(click(&w, button));
        QCOMPARE(int(fake.messages().last().kind), kind);
        QVERIFY(fake.messages().last().text.startsWith(
            QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio "
                           "Contratti_Noleggio_Bici.pro.\n\r\n\r")));
    }

    void printedDocumentsShowTheContractAsOnScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("document");
        QTest::newRow("front preview") << "cmdPrivacy"
                                       << "btnAnteprima" << true << "Contratto Noleggio Bicicletta";
        QTest::newRow("front") << "cmdStampa"
                               << "btnStampa" << false << "Contratto Noleggio Bicicletta";
        QTest::newRow("conditions") << "cmdStampa"
                                    << "btnCondizioni" << false << "Condizioni contrattuali";
        QTest::newRow("condition sheet") << "cmdStatoVeicolo"
                                         << "btnSchedaVerifica" << false << "Scheda Verifica Stato Bici";
    }
    void printedDocumentsShowTheContractAsOnScreen()
    {
        QFETCH(QString, command);
        QFETCH(QString, button);
        QFETCH(bool, preview);
        QFETCH(QString, document);
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        fillContract(w, QStringLiteral("  Anna  Bianchi "));
        QVERIFY(driveModal([&] { QVERIFY(click(&w, command)); },
                           [&](QWidget* dialog) { QVERIFY(click(dialog, button)); }));
        const auto& documents = preview ? fake.reports().previewed : fake.reports().printed;
        QCOMPARE(documents.size(), std::size_t(1));
        QCOMPARE(documents.front().name, document);
        if (document != QLatin1String("Condizioni contrattuali"))
            QCOMPARE(documents.front().pages.front().find(QStringLiteral("txtCliente"))->text(),
                     QStringLiteral("Cognome e nome:  Anna  Bianchi"));
    }

    void aKeyInADateFieldOpensThePickerForThatField()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 3, 5), QTime(10, 0));
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("DataFine")->setFocus();
        QVERIFY(driveModal([&] { QTest::keyClick(w.edit("DataFine"), Qt::Key_7); },
                           [&](QWidget* dialog) {
                               auto* picker = qobject_cast<TfrmCalendario*>(dialog);
                               QVERIFY(picker);
                               QCOMPARE(picker->lblMemory, TfrmCalendario::DateFor::DataFine);
                               picker->calendar()->setSelectedDate(QDate(2024, 3, 8));
                               QVERIFY(click(picker, QStringLiteral("btnImportaData")));
                           }));
        QCOMPARE(w.edit("DataFine")->text(), QStringLiteral("08/03/2024"));
        QCOMPARE(w.edit("DataInizio")->text(), QString());

        w.edit("DataInizio")->setText(QStringLiteral("05/03/2024"));
        QVERIFY(click(&w, "cmdCalcola"));
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("3"));
        QTest::keyClick(w.edit("DataFine"), Qt::Key_Delete);
        QCOMPARE(w.edit("DataFine")->text(), QString());
        QVERIFY(click(&w, "cmdCalcola"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(w.focusWidget(), w.edit("DataFine"));
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("3"));
    }

    void aReturningCustomerFillsTheCustomerFieldsAlone_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("taken");
        QTest::newRow("Enter in the search, Enter on the line") << "enter" << true;
        QTest::newRow("double click") << "double click" << true;
        QTest::newRow("Scegli") << "btnScegli" << true;
        QTest::newRow("Escape") << "escape" << false;
        QTest::newRow("Chiudi") << "btnChiudi" << false;
    }
    void aReturningCustomerFillsTheCustomerFieldsAlone()
    {
        QFETCH(QString, way);
        QFETCH(bool, taken);
        FakeContext fake;
        const QString code = QStringLiteral("RSSMRA80A01H501U");
        Test::addContract(
            fake, taggedContract("A", {{"Cliente", "Anna Bianchi"}, {"CodFisc", "BNCNNA85C41L378K"}}));
        Test::addContract(
            fake,
            taggedContract("N", {{"Data", "06/03/2024"}, {"Cliente", "Mario Rossi"}, {"CodFisc", code}}));
        Test::addContract(
            fake,
            taggedContract("V", {{"Data", "05/03/2024"}, {"Cliente", "ROSSI MARIO"}, {"CodFisc", code}}));

        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(click(&w, "cmdPrimo"));
        auto* returned = w.findChild<QCheckBox*>("chkRiconsegnato");
        returned->setChecked(true);
        for (int i = 0; i < Contracts::EditCount; ++i)
            w.edit(TSchedaContratto().name(i))->setText(tagged("Z", TSchedaContratto().name(i)));

        WindowsShown windows;
        QVERIFY(driveModal([&] { QVERIFY(click(&w, "btnCliente")); },
                           [&](QWidget* dialog) {
                               QCOMPARE(dialog->windowTitle(), QStringLiteral(" Clienti"));
                               auto* search = required<QLineEdit>(dialog, "txtCerca");
                               auto* list = required<QListView>(dialog, "lstClienti");
                               QTRY_VERIFY(search->hasFocus());
                               QTest::keyClicks(search, "ro");
                               QCOMPARE(list->model()->rowCount(), 0);
                               QVERIFY(!required<QPushButton>(dialog, "btnScegli")->isEnabled());
                               QTest::keyClicks(search, "SS");
                               QCOMPARE(list->model()->rowCount(), 1);
                               QCOMPARE(list->model()->index(0, 0).data().toString(),
                                        QStringLiteral("Mario Rossi           ") + "  " + code + "  " +
                                            "NComuneRes    " + "  " + "06/03/2024" + "  " + "    2");
                               QCOMPARE(required<QLabel>(dialog, "lblTrovati")->text(),
                                        QStringLiteral("1 cliente trovato."));
                               if (way == "enter") {
                                   QTest::keyClick(search, Qt::Key_Return);
                                   QTRY_VERIFY(list->hasFocus());
                                   QTest::keyClick(list, Qt::Key_Return);
                               } else if (way == "double click") {
                                   QVERIFY(doubleClickRow(list, 0));
                               } else if (way == "escape") {
                                   QTest::keyClick(search, Qt::Key_Escape);
                               } else {
                                   QVERIFY(click(dialog, way));
                               }
                           }));
        QCOMPARE(windows.names, QStringList{"rf::TfrmClienti frmClienti"});

        // The customer block as written out here, apart from the list the window uses.
        const QStringList customerFields{
            "Cliente",  "Sesso",     "IndirizzoRes", "ComuneRes", "ProvRes", "CapRes",  "CodFisc", "Recapito",
            "DataNasc", "LuogoNasc", "ProvNasc",     "TipoDoc",   "NumDoc",  "EnteRil", "DataRil", "DataSca"};
        for (int i = 0; i < Contracts::EditCount; ++i) {
            const QString field = TSchedaContratto().name(i);
            const bool copied = taken && customerFields.contains(field);
            QString expected = tagged(copied ? "N" : "Z", field);
            if (copied && field == "Cliente")
                expected = QStringLiteral("Mario Rossi");
            else if (copied && field == "CodFisc")
                expected = code;
            QCOMPARE(w.edit(field)->text(), expected);
            QCOMPARE(w.edit(field)->isModified(), copied);
        }
        QVERIFY(returned->isChecked());
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(fake.messages().count(), 0);
    }

    // A returning customer renting bike 12 for three days from today, from an open contracts
    // window, with the keyboard alone: new contract, Richiama, the customer, the bike, the end
    // date, Calcola, save with the booking, the contract printed front and back in one go.
    // The same keys whether Calcola multiplies the card's unit amount or prices the rental from the
    // shop's price list (which gives the deposit too): no amount is typed.
    void aRentalAtTheCounterTakesAtMostThirtyKeys_data()
    {
        QTest::addColumn<bool>("priceList");
        QTest::addColumn<QString>("expectedTotal");
        QTest::addColumn<QString>("deposit");
        QTest::newRow("unit amount") << false << "37,50"
                                     << "0,00";
        QTest::newRow("price list") << true << "39,00"
                                    << "50,00";
    }
    void aRentalAtTheCounterTakesAtMostThirtyKeys()
    {
        QFETCH(bool, priceList);
        QFETCH(QString, expectedTotal);
        QFETCH(QString, deposit);
        FakeContext fake;
        if (priceList) {
            IniFile list(fake.file("Listino.ini"));
            QVERIFY(list.load());
            list.setValue(QStringLiteral("Tariffa1"), QStringLiteral("Nome"), QStringLiteral("Giornaliera"));
            list.setValue(QStringLiteral("Tariffa1"), QStringLiteral("Giorno"), QStringLiteral("15,00"));
            list.setValue(QStringLiteral("Tariffa1"), QStringLiteral("GiornoExtra"), QStringLiteral("12,00"));
            list.setValue(QStringLiteral("Tariffa1"), QStringLiteral("Cauzione"), QStringLiteral("50,00"));
            QVERIFY(list.save());
        }
        fake.clock().moment = QDateTime(QDate(2024, 3, 5), QTime(9, 41));
        {
            IniFile ini(fake.file("Rotaflux.ini"));
            QVERIFY(ini.load());
            ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Ditta Rigo 1"),
                         QStringLiteral("Cicli Fontana s.n.c."));
            ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Luogo"), QStringLiteral("Riva"));
            QVERIFY(ini.save());
        }
        addBike12(fake);
        Test::addContract(fake, taggedContract("P", {{"Data", "01/08/2023"},
                                                     {"Cliente", "Mario Rossi"},
                                                     {"CodFisc", "RSSMRA80A01H501U"},
                                                     {"BiciNum", "3"}}));
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.setPlannerBooker([&fake](QWidget* owner, const BookingRequest& request) {
            bookForContract(fake.context(), owner, request);
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        Keyboard keys{&w};
        keys.press(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(driveModal([&] { keys.press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); },
                           [&](QWidget* dialog) {
                               QTRY_VERIFY(required<QLineEdit>(dialog, "txtCerca")->hasFocus());
                               keys.type(QStringLiteral("ros"));
                               keys.press(Qt::Key_Return);
                               keys.press(Qt::Key_Return);
                           }));
        QCOMPARE(keys.target()->objectName(), QStringLiteral("txtBiciNum"));
        keys.type(QStringLiteral("12"));
        keys.press(Qt::Key_Return);
        QCOMPARE(keys.target()->objectName(), QStringLiteral("txtDataFine"));
        QVERIFY(driveModal<TfrmCalendario>([&] { keys.type(QStringLiteral("8")); },
                                           [&](TfrmCalendario* picker) {
                                               // A loaded machine may hand the focus over late.
                                               QTRY_COMPARE(picker->focusWidget(),
                                                            required<QLineEdit>(picker, "txtDataDigitata"));
                                               keys.type(QStringLiteral("/3/24"));
                                               keys.press(Qt::Key_Return);
                                           }));
        keys.press(Qt::Key_G, Qt::ControlModifier); // Calcola
        keys.press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(driveModal<TfrmStampa_Contratto_Noleggio_Bici>(
            [&] { keys.press(Qt::Key_P, Qt::ControlModifier); },
            [&](QWidget*) { keys.press(Qt::Key_Return); }));

        // Each message box the session showed takes one more key (Enter) to answer or close.
        const int total = keys.count + fake.messages().count();
        qInfo("keys %d + message boxes %d = %d", keys.count, fake.messages().count(), total);
        QVERIFY2(total <= 30, qPrintable(QString::number(total)));

        QCOMPARE(w.edit("Cliente")->text(), QStringLiteral("Mario Rossi"));
        QCOMPARE(w.edit("Marca")->text(), QStringLiteral("Atala B-Cross"));
        QCOMPARE(w.edit("DataInizio")->text(), QStringLiteral("05/03/2024"));
        QCOMPARE(w.edit("DataFine")->text(), QStringLiteral("08/03/2024"));
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("3"));
        QCOMPARE(w.edit("Totale")->text(), expectedTotal);
        QCOMPARE(w.edit("Cauzione")->text(), deposit);
        QCOMPARE(w.position(), QStringLiteral("2"));
        QVERIFY(QFile::exists(fake.file("Prenotazioni bicicletta 12 anno 2024.pln")));
        QCOMPARE(fake.reports().printed.size(), std::size_t(1));
        QCOMPARE(fake.reports().printed.front().pages.size(), std::size_t(2));
    }

    // The first key typed in a date field begins the date; the date stored is the one typed.
    void aDateTypedInADateFieldIsStoredAsTyped()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("Data")->setFocus();
        QVERIFY(driveModal<TfrmCalendario>([&] { QTest::keyClick(w.edit("Data"), Qt::Key_1); },
                                           [&](TfrmCalendario* picker) {
                                               QCOMPARE(picker->lblMemory, TfrmCalendario::DateFor::Data);
                                               auto* typed = required<QLineEdit>(picker, "txtDataDigitata");
                                               QTRY_COMPARE(picker->focusWidget(), typed);
                                               QTest::keyClicks(typed, "3/12/2026");
                                               QTest::keyClick(typed, Qt::Key_Enter);
                                           }));
        QCOMPARE(w.edit("Data")->text(), QStringLiteral("13/12/2026"));
        // Escape leaves the field as it was.
        QVERIFY(driveModal<TfrmCalendario>(
            [&] { QTest::keyClick(w.edit("Data"), Qt::Key_2); },
            [&](TfrmCalendario* picker) { QTest::keyClick(picker, Qt::Key_Escape); }));
        QCOMPARE(w.edit("Data")->text(), QStringLiteral("13/12/2026"));
    }

    // After Richiama the cursor is in Bicicletta n.; the second customer found is Down, Enter.
    void richiamaTakesTheSecondCustomerWithDownEnter()
    {
        FakeContext fake;
        Test::addContract(
            fake, {{"Data", "01/03/2024"}, {"Cliente", "Anna Rossi"}, {"CodFisc", "RSSNNA80A41H501A"}});
        Test::addContract(
            fake, {{"Data", "02/03/2024"}, {"Cliente", "Mario Rossi"}, {"CodFisc", "RSSMRA80A01H501U"}});
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QString second;
        QVERIFY(driveModal([&] { QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); },
                           [&](QWidget* dialog) {
                               auto* search = required<QLineEdit>(dialog, "txtCerca");
                               auto* list = required<QListView>(dialog, "lstClienti");
                               QTRY_VERIFY(search->hasFocus());
                               QTest::keyClicks(search, "rossi");
                               QCOMPARE(list->model()->rowCount(), 2);
                               QCOMPARE(list->currentIndex().row(), 0); // the first line is current
                               second = list->model()->index(1, 0).data().toString().left(22).trimmed();
                               QTest::keyClick(search, Qt::Key_Down);
                               QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                           }));
        QCOMPARE(w.edit("Cliente")->text(), second);
        QCOMPARE(w.focusWidget(), w.edit("BiciNum"));
    }

    // Enter in Bicicletta n. takes the fleet card of that number when exactly one has it, leaving
    // what was typed in the vehicle fields, and goes on to the end date (New dated the start).
    void enterInBiciNumTakesTheOneCardOfThatNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("secondCard"); // another card's number, "" for none
        QTest::addColumn<QString>("typedMake");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("focused");
        QTest::newRow("one card") << "12"
                                  << ""
                                  << ""
                                  << "Atala B-Cross"
                                  << "txtDataFine";
        QTest::newRow("letters without case, blanks around") << " b-12 "
                                                             << ""
                                                             << ""
                                                             << "Atala B-Cross"
                                                             << "txtDataFine";
        QTest::newRow("a typed make stays") << "12"
                                            << ""
                                            << "Bianchi"
                                            << "Bianchi"
                                            << "txtDataFine";
        QTest::newRow("two cards with that number") << "12"
                                                    << "12 "
                                                    << ""
                                                    << ""
                                                    << "txtMarca";
        QTest::newRow("no card") << "99"
                                 << ""
                                 << ""
                                 << ""
                                 << "txtMarca";
    }
    void enterInBiciNumTakesTheOneCardOfThatNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, secondCard);
        QFETCH(QString, typedMake);
        QFETCH(QString, make);
        QFETCH(QString, focused);
        FakeContext fake;
        addBike12(fake, typed.contains(QLatin1Char('b')) ? QStringLiteral("B-12") : QStringLiteral("12"));
        if (!secondCard.isEmpty())
            addBike12(fake, secondCard);
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(click(&w, "cmdNuovo"));
        w.edit("Marca")->setText(typedMake);
        w.edit("BiciNum")->setFocus();
        QTest::keyClicks(w.edit("BiciNum"), typed);
        QTest::keyClick(w.edit("BiciNum"), Qt::Key_Return);
        QCOMPARE(w.edit("Marca")->text(), make);
        QCOMPARE(focusedName(), focused);
        const bool taken = focused == QLatin1String("txtDataFine");
        QCOMPARE(w.edit("Importo")->text(), taken ? QStringLiteral("12,50") : QStringLiteral("0,00"));
        QCOMPARE(w.edit("Telaio")->text(), taken ? QStringLiteral("WAT123") : QString());
        QCOMPARE(w.edit("BiciNum")->text(), typed); // the number stays as typed
        QVERIFY(!QFile::exists(fake.file("Prenotazioni bicicletta 12 anno 2024.pln")));
    }

    // A hand scanner types a label's code and Enter into Bicicletta n.: a fleet number takes its
    // card; a code no card has is named in a warning and stays as read; an ambiguous number, or a
    // shop without a fleet archive, gets no warning.
    void scannedCodeTakesItsVehicleOrIsNamed_data()
    {
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<bool>("fleet");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("warning");
        QTest::newRow("fleet number") << "12" << true << "Atala B-Cross"
                                      << "";
        QTest::newRow("not in the fleet")
            << "MTB-99" << true << ""
            << "Attenzione: il codice letto (MTB-99) non è il numero di un veicolo della flotta.";
        QTest::newRow("two cards with it") << "13" << true << ""
                                           << "";
        QTest::newRow("no fleet archive") << "12" << false << ""
                                          << "";
    }
    void scannedCodeTakesItsVehicleOrIsNamed()
    {
        QFETCH(QString, scanned);
        QFETCH(bool, fleet);
        QFETCH(QString, make);
        QFETCH(QString, warning);
        FakeContext fake;
        if (fleet) {
            addBike12(fake);
            addBike12(fake, QStringLiteral("13"));
            addBike12(fake, QStringLiteral("13"));
        }
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(click(&w, "cmdNuovo"));
        fake.messages().clear();
        w.edit("BiciNum")->setFocus();
        QTest::keyClicks(w.edit("BiciNum"), scanned);
        QTest::keyClick(w.edit("BiciNum"), Qt::Key_Return);
        QCOMPARE(w.edit("Marca")->text(), make);
        QCOMPARE(w.edit("BiciNum")->text(), scanned);
        QCOMPARE(fake.messages().count(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty())
            QCOMPARE(fake.messages().last().text, warning);
        QVERIFY(!QFile::exists(fake.file("Parco_Veicoli.pro")) || fleet); // a lookup makes no archive
    }

    // A number changed after a filling takes the new card's texts in place of the filled ones.
    void aSecondNumberReplacesOnlyWhatTheFirstFilled()
    {
        FakeContext fake;
        addBike12(fake);
        Test::addVehicle(fake, QStringLiteral("13"), QStringLiteral("Olmo"), {{"Importo", "9,00"}});
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("BiciNum")->setFocus();
        QTest::keyClicks(w.edit("BiciNum"), "12");
        QTest::keyClick(w.edit("BiciNum"), Qt::Key_Return);
        w.edit("Taglia")->setText(QStringLiteral("L")); // the clerk corrects the size
        w.edit("BiciNum")->setText(QStringLiteral("13"));
        w.edit("BiciNum")->setFocus();
        QTest::keyClick(w.edit("BiciNum"), Qt::Key_Return);
        QCOMPARE(w.edit("Marca")->text(), QStringLiteral("Olmo"));
        QCOMPARE(w.edit("Importo")->text(), QStringLiteral("9,00"));
        QCOMPARE(w.edit("Telaio")->text(), QString());
        QCOMPARE(w.edit("Taglia")->text(), QStringLiteral("L"));
    }

    // Calcola writes the days and, in place of a total of 0,00, days x the unit amount.
    void calcolaProposesTheTotalAndKeepsATypedOne()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("DataInizio")->setText(QStringLiteral("05/03/2024"));
        w.edit("DataFine")->setText(QStringLiteral("08/03/2024"));
        w.edit("Importo")->setText(QStringLiteral("12,50"));
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("3"));
        QCOMPARE(w.edit("Totale")->text(), QStringLiteral("37,50"));
        w.edit("Totale")->setText(QStringLiteral("30,00"));
        w.edit("DataFine")->setText(QStringLiteral("10/03/2024"));
        QVERIFY(click(&w, "cmdCalcola"));
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("5"));
        QCOMPARE(w.edit("Totale")->text(), QStringLiteral("30,00"));
        QCOMPARE(fake.messages().count(), 0);
    }

    // With a tariff of the price list Calcola proposes its total and deposit, asking (No by default)
    // before it replaces a total the clerk typed; a tariff the list lacks keeps days x unit amount.
    void calcolaProposesTheListPrice_data()
    {
        QTest::addColumn<QString>("tariff");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("questions");
        QTest::newRow("a total of 0,00 is filled") << " city"
                                                   << "0,00" << true << "39,00" << 0;
        QTest::newRow("the same total asks nothing") << "City"
                                                     << "39,00" << true << "39,00" << 0;
        QTest::newRow("a typed total stays on No") << "City"
                                                   << "30,00" << false << "30,00" << 1;
        QTest::newRow("a typed total is replaced on Yes") << "City"
                                                          << "30,00" << true << "39,00" << 1;
        QTest::newRow("a tariff the list lacks") << "Mountain"
                                                 << "0,00" << true << "37,50" << 0;
    }
    void calcolaProposesTheListPrice()
    {
        QFETCH(QString, tariff);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(QString, total);
        QFETCH(int, questions);
        FakeContext fake;
        PriceList::List list;
        list.tariffs.push_back({QStringLiteral("City"), 800, 1500, 1200, 2500, 7000, 5000});
        QCOMPARE(PriceList::save(fake.folder(), list), PriceList::SaveResult::Saved);
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("Tariffa")->setText(tariff);
        w.edit("DataInizio")->setText(QStringLiteral("05/03/2024"));
        w.edit("DataFine")->setText(QStringLiteral("08/03/2024"));
        w.edit("Importo")->setText(QStringLiteral("12,50"));
        w.edit("Totale")->setText(typed);
        fake.messages().answerNext(answer);
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w.edit("TotGiorni")->text(), QStringLiteral("3"));
        QCOMPARE(w.edit("Totale")->text(), total);
        QCOMPARE(w.edit("Importo")->text(), QStringLiteral("12,50"));
        QCOMPARE(fake.messages().defaultNoQuestions, questions);
        QCOMPARE(fake.messages().count(), questions);
        if (questions > 0)
            QCOMPARE(fake.messages().last().text,
                     QStringLiteral("Il totale indicato è 30,00 €, il listino propone 39,00 €.\n\r\n\r"
                                    "Usare l'importo del listino?"));
        if (tariff == QLatin1String("Mountain")) {
            QCOMPARE(w.edit("Cauzione")->text(), QStringLiteral("0,00"));
            return;
        }
        QCOMPARE(w.edit("Cauzione")->text(), QStringLiteral("50,00"));
        QCOMPARE(required<QLabel>(&w, "panInfo")->text(),
                 QStringLiteral("1 g × 15,00 € + 2 gg × 12,00 € = 39,00 €; cauzione 50,00 €"));
        if (total != QLatin1String("39,00"))
            return;
        // What the list filled is the list's: a new period replaces it without asking.
        w.edit("DataFine")->setText(QStringLiteral("09/03/2024"));
        QVERIFY(click(&w, "cmdCalcola"));
        QCOMPARE(w.edit("Totale")->text(), QStringLiteral("51,00"));
        QCOMPARE(fake.messages().count(), questions);
    }

    // Listino opens the price list from the command bar's button or its shortcut.
    void listinoOpensThePriceList()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(
            Status::hintOf(required<QWidget>(&w, "cmdListino")),
            QStringLiteral(
                "Visualizza e modifica il listino prezzi: tariffe, stagioni e cauzioni. (Ctrl+Maiusc+L)"));
        QVERIFY(driveModal([&] { QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier); },
                           [](QWidget* dialog) {
                               QCOMPARE(dialog->objectName(), QStringLiteral("frmListino"));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
        QCOMPARE(fake.messages().count(), 0);
    }

    // Importa, Calcola, Verifica and Riconsegnato each have a shortcut, named in their hint.
    void theButtonsBesideFieldsHaveShortcuts()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        int picked = 0;
        w.setVehiclePicker([&picked](QWidget*) -> std::optional<QStringList> {
            ++picked;
            return std::nullopt;
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(Status::hintOf(required<QWidget>(&w, "btnImporta")),
                 QStringLiteral("Importa i dati dalla flotta bici. (Ctrl+I)"));
        QCOMPARE(Status::hintOf(required<QWidget>(&w, "cmdCalcola")),
                 QStringLiteral("Calcola il numero totale dei giorni di noleggio. (Ctrl+G)"));
        QCOMPARE(Status::hintOf(required<QWidget>(&w, "btnCodFisc")),
                 QStringLiteral("Verifica il codice fiscale. (Ctrl+Maiusc+F)"));
        QCOMPARE(
            Status::hintOf(required<QWidget>(&w, "chkRiconsegnato")),
            QStringLiteral(
                "Spunta questa casella per annotare che il veicolo è stato riconsegnato. (Ctrl+Maiusc+R)"));
        QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(picked, 1);
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning); // Calcola: no start date
        QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w.returned());
        QVERIFY(driveModal([&] { QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier); },
                           [](QWidget* dialog) {
                               QCOMPARE(dialog->objectName(), QStringLiteral("frmCodFisc"));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
    }

    // The whole contract is one print job of two pages, offered first; every choice reads whole.
    void theWholeContractIsPrintedInOneGo()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        fillContract(w, QStringLiteral("Anna Bianchi"));
        QVERIFY(driveModal<TfrmStampa_Contratto_Noleggio_Bici>(
            [&] { QVERIFY(click(&w, "cmdStampa")); },
            [&](QWidget* dialog) {
                const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
                for (QPushButton* button : buttons)
                    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
                QWidget* first = dialog->focusWidget();
                QVERIFY(first);
                QCOMPARE(first->objectName(), QStringLiteral("btnStampaTutto"));
                QTest::keyClick(first, Qt::Key_Return);
            }));
        QCOMPARE(fake.reports().printed.size(), std::size_t(1));
        const auto& pages = fake.reports().printed.front().pages;
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(pages.front().find(QStringLiteral("txtCliente"))->text(),
                 QStringLiteral("Cognome e nome:  Anna Bianchi"));
        QCOMPARE(pages.back().find(QStringLiteral("txtCliente")), nullptr);
    }

    // The position of the 100,001st contract and a 16-character fiscal code show whole.
    void thePositionAndTheFiscalCodeShowWhole()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.resize(1366, 768);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* position = required<QLabel>(&w, "lblPosizione");
        QVERIFY(QFontMetrics(position->font()).horizontalAdvance(QStringLiteral("100001")) <=
                position->contentsRect().width());
        QLineEdit* code = w.edit("CodFisc");
        code->setText(QStringLiteral("MMMWWW80A01H501W"));
        QVERIFY(QFontMetrics(code->font()).horizontalAdvance(code->text()) <=
                code->width() - 2 * (1 + 3 + 2));
    }

    // Richiama from the keyboard: its shortcut opens the customers' dialog, Escape leaves it.
    void richiamaHasAShortcut()
    {
        FakeContext fake;
        TfrmContratti_Noleggio_Bici w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(driveModal([&] { QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); },
                           [](QWidget* dialog) {
                               QCOMPARE(dialog->windowTitle(), QStringLiteral(" Clienti"));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
    }
};

RF_REGISTER_TEST(ContractWindowTest)
#include "ContractWindowTest.moc"
