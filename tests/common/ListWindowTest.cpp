#include "common/ui/ListWindow.h"
#include "reports/Layout.h"
#include "storage/Cp1252.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Test;

namespace {

const RecordLayout& names()
{
    static const RecordLayout layout{{"Nome", 40}};
    return layout;
}

// A list window over the names of a small archive, every record listed.
class Names_ : public ListWindow {
public:
    explicit Names_(Context& context)
        : ListWindow(context, nullptr,
                     {QStringLiteral("frmNomi"), QStringLiteral(" Nomi"), QStringLiteral("Riepilogo nomi"),
                      QStringLiteral("lblRigo03"), QStringLiteral("Doppio clic"),
                      QStringLiteral("Il presente riepilogo contiene %1 schede")},
                     {QStringLiteral("Nomi.pro"), &names(), [](const RecordView& r) {
                          const QByteArray raw = r.fieldBytes(0);
                          return QByteArray(raw.constData(), raw.size());
                      }})
    {
    }
    ScanResult fillAll()
    {
        return fill([](const RecordView&) { return true; });
    }
};

// The lines as the list shows them, each given in the order written with its 1-based position.
QStringList sortedLines(const QStringList& lines)
{
    std::vector<ListEntry> entries;
    for (int i = 0; i < lines.size(); ++i)
        entries.push_back({Cp1252::encode(lines.at(i)), i + 1});
    LineListModel model;
    model.setEntries(std::move(entries));
    QStringList out;
    for (const ListEntry& entry : model.entries())
        out << entry.text() + QStringLiteral(" #") + QString::number(entry.position);
    return out;
}

// Verdi, Bianchi and Rossi (positions 1 to 3) in the archive, their list window shown.
std::unique_ptr<Names_> threeNamesShown(FakeContext& fake)
{
    for (const char* name : {"Verdi", "Bianchi", "Rossi"})
        appendRecord(fake.file(QStringLiteral("Nomi.pro")), names(),
                     {{QStringLiteral("Nome"), QLatin1String(name)}});
    auto window = std::make_unique<Names_>(fake.context());
    window->show();
    return window;
}

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void findNextLine_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("previousKey");
        QTest::addColumn<int>("found");
        // Lines: 0 "Rossi Mario", 1 "Bianchi", 2 "rossi anna", 3 "Verdi", 4 "ROSSI Luca"
        QTest::newRow("new key starts at the top") << 3 << "rossi"
                                                   << "" << 0;
        QTest::newRow("new key tests the first line too") << 0 << "rossi"
                                                          << "verdi" << 0;
        QTest::newRow("same key moves on") << 0 << "rossi"
                                           << "rossi" << 2;
        QTest::newRow("and on") << 2 << "rossi"
                                << "rossi" << 4;
        QTest::newRow("wraps round the end") << 4 << "rossi"
                                             << "rossi" << 0;
        QTest::newRow("single match stays") << 3 << "verdi"
                                            << "verdi" << 3;
        QTest::newRow("nothing found") << 1 << "neri"
                                       << "" << -1;
        QTest::newRow("empty key finds nothing") << 1 << ""
                                                 << "" << -1;
    }

    void findNextLine()
    {
        QFETCH(int, selected);
        QFETCH(QString, key);
        QFETCH(QString, previousKey);
        QFETCH(int, found);
        const QStringList lines{QStringLiteral("Rossi Mario"), QStringLiteral("Bianchi"),
                                QStringLiteral("rossi anna"), QStringLiteral("Verdi"),
                                QStringLiteral("ROSSI Luca")};
        QCOMPARE(rf::findNextLine(lines, selected, key, previousKey), found);
    }

    void linesSortAsAnItalianReadsThem_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown"); // each line with the position it came from
        QTest::newRow("accented small letter among its plain letter")
            << QStringList{"Zeta", "\u00E0lberto", "Bruno", "Anna"}
            << QStringList{"\u00E0lberto #2", "Anna #4", "Bruno #3", "Zeta #1"};
        QTest::newRow("accented capital among its plain letter")
            << QStringList{"spazi", "\u00C81", "e2", "Fabio"}
            << QStringList{"\u00C81 #2", "e2 #3", "Fabio #4", "spazi #1"};
        QTest::newRow("case aside") << QStringList{"rossi", "Bianchi", "ROSSA", "bianca"}
                                    << QStringList{"bianca #4", "Bianchi #2", "ROSSA #3", "rossi #1"};
        QTest::newRow("further letters of the alphabet")
            << QStringList{"\u00D6rjan", "Nico",     "\u00D1ando", "\u00E7iro",
                           "Pia",        "\u00FCgo", "Vera",       "cesare"}
            << QStringList{"cesare #8",     "\u00E7iro #4", "\u00D1ando #3", "Nico #2",
                           "\u00D6rjan #1", "Pia #5",       "\u00FCgo #6",   "Vera #7"};
        QTest::newRow("alike lines: plain, then accented; small, then capital; then archive order")
            << QStringList{"Ol\u00E8", "ole", "OLE", "Ole", "ole"}
            << QStringList{"ole #2", "ole #5", "Ole #4", "OLE #3", "Ol\u00E8 #1"};
        // Two customers' lines that differ only far beyond the start of the line.
        const QString start = QStringLiteral("Bici n. 7").leftJustified(60, QLatin1Char(' '));
        QTest::newRow("the order holds beyond the line's start")
            << QStringList{start + "Zanardi", start + "\u00E9lite", start + "Emma"}
            << QStringList{start + "\u00E9lite #2", start + "Emma #3", start + "Zanardi #1"};
    }

    void linesSortAsAnItalianReadsThem()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        QCOMPARE(sortedLines(lines), shown);
    }

    // A list as long as a busy shop's archive comes out whole and in order (its speed is the
    // benchmark's business).
    void sixtyThousandLinesSortInOrder()
    {
        std::vector<ListEntry> entries;
        const QStringList names{"Rossi", "\u00E0lberto", "Bianchi", "\u00C8lia", "verdi", "Zanetti"};
        for (int i = 0; i < 60000; ++i) {
            const QString line = names.at(i % names.size()) +
                                 QStringLiteral(" %1").arg((i * 7919) % 60000, 26) +
                                 QStringLiteral("  Tel. 0461 %1").arg(i);
            entries.push_back({Cp1252::encode(line), i + 1});
        }
        // A customer who comes back leaves the same line again: equal lines keep archive order.
        for (int i = 0; i + 6 < 60000; i += 5)
            entries[std::size_t(i + 6)].line = entries[std::size_t(i)].line; // same name, same line
        LineListModel model;
        model.setEntries(std::move(entries));
        QCOMPARE(model.entries().size(), std::size_t(60000));
        QVERIFY(model.entries().front().text().startsWith(QStringLiteral("\u00E0lberto")));
        QVERIFY(model.entries().back().text().startsWith(QStringLiteral("Zanetti")));
        // The long list (sorted on two cores) agrees with short lists pair by pair: each neighbour
        // pair, handed over the other way round, comes back in the same order; equal neighbours
        // stand in archive order.
        int equalPairs = 0;
        for (std::size_t i = 0; i + 1 < model.entries().size(); ++i) {
            const ListEntry& first = model.entries()[i];
            const ListEntry& second = model.entries()[i + 1];
            if (first.line == second.line) {
                ++equalPairs;
                QVERIFY2(first.position < second.position, qPrintable(first.text()));
                continue;
            }
            std::vector<ListEntry> pair{second, first};
            LineListModel small;
            small.setEntries(std::move(pair));
            QVERIFY2(small.entries().front().position == first.position, qPrintable(first.text()));
        }
        QVERIFY(equalPairs > 100);
    }

    void enterOnTheSelectedLineChoosesItsRecord()
    {
        FakeContext fake;
        const std::unique_ptr<Names_> shown = threeNamesShown(fake);
        Names_& window = *shown;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.fillAll(), ScanResult::Done);
        auto* list = child<QListView>(&window, QStringLiteral("lstRecords"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return); // no line selected yet: nothing happens
        QVERIFY(window.isVisible());
        QTest::keyClick(list, Qt::Key_Home); // Bianchi
        QTest::keyClick(list, Qt::Key_Down); // Rossi
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.chosenPosition(), qint64(3));
    }

    void enterInTheFindBoxThenOnTrovaFinds()
    {
        FakeContext fake;
        const std::unique_ptr<Names_> shown = threeNamesShown(fake);
        Names_& window = *shown;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.fillAll(), ScanResult::Done);
        auto* find = child<QLineEdit>(&window, QStringLiteral("txtTrova"));
        find->setFocus();
        QTest::keyClicks(find, QStringLiteral("rossi"));
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child(&window, QStringLiteral("btnTrova")));
        QCOMPARE(child<QListView>(&window, QStringLiteral("lstRecords"))->currentIndex().row(), -1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(child<QListView>(&window, QStringLiteral("lstRecords"))->currentIndex().row(), 1);
        QVERIFY(window.isVisible());
        // Tab on to Stampa, and Enter prints.
        child<QPushButton>(&window, QStringLiteral("btnStampa"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(fake.reports().printed.size(), std::size_t(1));
    }

    void trovaWalksTheMatchesAndWraps()
    {
        FakeContext fake;
        for (const char* name : {"Rossi B", "Bianchi", "Rossi A", "Verdi", "Rossi C"})
            appendRecord(fake.file(QStringLiteral("Nomi.pro")), names(),
                         {{QStringLiteral("Nome"), QLatin1String(name)}});
        Names_ window(fake.context());
        window.show();
        QCOMPARE(window.fillAll(), ScanResult::Done);
        // Sorted by text: Bianchi, Rossi A, Rossi B, Rossi C, Verdi.
        QCOMPARE(window.lines().lines().first(), QStringLiteral("Bianchi"));
        auto* find = child<QLineEdit>(&window, QStringLiteral("txtTrova"));
        auto* list = child<QListView>(&window, QStringLiteral("lstRecords"));
        find->setText(QStringLiteral("ROSSI"));
        QList<int> rows;
        for (int i = 0; i < 4; ++i) {
            window.btnTrovaClick();
            rows.append(list->currentIndex().row());
        }
        QCOMPARE(rows, (QList<int>{1, 2, 3, 1}));
        find->setText(QStringLiteral("verdi"));
        window.btnTrovaClick();
        QCOMPARE(list->currentIndex().row(), 4);
        find->setText(QStringLiteral("neri"));
        window.btnTrovaClick();
        QCOMPARE(list->currentIndex().row(), 4); // nothing found: the selection stays
        QCOMPARE(fake.messages().count(), 0);
        QCOMPARE(child<QLabel>(&window, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 5 schede"));
    }

    void emptyListAnswersTrovaAndPrintsTitleOnly()
    {
        FakeContext fake;
        Names_ window(fake.context());
        window.show();
        QCOMPARE(window.fillAll(), ScanResult::Done);
        window.btnTrovaClick();
        QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        window.btnStampaClick();
        QCOMPARE(fake.reports().printed.size(), std::size_t(1));
        const Reports::LaidOutPage& page = fake.reports().printed.front().pages.front();
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo nomi"));
        QVERIFY(page.find(QStringLiteral("txtRiepilogo"))->lines.empty());
    }

    void printedListHasTheLinesInListOrder()
    {
        FakeContext fake;
        for (const char* name : {"Verdi", "Bianchi"})
            appendRecord(fake.file(QStringLiteral("Nomi.pro")), names(),
                         {{QStringLiteral("Nome"), QLatin1String(name)}});
        Names_ window(fake.context());
        window.show();
        QCOMPARE(window.fillAll(), ScanResult::Done);
        QVERIFY(click(&window, QStringLiteral("btnStampa")));
        const Reports::Item* lines =
            fake.reports().printed.front().pages.front().find(QStringLiteral("txtRiepilogo"));
        QCOMPARE(lines->lines.size(), std::size_t(2));
        QCOMPARE(lines->lines.front().text, QStringLiteral("Bianchi"));
    }
};

RF_REGISTER_TEST(ListWindowTest)
#include "ListWindowTest.moc"
