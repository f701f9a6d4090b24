#include "common/ui/ListWindow.h"
#include "reports/Layout.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

using namespace rf;
using namespace rf::test;

namespace {

const RecordLayout& Names()
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
                     {QStringLiteral("Nomi.pro"), &Names(), [](const RecordView& r) { const QByteArray raw = r.fieldBytes(0); return QByteArray(raw.constData(), raw.size()); }})
    {
    }
    ScanResult fillAll() { return fill([](const RecordView&) { return true; }); }
};

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
        QTest::newRow("new key starts at the top") << 3 << "rossi" << "" << 0;
        QTest::newRow("new key tests the first line too") << 0 << "rossi" << "verdi" << 0;
        QTest::newRow("same key moves on") << 0 << "rossi" << "rossi" << 2;
        QTest::newRow("and on") << 2 << "rossi" << "rossi" << 4;
        QTest::newRow("wraps round the end") << 4 << "rossi" << "rossi" << 0;
        QTest::newRow("single match stays") << 3 << "verdi" << "verdi" << 3;
        QTest::newRow("nothing found") << 1 << "neri" << "" << -1;
        QTest::newRow("empty key finds nothing") << 1 << "" << "" << -1;
    }

    void findNextLine()
    {
        QFETCH(int, selected);
        QFETCH(QString, key);
        QFETCH(QString, previousKey);
        QFETCH(int, found);
        const QStringList lines{QStringLiteral("Rossi Mario"), QStringLiteral("Bianchi"), QStringLiteral("rossi anna"),
                                QStringLiteral("Verdi"), QStringLiteral("ROSSI Luca")};
        QCOMPARE(FindNextLine(lines, selected, key, previousKey), found);
    }

    void trovaWalksTheMatchesAndWraps()
    {
        FakeContext fake;
        for (const char* name : {"Rossi B", "Bianchi", "Rossi A", "Verdi", "Rossi C"})
            appendRecord(fake.file(QStringLiteral("Nomi.pro")), Names(), {{QStringLiteral("Nome"), QLatin1String(name)}});
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
        const report::LaidOutPage& page = fake.reports().printed.front().pages.front();
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo nomi"));
        QVERIFY(page.find(QStringLiteral("txtRiepilogo"))->lines.empty());
    }

    void printedListHasTheLinesInListOrder()
    {
        FakeContext fake;
        for (const char* name : {"Verdi", "Bianchi"})
            appendRecord(fake.file(QStringLiteral("Nomi.pro")), Names(), {{QStringLiteral("Nome"), QLatin1String(name)}});
        Names_ window(fake.context());
        window.show();
        QCOMPARE(window.fillAll(), ScanResult::Done);
        click(&window, QStringLiteral("btnStampa"));
        const report::Item* lines = fake.reports().printed.front().pages.front().find(QStringLiteral("txtRiepilogo"));
        QCOMPARE(lines->lines.size(), std::size_t(2));
        QCOMPARE(lines->lines.front().text, QStringLiteral("Bianchi"));
    }
};

RF_REGISTER_TEST(ListWindowTest)
#include "ListWindowTest.moc"
