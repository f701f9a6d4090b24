#include "common/ui/CardWindow.h"
#include "common/ui/Status.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "storage/RecordScan.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Test;

namespace {

const QString Recoverable = QStringLiteral(
    "Le modifiche non salvate della scheda lasciata possono essere recuperate con Recupera (Ctrl+Z).");

enum class Way { Escape, NewCard, NextKey, NextArrow, ChosenRecord, ReloadAfterConflict };

// A card window of either kind over an archive of two cards, shown and active.
struct Shop {
    FakeContext fake;
    bool contracts;
    std::unique_ptr<QWidget> owner;
    CardWindow* window = nullptr;

    explicit Shop(bool contractsWindow) : contracts(contractsWindow)
    {
        for (const QString& who : {QStringLiteral("Bianchi Anna"), QStringLiteral("Verdi Carlo")}) {
            if (contracts) {
                appendRecord(archive(), layout(),
                             {{QStringLiteral("Ditta01"), QStringLiteral("Noleggi del Lago")},
                              {QStringLiteral("Data"), QStringLiteral("05/03/2026")},
                              {QStringLiteral("Luogo"), QStringLiteral("Riva")},
                              {QStringLiteral("Cliente"), who},
                              {QStringLiteral("BiciNum"), QStringLiteral("B-1")},
                              {QStringLiteral("Marca"), QStringLiteral("Atala City")},
                              {QStringLiteral("Note"), who},
                              {QStringLiteral("File01"), QStringLiteral("patente.pdf")}});
            } else {
                appendRecord(archive(), layout(),
                             {{QStringLiteral("BiciNum"), who.left(1)},
                              {QStringLiteral("Marca"), QStringLiteral("Atala City")},
                              {QStringLiteral("Taglia"), QStringLiteral("M")},
                              {QStringLiteral("Colore"), QStringLiteral("Rosso")},
                              {QStringLiteral("Note"), who},
                              {QStringLiteral("File01"), QStringLiteral("fattura.pdf")}});
            }
        }
        if (contracts)
            owner = std::make_unique<TfrmContratti_Noleggio_Bici>(fake.context());
        else
            owner = std::make_unique<TfrmAutoparco>(fake.context());
        window = static_cast<CardWindow*>(owner.get());
        window->show();
    }
    const RecordLayout& layout() const { return contracts ? TSchedaContratto() : TSchedaVeicolo(); }
    QString archive()
    {
        return fake.file(QLatin1String(contracts ? Contracts::ArchiveName : Fleet::ArchiveName));
    }
    QString stored(qint64 position, const QString& field)
    {
        return readArchiveRecord(archive(), layout(), position)
            .value_or(QStringList())
            .value(layout().indexOf(field));
    }
    QLineEdit* note() const { return window->edit(QStringLiteral("Note")); }
    QString status() const { return child<QLabel>(window, QStringLiteral("panInfo"))->text(); }
    // Types at the end of the notes, as a user adding to them.
    void typeNote(const QString& text) const
    {
        note()->setFocus();
        note()->end(false);
        QTest::keyClicks(note(), text);
    }
    void press(int key, Qt::KeyboardModifiers modifiers) const
    {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window, Qt::Key(key), modifiers);
    }
};

} // namespace

class LeftCardTest : public QObject {
    Q_OBJECT
private slots:
    // Every way a card with unsaved edits is left keeps it, without a question; Ctrl+Z puts it back
    // (texts, attachments, position) and a save goes to the same record.
    void aLeftCardIsKeptAndRecovered_data()
    {
        QTest::addColumn<bool>("contracts");
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("newCard"); // a half-typed new card, not a record's
        const struct {
            const char* name;
            Way way;
            bool newCard;
        } ways[] = {
            {"Escape on a new card", Way::Escape, true},
            {"Escape on a record", Way::Escape, false},
            {"Ctrl+N on a new card", Way::NewCard, true},
            {"Ctrl+N on a record", Way::NewCard, false},
            {"Alt+Right", Way::NextKey, false},
            {"the Next arrow", Way::NextArrow, false},
            {"a record chosen in a list", Way::ChosenRecord, false},
            {"reloaded after a conflict", Way::ReloadAfterConflict, false},
        };
        for (bool contracts : {false, true}) {
            for (const auto& w : ways) {
                // Only contracts are edited elsewhere by the helper playing the other workstation.
                if (w.way == Way::ReloadAfterConflict && !contracts)
                    continue;
                QTest::addRow("%s, %s", contracts ? "contract" : "fleet", w.name)
                    << contracts << int(w.way) << w.newCard;
            }
        }
    }

