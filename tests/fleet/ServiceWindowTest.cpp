#include "fleet/ServiceLog.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmManutenzioni.h"
#include "fleet/ui/TfrmStampaManutenzioni.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/ServiceEntries.h"
#include "support/TestMain.h"
#include "support/Typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

namespace {

const QDate Today(2024, 3, 5); // the fake clock's

ShownCard card(const QString& number)
{
    ShownCard shown;
    for (const char* field : {"Marca", "Telaio", "Taglia", "Anno", "Colore"})
        shown.edits.insert(QLatin1String(field), QString());
    shown.edits.insert(QStringLiteral("BiciNum"), number);
    shown.edits.insert(QStringLiteral("Marca"), QStringLiteral("Atala City"));
    shown.edits.insert(QStringLiteral("Meccanico"), QStringLiteral("Rossi"));
    return shown;
}

QString focusName()
{
    QWidget* focused = QApplication::focusWidget();
    // The edit inside an editable combo stands for the combo.
    if (focused && qobject_cast<QComboBox*>(focused->parentWidget()))
        focused = focused->parentWidget();
    return focused ? focused->objectName() : QString();
}

// Types text where the focus is, which must be the control named expected, then presses Enter.
[[nodiscard]] bool typeThenEnter(const QString& expected, const QString& text)
{
    RF_HELPER_CHECK(focusName() == expected,
                    QStringLiteral("the focus is on %1, not %2").arg(focusName(), expected));
    QWidget* focused = QApplication::focusWidget();
    typeText(focused, text);
    QTest::keyClick(focused, Qt::Key_Return);
    return true;
}

QStringList listLines(const QWidget& window)
{
    auto* list = child<QAbstractItemView>(&window, QStringLiteral("lstRecords"));
    QStringList lines;
    for (int row = 0; list && row < list->model()->rowCount(); ++row)
        lines.append(list->model()->index(row, 0).data().toString());
    return lines;
}

QString text(const QWidget& window, const char* name)
{
    if (auto* edit = child<QLineEdit>(&window, QLatin1String(name)))
        return edit->text();
    if (auto* label = child<QLabel>(&window, QLatin1String(name)))
        return label->text();
    return child<QComboBox>(&window, QLatin1String(name))->currentText();
}

qint64 logSize(FakeContext& fake)
{
    return QFileInfo(fake.file(QLatin1String(Service::ArchiveName))).size();
}

void fillMandatory(TfrmAutoparco& w, const QString& number)
{
    w.edit("BiciNum")->setText(number);
    w.edit("Marca")->setText(QStringLiteral("Bianchi Spillo"));
    w.edit("Taglia")->setText(QStringLiteral("M"));
    w.edit("Colore")->setText(QStringLiteral("Celeste"));
}

} // namespace

