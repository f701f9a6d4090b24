#include "common/ui/SearchWindow.h"
#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmTrovaContratti_DOZ_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/VehicleSearch.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Test;

class SearchKeysTest : public QObject {
    Q_OBJECT
private slots:
    // Ctrl+Enter (either Enter key) searches from any filter of the vehicle and contract searches;
    // Enter alone still walks on to the next filter.
    void ctrlEnterSearchesFromAnyFilter_data()
    {
        QTest::addColumn<bool>("contracts");
        QTest::addColumn<int>("filter"); // its place in the Enter chain
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("searched");
        for (bool contracts : {false, true}) {
            const int last =
                int((contracts ? Contracts::searchFilters() : Fleet::searchFilters()).size()) - 1;
            const char* window = contracts ? "contracts" : "vehicles";
            QTest::addRow("%s, first filter, Ctrl+Return", window)
                << contracts << 0 << int(Qt::Key_Return) << true;
            QTest::addRow("%s, last filter, Ctrl+Enter", window)
                << contracts << last << int(Qt::Key_Enter) << true;
            QTest::addRow("%s, a middle filter, Return alone", window)
                << contracts << 1 << -int(Qt::Key_Return) << false;
        }
    }

    void ctrlEnterSearchesFromAnyFilter()
    {
        QFETCH(bool, contracts);
        QFETCH(int, filter);
        QFETCH(int, key);
        QFETCH(bool, searched);
        FakeContext fake;
        std::unique_ptr<SearchWindow> search;
        const std::vector<SearchFilterDef>& filters =
            contracts ? Contracts::searchFilters() : Fleet::searchFilters();
        if (contracts) {
            addContract(fake, {{QStringLiteral("Cliente"), QStringLiteral("Rossi Anna")}});
            search = std::make_unique<TfrmTrovaContratti_DOZ_Bici>(fake.context(), nullptr);
        } else {
            addVehicle(fake, QStringLiteral("B-1"), QString());
            search = std::make_unique<TfrmTrovaBici>(fake.context(), nullptr, TfrmTrovaBici::Mode::Fleet);
        }
        search->show();
        QVERIFY(QTest::qWaitForWindowActive(search.get()));
        QLineEdit* edit = search->filterEdit(QLatin1String(filters[std::size_t(filter)].edit));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY(child(search.get(), QStringLiteral("lblTastiCerca"))->isVisible()); // the keys are told
        QTest::keyClick(edit, Qt::Key(std::abs(key)), key > 0 ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(child(search.get(), QStringLiteral("panContainer"))->isVisible(), searched);
        if (searched) {
            QCOMPARE(child<QListView>(search.get(), QStringLiteral("lstRecords"))->model()->rowCount(), 1);
        } else {
            QVERIFY(search->filterEdit(QLatin1String(filters[std::size_t(filter) + 1].edit))->hasFocus());
        }
    }
};

RF_REGISTER_TEST(SearchKeysTest)
#include "SearchKeysTest.moc"
