#include "contracts/documents/ContractConditions.h"
#include "contracts/documents/ContractFront.h"
#include "contracts/ui/ContractPrint.h"
#include "reports/Fonts.h"
#include "reports/Layout.h"
#include "support/TestMain.h"

#include <QFontDatabase>
#include <QTest>

using namespace rf;
using namespace rf::Reports;

// Every printed text of the contract's two pages fits its box with the fonts the package depends
// on: on a fresh system with only DejaVu, the front's last line ran past its boxes.
class ContractTextFitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::preferMetricCompatibleFaces();
        if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
            QFAIL("fonts-liberation2 is not installed: ./scripts/install-deps.sh installs it");
    }
    void printedTextsFitTheirBoxes_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("front") << 0;
        QTest::newRow("conditions") << 1;
    }
    void printedTextsFitTheirBoxes()
    {
        QFETCH(int, which);
        Report report = which == 0 ? contractFront(ContractPrint::bicyclePicture()) : contractConditions();
        if (which == 0)
            fillContractFront(report, QImage(), [](const QString&) { return QString(); });
        const Prepared prepared = prepare(report, QDate(2026, 12, 11));
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        int lines = 0;
        for (const LaidOutPage& page : prepared.document.pages) {
            for (const Item& item : page.items) {
                if (item.kind != Kind::Text)
                    continue;
                for (const PlacedLine& line : item.lines) {
                    if (line.text.trimmed().isEmpty())
                        continue;
                    ++lines;
                    const double width = textWidth(item.font, line.text);
                    QVERIFY2(width <= item.textArea.width() + 0.5,
                             qPrintable(QStringLiteral("%1: \"%2\" is %3 wide in a box of %4")
                                            .arg(item.name, line.text)
                                            .arg(width)
                                            .arg(item.textArea.width())));
                    QVERIFY2(line.rect.bottom() <= item.textArea.bottom() + 0.5,
                             qPrintable(
                                 QStringLiteral("%1: \"%2\" falls below its box").arg(item.name, line.text)));
                }
            }
        }
        QVERIFY(lines > 10);
    }
};

RF_REGISTER_TEST(ContractTextFitTest)
#include "ContractTextFitTest.moc"