class ServiceWindowTest : public QObject {
    Q_OBJECT
private slots:
    // A new entry typed field by field, Enter after each, is saved by Enter on Salva; chosen again
    // from the list with Enter it is changed in place.
    void entryIsTypedSavedAndChangedFromTheKeyboard()
    {
        FakeContext fake;
        TfrmManutenzioni w(fake.context(), nullptr, card(QStringLiteral("7")));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(text(w, "txtData"), QStringLiteral("05/03/2024"));
        QCOMPARE(text(w, "txtMeccanico"), QStringLiteral("Rossi"));
        QVERIFY(typeThenEnter(QStringLiteral("txtData"), QStringLiteral("01/03/2024")));
        QVERIFY(typeThenEnter(QStringLiteral("cboLavoro"), QStringLiteral("Cambio catena")));
        QVERIFY(typeThenEnter(QStringLiteral("txtRicambi"), QStringLiteral("Catena 11v")));
        QVERIFY(typeThenEnter(QStringLiteral("txtMeccanico"), QString())); // the card's mechanic stays
        QVERIFY(typeThenEnter(QStringLiteral("txtCosto"), QStringLiteral("1234,5")));
        QVERIFY(typeThenEnter(QStringLiteral("txtKm"), QStringLiteral("1200")));
        QVERIFY(typeThenEnter(QStringLiteral("txtNote"), QString()));
        QVERIFY(typeThenEnter(QStringLiteral("txtOfficinaDal"), QStringLiteral("01/03/2024")));
        QVERIFY(typeThenEnter(QStringLiteral("txtOfficinaAl"), QStringLiteral("02/03/2024")));
        QVERIFY(typeThenEnter(QStringLiteral("cmdSalva"), QString()));
        QCOMPARE(fake.messages().count(), 0);

        QCOMPARE(listLines(w),
                 QStringList{QStringLiteral("01/03/2024  Cambio catena       1.234,50 €  km 1200"
                                            "   in officina dall'01/03/2024 al 02/03/2024")});
        QCOMPARE(text(w, "lblTotali"),
                 QStringLiteral("Interventi: 1     Totale: 1.234,50 €     Giorni in officina: 2"));
        Service::Log log = Service::read(fake.folder(), QStringLiteral("7"));
        QCOMPARE(log.entries.size(), std::size_t(1));
        QCOMPARE(log.entries[0].date, QDate(2024, 3, 1));
        QCOMPARE(log.entries[0].work, QStringLiteral("Cambio catena"));
        QCOMPARE(log.entries[0].parts, QStringLiteral("Catena 11v"));
        QCOMPARE(log.entries[0].mechanic, QStringLiteral("Rossi"));
        QCOMPARE(log.entries[0].cost, QStringLiteral("1234,50"));
        QCOMPARE(log.entries[0].km, QStringLiteral("1200"));
        QCOMPARE(log.entries[0].workshopTo, QDate(2024, 3, 2));
        QCOMPARE(focusName(), QStringLiteral("cmdNuovo"));

        // Nuovo empties the form; the line chosen with Enter fills it again, for a change.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(text(w, "txtRicambi"), QString());
        QVERIFY(!w.editing());
        auto* list = child<QAbstractItemView>(&w, QStringLiteral("lstRecords"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(w.editing());
        QCOMPARE(text(w, "txtRicambi"), QStringLiteral("Catena 11v"));
        QCOMPARE(text(w, "lblModo"), QStringLiteral("Modifica dell'intervento del 01/03/2024"));
        auto* notes = child<QLineEdit>(&w, QStringLiteral("txtNote"));
        notes->setFocus(Qt::TabFocusReason);
        typeText(notes, QStringLiteral("Tensione verificata"));
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        QCOMPARE(fake.messages().count(), 0);
        QCOMPARE(logSize(fake), qint64(Service::RecordSize)); // rewritten, not added
        log = Service::read(fake.folder(), QStringLiteral("7"));
        QCOMPARE(log.entries[0].notes, QStringLiteral("Tensione verificata"));
        QCOMPARE(log.entries[0].parts, QStringLiteral("Catena 11v"));
    }

    // The work offered: the settings' kinds, the shop's defaults and the kinds already written.
    void workKindsComeFromTheSettingsAndTheLog()
    {
        FakeContext fake;
        QFile ini(fake.file(QStringLiteral("Rotaflux.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Manutenzione]\r\nLavori=Revisione;Freni\r\n");
        ini.close();
        QVERIFY(Service::append(fake.folder(),
                                serviceEntry(QStringLiteral("9"), Today, QStringLiteral("Lavaggio"))) > 0);
        TfrmManutenzioni w(fake.context(), nullptr, card(QStringLiteral("7")));
        auto* kinds = child<QComboBox>(&w, QStringLiteral("cboLavoro"));
        QStringList offered;
        for (int i = 0; i < kinds->count(); ++i)
            offered.append(kinds->itemText(i));
        QCOMPARE(offered, (QStringList{"Revisione", "Freni", "Tagliando", "Pneumatici", "Batteria",
                                       "Riparazione danni", "Lavaggio"}));
        QVERIFY(listLines(w).isEmpty()); // the other vehicle's entry is not this one's
    }

    void removingAnEntryAsksFirst()
    {
        FakeContext fake;
        QVERIFY(Service::append(fake.folder(),
                                serviceEntry(QStringLiteral("7"), QDate(2024, 1, 10), QStringLiteral("Freni"),
                                             QStringLiteral("30,00"))) > 0);
        QVERIFY(Service::append(fake.folder(),
                                serviceEntry(QStringLiteral("7"), QDate(2024, 2, 10),
                                             QStringLiteral("Tagliando"), QStringLiteral("50,00"))) > 0);
        TfrmManutenzioni w(fake.context(), nullptr, card(QStringLiteral("7")));
        w.show();
        QCOMPARE(listLines(w).size(), 2);
        QVERIFY(listLines(w).first().startsWith(QStringLiteral("10/02/2024  Tagliando"))); // newest first
        QCOMPARE(text(w, "lblTotali"),
                 QStringLiteral("Interventi: 2     Totale: 80,00 €     Giorni in officina: 0"));

        QVERIFY(click(&w, QStringLiteral("cmdElimina"))); // nothing chosen yet
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);

        QVERIFY(doubleClickRow(child<QAbstractItemView>(&w, QStringLiteral("lstRecords")), 1));
        QCOMPARE(text(w, "cboLavoro"), QStringLiteral("Freni"));
        fake.messages().answerNext(false);
        QVERIFY(click(&w, QStringLiteral("cmdElimina")));
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Si desidera eliminare l'intervento \"Freni del 10/01/2024\" dal registro delle "
                           "manutenzioni?"));
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("7")).entries.size(), std::size_t(2));

