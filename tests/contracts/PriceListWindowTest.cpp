#include "contracts/PriceList.h"
#include "contracts/ui/TfrmListino.h"
#include "storage/IniFile.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

// Each key goes where the focus is, as a real key does: into the cell editor once typing opened it.
// The events a key posts (a cell editor closes after Enter) are handled before the next key.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QCoreApplication::processEvents();
}

void type(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Types each text into a cell of the current line, from the current cell rightwards.
void typeLine(const QStringList& cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0)
            press(Qt::Key_Right);
        type(cells[i]);
        press(Qt::Key_Return);
    }
}

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class PriceListWindowTest : public QObject {
    Q_OBJECT
private slots:
    // A tariff and a season typed from the keyboard are saved beside what else the file holds, read
    // back by the next window, and a removal left unsaved is asked about before leaving.
    void theListIsTypedSavedAndReadBack()
    {
        FakeContext fake;
        QVERIFY(writeFile(fake.file("Listino.ini"), "[Note]\r\nAutore=Mario\r\n"));
        {
            TfrmListino w(fake.context(), nullptr);
            QCOMPARE(w.windowTitle(), QStringLiteral(" Listino prezzi"));
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTRY_COMPARE(focusedName(), QStringLiteral("grdTariffe"));
            press(Qt::Key_Insert);
            typeLine({"City", "8", "15", "12", "25", "70", "50,5"});
            press(Qt::Key_Tab);
            QCOMPARE(focusedName(), QStringLiteral("grdStagioni"));
            press(Qt::Key_Insert);
            typeLine({"15/06", "15/09", "+20", "alta stagione"});
            QVERIFY(w.isEdited());
            press(Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(fake.messages().count(), 0);
            QVERIFY(!w.isEdited());
        }
        const std::optional<PriceList::List> saved = PriceList::load(fake.folder());
        QVERIFY(saved);
        PriceList::List expected;
        expected.tariffs.push_back({QStringLiteral("City"), 800, 1500, 1200, 2500, 7000, 5050});
        expected.seasons.push_back(*PriceList::parseSeason(QStringLiteral("15/06-15/09;+20;alta stagione")));
        QVERIFY(*saved == expected);
        IniFile ini(fake.file("Listino.ini"));
        QVERIFY(ini.load());
        QCOMPARE(ini.value(QStringLiteral("Note"), QStringLiteral("Autore")), QStringLiteral("Mario"));

        TfrmListino w(fake.context(), nullptr);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* tariffs = required<QTableWidget>(&w, "grdTariffe");
        QCOMPARE(tariffs->rowCount(), 1);
        QCOMPARE(tariffs->item(0, 6)->text(), QStringLiteral("50,50"));
        QTRY_COMPARE(focusedName(), QStringLiteral("grdTariffe"));
        press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(tariffs->rowCount(), 0);
        QSignalSpy closed(&w, &QDialog::rejected);
        fake.messages().answerNext(false);
        press(Qt::Key_Escape);
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QCOMPARE(closed.count(), 0);
        fake.messages().answerNext(true);
        press(Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
        QVERIFY(*PriceList::load(fake.folder()) == expected);
    }

    // A list that changed in the file after the window read it (another workstation saved) is not
    // written over without a question: No keeps the other list, Yes saves this one.
    void aListSavedMeanwhileElsewhereIsAskedAbout()
    {
        FakeContext fake;
        TfrmListino w(fake.context(), nullptr);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(focusedName(), QStringLiteral("grdTariffe"));
        PriceList::List theirs;
        theirs.tariffs.push_back({QStringLiteral("e-Bike"), 0, 3500, 0, 0, 0, 0});
        QCOMPARE(PriceList::save(fake.folder(), theirs), PriceList::SaveResult::Saved);
        press(Qt::Key_Insert);
        typeLine({"City", "8", "15"});
        fake.messages().answerNext(false);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("un'altra postazione")));
        QVERIFY(*PriceList::load(fake.folder()) == theirs);
        QVERIFY(w.isEdited());
        fake.messages().answerNext(true);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(PriceList::load(fake.folder())->tariffs.front().name, QStringLiteral("City"));
        QVERIFY(!w.isEdited());
    }

    // Salva refuses a list it could not read back, naming the first wrong cell, and writes nothing.
    void aWrongListIsNotSaved_data()
    {
        QTest::addColumn<QStringList>("tariffs"); // names
        QTest::addColumn<QStringList>("season");  // from, to, percent, name
        QTest::addColumn<QString>("warning");
        QTest::newRow("a tariff without a name") << QStringList{"City", " "} << QStringList{}
                                                 << "Attenzione: indicare il nome della tariffa alla riga 2.";
        QTest::newRow("a tariff twice")
            << QStringList{"City", "city "} << QStringList{}
            << "Attenzione: la tariffa city compare più di una volta nel listino.";
        QTest::newRow("a season's day") << QStringList{} << QStringList{"15/06", "31/09", "+20", ""}
                                        << "Attenzione: le date della stagione alla riga 1 si scrivono nella "
                                           "forma gg/mm, ad esempio 15/06.";
        QTest::newRow("a season's percentage")
            << QStringList{} << QStringList{"15/06", "15/09", "20 per cento", ""}
            << "Attenzione: la percentuale della stagione alla riga 1 è un numero intero, ad esempio +20 o "
               "-10.";
    }
    void aWrongListIsNotSaved()
    {
        QFETCH(QStringList, tariffs);
        QFETCH(QStringList, season);
        QFETCH(QString, warning);
        FakeContext fake;
        TfrmListino w(fake.context(), nullptr);
        auto* grdTariffe = required<QTableWidget>(&w, "grdTariffe");
        for (int row = 0; row < tariffs.size(); ++row) {
            grdTariffe->insertRow(row);
            grdTariffe->setItem(row, 0, new QTableWidgetItem(tariffs[row]));
        }
        auto* grdStagioni = required<QTableWidget>(&w, "grdStagioni");
        if (!season.isEmpty()) {
            grdStagioni->insertRow(0);
            for (int c = 0; c < season.size(); ++c)
                grdStagioni->setItem(0, c, new QTableWidgetItem(season[c]));
        }
        QVERIFY(click(&w, "btnSalva"));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().text, warning);
        QVERIFY(!QFile::exists(fake.file("Listino.ini")));
        QVERIFY(w.isEdited());
    }

    // A list that cannot be read is told at once and never saved over.
    void anUnreadableListIsToldAndKept()
    {
        FakeContext fake;
        QVERIFY(QDir().mkpath(fake.file("Listino.ini")));
        TfrmListino w(fake.context(), nullptr);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("leggere il file Listino.ini")));
        press(Qt::Key_Insert);
        typeLine({"City", "8"});
        QVERIFY(click(&w, "btnSalva"));
        QCOMPARE(fake.messages().count(), 2);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("non viene salvato")));
        QVERIFY(QFileInfo(fake.file("Listino.ini")).isDir());
    }
};

RF_REGISTER_TEST(PriceListWindowTest)
#include "PriceListWindowTest.moc"
