#include "common/ui/CardArchive.h"
#include "common/ui/UserTexts.h"
#include "contracts/SchedaContratto.h"
#include "storage/ArchiveFile.h"
#include "storage/CardBrowsing.h"
#include "storage/Durable.h"
#include "storage/FileLock.h"
#include "storage/RecordLayout.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QTest>

using namespace rf;
using namespace rf::Test;

Q_DECLARE_METATYPE(rf::BrowseButton)

namespace {
const RecordLayout Layout{{"Nome", 20}, {"Note", 30}};
const QString Empty = rf::Texts::emptyArchive();
} // namespace

class CardArchiveTest : public QObject {
    Q_OBJECT
private slots:
    // The windows word what opening an archive found; the words are the ones users know.
    void archiveNoticesAreWordedForTheUser()
    {
        QCOMPARE(rf::Texts::archiveNotice({}), QString());
        QCOMPARE(
            rf::Texts::archiveNotice({ArchiveNotice::Kind::JournalSetAside,
                                      QStringLiteral("Parco_Veicoli.pro.journal.20261210-2140")}),
            QStringLiteral("Attenzione: accanto all'archivio è stato trovato un file di ripristino che non "
                           "corrisponde ai dati presenti (per esempio un archivio ripristinato da una copia "
                           "di sicurezza o sostituito da un'altra postazione).\n\r\n\rL'archivio non è "
                           "stato modificato; il file di ripristino è stato conservato come "
                           "\"Parco_Veicoli.pro.journal.20261210-2140\"."));
        QVERIFY(rf::Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}})
                    .startsWith(QStringLiteral(
                        "Attenzione: l'ultima modifica di questo archivio è stata interrotta")));
        QCOMPARE(
            rf::Texts::linkRefused(QStringLiteral("Contratti.xls")),
            QStringLiteral("Attenzione: il file \"Contratti.xls\" è un collegamento a un altro file e non "
                           "viene sovrascritto.\n\r\n\rEliminare il collegamento dalla cartella del "
                           "programma e ripetere l'operazione."));
    }

    void browsingRules_data()
    {
        QTest::addColumn<BrowseButton>("button");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result"); // "show N", "empty", "nothing"
        QTest::addColumn<QString>("labelAfter");

        QTest::newRow("first, empty archive") << BrowseButton::First << "" << 0 << "empty"
                                              << "";
        QTest::newRow("first") << BrowseButton::First << "3" << 5 << "show 1"
                               << "3";
        QTest::newRow("last, empty archive") << BrowseButton::Last << "2" << 0 << "empty"
                                             << "2";
        QTest::newRow("last") << BrowseButton::Last << "" << 5 << "show 5"
                              << "";
        QTest::newRow("next from new card") << BrowseButton::Next << "" << 5 << "show 1"
                                            << "0";
        QTest::newRow("next, empty archive") << BrowseButton::Next << "4" << 0 << "empty"
                                             << "";
        QTest::newRow("next from new card, empty archive") << BrowseButton::Next << "" << 0 << "empty"
                                                           << "";
        QTest::newRow("next") << BrowseButton::Next << "2" << 5 << "show 3"
                              << "2";
        QTest::newRow("next on last") << BrowseButton::Next << "5" << 5 << "nothing"
                                      << "5";
        QTest::newRow("previous on first") << BrowseButton::Previous << "1" << 0 << "nothing"
                                           << "1";
        QTest::newRow("previous, empty archive") << BrowseButton::Previous << "3" << 0 << "empty"
                                                 << "3";
        QTest::newRow("previous from new card") << BrowseButton::Previous << "" << 5 << "show 1"
                                                << "";
        QTest::newRow("previous from 2") << BrowseButton::Previous << "2" << 5 << "show 1"
                                         << "2";
        QTest::newRow("previous") << BrowseButton::Previous << "4" << 5 << "show 3"
                                  << "4";
    }
    void browsingRules()
    {
        QFETCH(BrowseButton, button);
        QFETCH(QString, label);
        QFETCH(int, count);
        QFETCH(QString, result);
        QFETCH(QString, labelAfter);
        const BrowseStep step = decideBrowse(button, label, count);
        QString got = step.kind == BrowseStep::Kind::ShowRecord ? QStringLiteral("show %1").arg(step.position)
                      : step.kind == BrowseStep::Kind::EmptyArchive ? QStringLiteral("empty")
                                                                    : QStringLiteral("nothing");
        QCOMPARE(got, result);
        QString after = step.clearLabel ? QString() : step.labelToZero ? QStringLiteral("0") : label;
        QCOMPARE(after, labelAfter);
    }

    void saveAppendsThenUpdatesSamePosition()
    {
        FakeContext fake;
        QWidget window;
        QLabel lblPosizione;
        QStringList onScreen{QStringLiteral("Rossi"), QStringLiteral("prima")};
        int saves = 0;
        CardArchive card(fake.context(), &window, QStringLiteral("Prova.pro"), Layout, &lblPosizione,
                         {[&](const QStringList& t) { onScreen = t; },
                          [&] { return onScreen; },
                          {},
                          [&] { ++saves; },
                          {}});

        QVERIFY(card.save());
        QCOMPARE(lblPosizione.text(), QStringLiteral("1"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(QFileInfo(fake.file("Prova.pro")).size(), Layout.size());

        onScreen[1] = QStringLiteral("dopo");
        QVERIFY(card.save());
        QCOMPARE(lblPosizione.text(), QStringLiteral("1"));
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(QFileInfo(fake.file("Prova.pro")).size(), Layout.size());
        QCOMPARE(saves, 2);

        lblPosizione.clear();
        QVERIFY(card.save());
        QCOMPARE(lblPosizione.text(), QStringLiteral("2"));

        onScreen = {};
        QVERIFY(card.browse(BrowseButton::First));
        QCOMPARE(onScreen, (QStringList{QStringLiteral("Rossi"), QStringLiteral("dopo")}));
        QCOMPARE(lblPosizione.text(), QStringLiteral("1"));
    }

    void firstOnMissingArchiveSaysItIsEmptyAndCreatesNothing()
    {
        FakeContext fake;
        QWidget window;
        QLabel lblPosizione;
        bool read = false;
        CardArchive card(fake.context(), &window, QStringLiteral("Prova.pro"), Layout, &lblPosizione,
                         {[&](const QStringList&) { read = true; }, {}, [&] { read = true; }, {}, {}});
        QVERIFY(card.browse(BrowseButton::First));
        QVERIFY(!read);
        QVERIFY(!QFile::exists(fake.file("Prova.pro")));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(fake.messages().last().text, Empty);
    }

    void failuresShowTheArchiveMessageInTheChosenBoxAndSkipTheRest()
    {
        FakeContext fake;
        QWidget window;
        QLabel lblPosizione(QStringLiteral("7"));
        int afterSteps = 0;
        CardArchive card(fake.context(), &window, QStringLiteral("Prova.pro"), Layout, &lblPosizione,
                         {[](const QStringList&) {},
                          [] { return QStringList{QStringLiteral("x")}; },
                          [&] { ++afterSteps; },
                          [&] { ++afterSteps; },
                          {}});
        card.setFailureBox(CardArchive::Action::Save, CardArchive::Box::Warning);

        // The label points past the end of a one-record archive.
        QFile f(fake.file("Prova.pro"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Layout.encode({QStringLiteral("solo")}));
        f.close();
        QVERIFY(!card.save());
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        // The message names the archive and the data folder, and says writing is what failed.
        const QString folder = QDir::toNativeSeparators(QDir(fake.folder()).absolutePath());
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio Prova.pro.\n\r\n\r"
                           "Accertarsi di possedere i privilegi di lettura e scrittura nella cartella dei "
                           "dati %1, e che la cartella sia raggiungibile.")
                .arg(folder));
        QCOMPARE(lblPosizione.text(), QStringLiteral("7"));

        QVERIFY(!card.browse(BrowseButton::Previous)); // would show 6
        QCOMPARE(fake.messages().last().kind, MessageKind::Error);

        // An archive that cannot be opened at all.
        QVERIFY(QFile::remove(fake.file("Prova.pro")));
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("Prova.pro")));
        QVERIFY(!card.browse(BrowseButton::First));
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio Prova.pro.\n\r\n\r"
                           "Accertarsi di possedere i privilegi di lettura nella cartella dei dati %1, e "
                           "che la cartella sia raggiungibile.")
                .arg(folder));
        QCOMPARE(afterSteps, 0);
        QCOMPARE(fake.messages().count(), 3);
    }

    // A card saved on another workstation since this one read it is never overwritten behind its
    // back: fields only the other side changed are kept beside this card's, and a field both sides
    // changed is asked about (reload, save this version knowingly, or cancel).
    void cardSavedElsewhereIsMergedOrAsked_data()
    {
        QTest::addColumn<QString>("theirField");
        QTest::addColumn<QString>("theirText");
        QTest::addColumn<int>("choice"); // answer to the question, when one is asked
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("returned");
        QTest::addColumn<QString>("shownNote");
        QTest::addColumn<QString>("told"); // what the last message says

        QTest::newRow("returned elsewhere, note here: both kept")
            << "Riconsegnato" << QStringLiteral("S\u00EC") << -2 << "mia nota" << QStringLiteral("S\u00EC")
            << "mia nota"
            << "Riconsegnato. Le sue modifiche sono state mantenute";
        QTest::newRow("same note both sides: saved") << "Note"
                                                     << "mia nota" << -2 << "mia nota"
                                                     << "No"
                                                     << "mia nota"
                                                     << "sono state salvate in archivio.";
        QTest::newRow("note both sides, reload") << "Note"
                                                 << "loro nota" << 0 << "loro nota"
                                                 << "No"
                                                 << "loro nota"
                                                 << "Ricaricare la scheda";
        QTest::newRow("note both sides, save mine") << "Note"
                                                    << "loro nota" << 1 << "mia nota"
                                                    << "No"
                                                    << "mia nota"
                                                    << "sono state salvate in archivio.";
        QTest::newRow("note both sides, cancel") << "Note"
                                                 << "loro nota" << -1 << "loro nota"
                                                 << "No"
                                                 << "mia nota"
                                                 << "Ricaricare la scheda";
    }
    void cardSavedElsewhereIsMergedOrAsked()
    {
        QFETCH(QString, theirField);
        QFETCH(QString, theirText);
        QFETCH(int, choice);
        QFETCH(QString, note);
        QFETCH(QString, returned);
        QFETCH(QString, shownNote);
        QFETCH(QString, told);
        const RecordLayout& layout = TSchedaContratto();
        const int noteField = layout.indexOf(QStringLiteral("Note"));
        FakeContext fake;
        QWidget window;
        QLabel lblPosizione;
        QStringList onScreen;
        for (int i = 0; i < layout.fieldCount(); ++i)
            onScreen.append(QString());
        onScreen[layout.indexOf(QStringLiteral("Cliente"))] = QStringLiteral("Rossi Anna");
        onScreen[Contracts::ReturnedField] = Contracts::returnedNo();
        CardArchive card(fake.context(), &window, QString::fromLatin1(Contracts::ArchiveName), layout,
                         &lblPosizione,
                         {[&](const QStringList& t) { onScreen = t; }, [&] { return onScreen; }, {}, {}, {}});
        QVERIFY(card.save());
        const QString archive = fake.file(QString::fromLatin1(Contracts::ArchiveName));

        // Another workstation saves the same contract while this one still shows it.
        QCOMPARE(
            QProcess::execute(QStringLiteral(RECORD_EDIT_HELPER),
                              {archive, QStringLiteral("set"), QStringLiteral("1"), theirField, theirText}),
            0);
        onScreen[noteField] = QStringLiteral("mia nota");
        if (choice > -2)
            fake.messages().chooseNext(choice);
        fake.messages().clear();
        card.save();

        const QStringList stored = layout.decode(readFile(archive));
        QCOMPARE(stored[noteField], note);
        QCOMPARE(stored[Contracts::ReturnedField], returned);
        QCOMPARE(onScreen[noteField], shownNote);
        QVERIFY2(fake.messages().all().first().text.contains(told) ||
                     fake.messages().last().text.contains(told),
                 qPrintable(fake.messages().last().text));
        if (choice > -2) {
            QCOMPARE(fake.messages().all().first().kind, MessageKind::Choice);
            QVERIFY(fake.messages().all().first().text.contains(
                QStringLiteral("Note: \"mia nota\" in questa scheda, \"loro nota\" nell'altra postazione")));
            QCOMPARE(fake.messages().lastButtons,
                     QStringList({QStringLiteral("Ricarica la scheda"),
                                  QStringLiteral("Salva la mia versione"), QStringLiteral("Annulla")}));
        }
        // Once saved or reloaded, the card stands on what is stored: the next save asks nothing.
        if (choice == 0 || choice == 1) {
            onScreen[noteField] = QStringLiteral("ancora");
            fake.messages().clear();
            QVERIFY(card.save());
            QCOMPARE(fake.messages().count(), 1);
            QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        }
    }

    // An interrupted rewrite that cannot be undone (here another workstation holds the lock):
    // the card is still shown, the user is told once why the archive is read-only, and a save
    // is refused with the same reason instead of being written over the pending journal.
    void pendingJournalIsToldAndBlocksSaves()
    {
        FakeContext fake;
        QWidget window;
        QLabel lblPosizione;
        QStringList onScreen{QStringLiteral("Rossi"), QStringLiteral("prima")};
        CardArchive card(fake.context(), &window, QStringLiteral("Prova.pro"), Layout, &lblPosizione,
                         {[&](const QStringList& t) { onScreen = t; }, [&] { return onScreen; }, {}, {}, {}});
        QVERIFY(card.save());
        const QString archive = fake.file("Prova.pro");
        const QByteArray record = Layout.encode(onScreen);
        QVERIFY(Durable::writeJournal(archive + QStringLiteral(".journal"),
                                      {QStringLiteral("Prova.pro"), Layout.size(), 0, record, record}));
        QLockFile held(archive + QStringLiteral(".lock"));
        QVERIFY(held.tryLock(0));
        FileLock::setTiming({60000, 100});
        const int before = fake.messages().count();
        QVERIFY(card.browse(BrowseButton::First));
        QVERIFY(card.browse(BrowseButton::Last));
        QCOMPARE(fake.messages().count(), before + 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text,
                 rf::Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        QCOMPARE(onScreen.first(), QStringLiteral("Rossi"));
        onScreen = {QStringLiteral("Bianchi"), QStringLiteral("dopo")};
        QVERIFY(!card.save());
        QCOMPARE(fake.messages().count(), before + 2);
        QCOMPARE(fake.messages().last().text,
                 rf::Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        FileLock::setTiming({});
        QCOMPARE(Layout.decode(readFile(archive)).first(), QStringLiteral("Rossi"));
        QVERIFY(QFile::exists(archive + QStringLiteral(".journal")));
    }
};

RF_REGISTER_TEST(CardArchiveTest)
#include "CardArchiveTest.moc"
#include "common/ui/UserTexts.h"