        QVERIFY(click(&w, QStringLiteral("cmdElimina"))); // answered Yes
        QCOMPARE(listLines(w).size(), 1);
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("7")).entries.size(), std::size_t(1));
        QCOMPARE(logSize(fake), qint64(2 * Service::RecordSize)); // marked, kept in the archive
        QVERIFY(!w.editing());
        QCOMPARE(text(w, "lblTotali"),
                 QStringLiteral("Interventi: 1     Totale: 50,00 €     Giorni in officina: 0"));
    }

    // A date is stored as typed or refused: nothing is written, the text stays, its edit has the focus.
    void aTypedDateThatIsNotOneIsRefused_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString notADate =
            QStringLiteral("Attenzione: \"%1\" non è una data valida per %2.\n\r\n\r"
                           "Indicare la data nel formato gg/mm/aaaa, ad esempio 05/03/2024.");
        QTest::newRow("no such day") << "txtData"
                                     << "31/02/2024" << notADate.arg("31/02/2024", "la data");
        QTest::newRow("written otherwise") << "txtData"
                                           << "1/3/2024" << notADate.arg("1/3/2024", "la data");
        QTest::newRow("words") << "txtData"
                               << "ieri" << notADate.arg("ieri", "la data");
        QTest::newRow("empty")
            << "txtData"
            << ""
            << "Attenzione: per salvare l'intervento è necessario indicare la data nel formato gg/mm/aaaa.";
        QTest::newRow("workshop start")
            << "txtOfficinaDal"
            << "03-03-2024" << notADate.arg("03-03-2024", "l'inizio della sosta in officina");
        QTest::newRow("workshop end before start") << "txtOfficinaAl"
                                                   << "29/02/2024"
                                                   << "Attenzione: la fine della sosta in officina "
                                                      "(29/02/2024) non può essere anteriore al suo inizio "
                                                      "(01/03/2024).";
    }
    void aTypedDateThatIsNotOneIsRefused()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        FakeContext fake;
        TfrmManutenzioni w(fake.context(), nullptr, card(QStringLiteral("7")));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        child<QComboBox>(&w, QStringLiteral("cboLavoro"))->setEditText(QStringLiteral("Freni"));
        child<QLineEdit>(&w, QStringLiteral("txtOfficinaDal"))->setText(QStringLiteral("01/03/2024"));
        auto* target = child<QLineEdit>(&w, edit);
        target->clear();
        target->setFocus();
        typeText(target, typed);
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, message);
        QCOMPARE(target->text(), typed);
        QTRY_COMPARE(focusName(), edit);
        QVERIFY(!QFile::exists(fake.file(QLatin1String(Service::ArchiveName))));
    }

    // Escape leaves; with a form not saved it asks first, and No stays.
    void escapeLeavesAskingForUnsavedTyping()
    {
        FakeContext fake;
        QWidget owner;
        TfrmManutenzioni w(fake.context(), &owner, card(QStringLiteral("7")));
        int result = -1;
        QVERIFY(
            driveModal([&] { result = w.exec(); }, [&](QWidget*) { QTest::keyClick(&w, Qt::Key_Escape); }));
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(fake.messages().count(), 0);

        QVERIFY(driveModal([&] { result = w.exec(); },
                           [&](QWidget*) {
                               auto* notes = child<QLineEdit>(&w, QStringLiteral("txtNote"));
                               notes->setFocus();
                               typeText(notes, QStringLiteral("da finire"));
                               fake.messages().answerNext(false);
                               QTest::keyClick(notes, Qt::Key_Escape);
                               QVERIFY(w.isVisible());
                               QCOMPARE(fake.messages().defaultNoQuestions, 1);
                               QTest::keyClick(notes, Qt::Key_Escape); // Yes
                           }));
        QCOMPARE(fake.messages().defaultNoQuestions, 2);
        QVERIFY(!QFile::exists(fake.file(QLatin1String(Service::ArchiveName))));
    }

    void printedSheetHoldsTheSavedLog()
    {
        FakeContext fake;
        QVERIFY(Service::append(fake.folder(),
                                serviceEntry(QStringLiteral("7"), QDate(2024, 2, 10),
                                             QStringLiteral("Tagliando"), QStringLiteral("50,00"))) > 0);
        QWidget owner;
        TfrmManutenzioni w(fake.context(), &owner, card(QStringLiteral("7")));
        w.show();
        QVERIFY(driveModal<TfrmStampaManutenzioni>(
            [&] { QVERIFY(click(&w, QStringLiteral("cmdStampa"))); },
            [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnAnteprima"))); }));
        QCOMPARE(fake.reports().previewed.size(), std::size_t(1));
        const Reports::Document& sheet = fake.reports().previewed.front();
        QCOMPARE(sheet.name, QStringLiteral("Scheda manutenzioni"));
        QCOMPARE(sheet.fileName, QStringLiteral("Scheda manutenzioni 7"));
        QCOMPARE(sheet.pages.front().find(QStringLiteral("txtMarca"))->text(), QStringLiteral("Atala City"));
        QVERIFY(sheet.pages.front()
                    .find(QStringLiteral("txtInterventi"))
                    ->text()
                    .startsWith(QStringLiteral("10/02/2024  Tagliando")));
    }

    // ---- the fleet card ----------------------------------------------------------------------

    // Ctrl+M saves the card typed and opens its vehicle's log; a Tagliando written there clears
    // the due line when the log closes. A card without a number opens nothing.
    void logCommandOpensTheLogOfTheShownVehicle()
    {
        FakeContext fake;
        QVERIFY(Service::append(fake.folder(), serviceEntry(QStringLiteral("B-7"), QDate(2023, 2, 1),
                                                            QStringLiteral("Tagliando"))) > 0);
        TfrmAutoparco w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // No number: nothing opens (a log opened by mistake is closed, not waited for).
        bool opened = false;
        QTimer stray;
        stray.setSingleShot(true);
        connect(&stray, &QTimer::timeout, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        stray.start(2000);
        QVERIFY(click(&w, QStringLiteral("cmdManutenzioni")));
        stray.stop();
        QVERIFY(!opened);

        fillMandatory(w, QStringLiteral("B-7"));
        w.edit("Meccanico")->setText(QStringLiteral("Officina Sud"));
        QVERIFY(driveModal<TfrmManutenzioni>(
            [&] { QTest::keyClick(w.edit("Note"), Qt::Key_M, Qt::ControlModifier); },
            [&](TfrmManutenzioni* log) {
                QCOMPARE(text(w, "lblRevisione"), QStringLiteral("Tagliando scaduto da 33 giorni"));
                QCOMPARE(text(*log, "lblVeicolo"), QStringLiteral("Bici n. B-7  Bianchi Spillo"));
                QCOMPARE(text(*log, "txtMeccanico"), QStringLiteral("Officina Sud"));
                QCOMPARE(listLines(*log).size(), 1);
                child<QComboBox>(log, QStringLiteral("cboLavoro"))->setEditText(QStringLiteral("Tagliando"));
                QVERIFY(click(log, QStringLiteral("cmdSalva")));
                QTest::keyClick(log, Qt::Key_Escape);
            }));
        QCOMPARE(w.position(), QStringLiteral("1")); // saved before the log opened
        QCOMPARE(text(w, "lblRevisione"), QString());
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("B-7")).entries.size(), std::size_t(2));
    }

    void dueLineShowsWhatFallsDue_data()
    {
        QTest::addColumn<QDate>("lastService");
        QTest::addColumn<bool>("rented");
        QTest::addColumn<QString>("due");
        QTest::newRow("old service") << QDate(2023, 2, 22) << false << "Tagliando scaduto da 12 giorni";
        QTest::newRow("recent service") << QDate(2024, 3, 1) << false << "";
        QTest::newRow("brakes by rental days")
            << QDate(2024, 3, 1) << true << "Freni scaduto da 7 giorni di noleggio";
        QTest::newRow("both, most overdue first")
            << QDate(2023, 2, 22) << true
            << "Tagliando scaduto da 12 giorni; Freni scaduto da 7 giorni di noleggio";
    }
    void dueLineShowsWhatFallsDue()
    {
        QFETCH(QDate, lastService);
        QFETCH(bool, rented);
        QFETCH(QString, due);
        FakeContext fake;
        QVERIFY(Service::append(fake.folder(), serviceEntry(QStringLiteral("B-7"), lastService,
                                                            QStringLiteral("Tagliando"))) > 0);
        TfrmAutoparco w(fake.context());
        QStringList asked;
        if (rented) {
            // 97 days out, brakes never done: due after 90.
            w.setRentalsSource([&asked](const QString& number) {
                asked.append(number);
                return std::vector<Service::RentalSpan>{{QDate(2023, 11, 1), QDate(2024, 2, 5)}};
            });
        }
        fillMandatory(w, QStringLiteral("B-7"));
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        QVERIFY(click(&w, QStringLiteral("cmdNuovo")));
        QCOMPARE(text(w, "lblRevisione"), QString());
        QVERIFY(click(&w, QStringLiteral("cmdPrimo")));
        QCOMPARE(text(w, "lblRevisione"), due);
        QVERIFY(!rented || asked.contains(QStringLiteral("B-7")));
    }

    // A card saved under a new number takes its log along; when the log cannot be written the
    // card is saved all the same and the user is told the entries keep the old number.
    void renumberedCardTakesItsEntries_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("moved") << true;
        QTest::newRow("log cannot be written") << false;
    }
    void renumberedCardTakesItsEntries()
    {
        QFETCH(bool, writable);
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        fillMandatory(w, QStringLiteral("B-7"));
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        if (writable) {
            for (const char* number : {"B-7", "B-8", "B-7"})
                QVERIFY(Service::append(fake.folder(), serviceEntry(QLatin1String(number), Today,
                                                                    QStringLiteral("Freni"))) > 0);
        } else {
            QVERIFY(QDir(fake.folder()).mkdir(QLatin1String(Service::ArchiveName)));
        }
        w.edit("BiciNum")->setText(QStringLiteral("B-70"));
        fake.messages().clear();
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        QCOMPARE(fake.messages().all().first().kind, MessageKind::Information); // the card is saved
        if (!writable) {
            QCOMPARE(fake.messages().count(), 2);
            QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
            QCOMPARE(
                fake.messages().last().text,
                QStringLiteral("Attenzione: la scheda è stata salvata con il numero B-70, ma non è stato "
                               "possibile aggiornare l'archivio Manutenzioni.pro.\n\r\n\rGli interventi di "
                               "manutenzione del veicolo portano ancora il numero B-7."));
            return;
        }
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("B-70")).entries.size(), std::size_t(2));
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("B-7")).entries.size(), std::size_t(0));
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("B-8")).entries.size(), std::size_t(1));
        // Saved again under the same number, nothing moves.
        QVERIFY(click(&w, QStringLiteral("cmdSalva")));
        QCOMPARE(Service::read(fake.folder(), QStringLiteral("B-70")).entries.size(), std::size_t(2));
    }
};

RF_REGISTER_TEST(ServiceWindowTest)
#include "ServiceWindowTest.moc"