    void aLeftCardIsKeptAndRecovered()
    {
        QFETCH(bool, contracts);
        QFETCH(int, way);
        QFETCH(bool, newCard);
        Shop shop(contracts);
        CardWindow& w = *shop.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!child(&w, QStringLiteral("cmdRecupera"))->isVisible());
        QVERIFY(Status::hintOf(child(&w, QStringLiteral("cmdRecupera"))).contains(QStringLiteral("Ctrl+Z")));
        if (!newCard) {
            shop.press(Qt::Key_Home, Qt::AltModifier);
            QCOMPARE(w.position(), QStringLiteral("1"));
        }
        shop.typeNote(QStringLiteral(" richiamare"));
        const QStringList typed = w.cardTexts();
        const QString position = w.position();
        QVERIFY(w.isEdited());

        switch (Way(way)) {
        case Way::Escape:
            shop.press(Qt::Key_Escape, Qt::NoModifier);
            QTRY_VERIFY(!w.isVisible());
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(w.position(), QString());
            break;
        case Way::NewCard:
            shop.press(Qt::Key_N, Qt::ControlModifier);
            QCOMPARE(w.position(), QString());
            break;
        case Way::NextKey:
            shop.press(Qt::Key_Right, Qt::AltModifier);
            QCOMPARE(w.position(), QStringLiteral("2"));
            break;
        case Way::NextArrow:
            QVERIFY(click(&w, QStringLiteral("cmdAvanti")));
            QCOMPARE(w.position(), QStringLiteral("2"));
            break;
        case Way::ChosenRecord:
            w.showRecord(2); // as a search result or a list line chosen does
            QCOMPARE(w.position(), QStringLiteral("2"));
            break;
        case Way::ReloadAfterConflict:
            QCOMPARE(QProcess::execute(QStringLiteral(RECORD_EDIT_HELPER),
                                       {shop.archive(), QStringLiteral("set"), QStringLiteral("1"),
                                        QStringLiteral("Note"), QStringLiteral("altra postazione")}),
                     0);
            shop.fake.messages().chooseNext(0); // Ricarica la scheda
            shop.press(Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(shop.note()->text(), QStringLiteral("altra postazione"));
            break;
        }
        QVERIFY(!shop.note()->text().endsWith(QStringLiteral(" richiamare")));
        QCOMPARE(shop.status(), Recoverable);
        QVERIFY(child(&w, QStringLiteral("cmdRecupera"))->isVisible());
        QVERIFY(!w.isEdited());

        const int asked = shop.fake.messages().count();
        shop.press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shop.fake.messages().count(), asked); // no question
        QCOMPARE(w.cardTexts(), typed);
        QCOMPARE(w.position(), position);
        QVERIFY(w.isEdited());
        QVERIFY(!w.hasKeptCard());
        if (newCard)
            return;

        QCOMPARE(w.attachments().file[0], shop.stored(1, QStringLiteral("File01")));
        if (Way(way) == Way::ReloadAfterConflict)
            shop.fake.messages().chooseNext(1); // the other version has been seen: save mine
        shop.press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(shop.stored(1, QStringLiteral("Note")), QStringLiteral("Bianchi Anna richiamare"));
        QCOMPARE(shop.stored(2, QStringLiteral("Note")), QStringLiteral("Verdi Carlo"));
        QCOMPARE(QFileInfo(shop.archive()).size(), 2 * shop.layout().size());
    }

    // A card with edits of its own is not thrown away by recovering: the two change places. Ctrl+Z
    // then undoes typing in the field, as in any edit.
    void recoveringOverAnEditedCardSwapsThem()
    {
        Shop shop(false);
        CardWindow& w = *shop.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        shop.press(Qt::Key_Home, Qt::AltModifier);
        shop.typeNote(QStringLiteral(" uno"));
        shop.press(Qt::Key_Right, Qt::AltModifier);
        shop.typeNote(QStringLiteral(" due"));
        shop.press(Qt::Key_Z, Qt::ControlModifier); // the field's own undo
        QCOMPARE(w.position(), QStringLiteral("2"));
        QVERIFY(shop.note()->text() != QStringLiteral("Verdi Carlo due"));
        shop.typeNote(QStringLiteral(" tre"));
        const QString second = shop.note()->text();

        QVERIFY(click(&w, QStringLiteral("cmdRecupera")));
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(shop.note()->text(), QStringLiteral("Bianchi Anna uno"));
        QVERIFY(click(&w, QStringLiteral("cmdRecupera")));
        QCOMPARE(w.position(), QStringLiteral("2"));
        QCOMPARE(shop.note()->text(), second);
    }

    // Leaving a card that shows no edits keeps nothing.
    void anUneditedCardIsNotKept()
    {
        Shop shop(true);
        CardWindow& w = *shop.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        shop.press(Qt::Key_N, Qt::ControlModifier);
        shop.press(Qt::Key_Home, Qt::AltModifier);
        shop.press(Qt::Key_Right, Qt::AltModifier);
        shop.press(Qt::Key_Escape, Qt::NoModifier);
        w.show();
        QVERIFY(!w.hasKeptCard());
        QVERIFY(!child(&w, QStringLiteral("cmdRecupera"))->isVisible());
    }
};

RF_REGISTER_TEST(LeftCardTest)
#include "LeftCardTest.moc"
