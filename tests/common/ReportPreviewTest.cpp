#include "common/ui/ReportPreview.h"
#include "reports/ListTemplate.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace rf;
using namespace rf::Test;

class ReportPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void pdfIsOfferedUnderTheNameItsCallerGave_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("offered");
        QTest::newRow("the caller's name, made fit for a file") << "Planning bici B/7 anno 2025"
                                                                << "Planning bici B 7 anno 2025.pdf";
        QTest::newRow("none given: the report's own name") << ""
                                                           << "Riepilogo dati.pdf";
    }

    void pdfIsOfferedUnderTheNameItsCallerGave()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, offered);
        FakeContext fake;
        Reports::Report list = Reports::listTemplate();
        Reports::fillList(list, QStringLiteral("Riepilogo"), {QStringLiteral("Una riga")});
        list.setFileName(fileName);
        const Reports::Prepared prepared = Reports::prepare(list, fake.clock().today());
        QVERIFY(prepared.ok);
        fake.dialogs().answerNext(fake.file(QStringLiteral("scelto"))); // the extension is added
        ReportPreview preview(prepared.document, nullptr, fake.messages(), fake.dialogs());
        preview.show();
        QVERIFY(click(&preview, QStringLiteral("btnPdf")));
        QCOMPARE(fake.dialogs().asked().size(), 1);
        QCOMPARE(QFileInfo(fake.dialogs().asked().front().folder).fileName(), offered);
        QVERIFY(QFile::exists(fake.file(QStringLiteral("scelto.pdf"))));
        QCOMPARE(fake.messages().count(), 0);
    }
};

RF_REGISTER_TEST(ReportPreviewTest)
#include "ReportPreviewTest.moc"
