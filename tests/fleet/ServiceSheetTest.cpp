#include "fleet/documents/ServiceSheet.h"
#include "reports/Layout.h"
#include "support/ServiceEntries.h"
#include "support/TestMain.h"

#include <QHash>
#include <QTest>

using namespace rf;
using namespace rf::Reports;
using namespace rf::Test;

namespace {

const QDate Today(2024, 3, 5);

QHash<QString, QString> sampleCard()
{
    return {{QStringLiteral("BiciNum"), QStringLiteral(" B-07 ")},
            {QStringLiteral("Marca"), QStringLiteral("Bianchi Spillo")},
            {QStringLiteral("Telaio"), QStringLiteral("WBK123")},
            {QStringLiteral("Taglia"), QStringLiteral("M")},
            {QStringLiteral("Anno"), QStringLiteral("2021")},
            {QStringLiteral("Colore"), QStringLiteral("Celeste")},
            {QStringLiteral("Meccanico"), QStringLiteral("Rossi")}};
}

Prepared prepareSheet(const std::vector<Service::Entry>& entries)
{
    Report report = serviceSheet();
    const QHash<QString, QString> values = sampleCard();
    fillServiceSheet(
        report, [&values](const QString& field) { return values.value(field); }, entries);
    return prepare(report, Today);
}

// The log's lines over every page, in order.
QStringList logLines(const Document& document)
{
    QStringList lines;
    for (const LaidOutPage& page : document.pages) {
        for (const Item& item : page.items) {
            if (item.name == QLatin1String("txtInterventi"))
                lines += item.text().split(QLatin1Char('\n'));
        }
    }
    return lines;
}

} // namespace

using Entries = std::vector<Service::Entry>;
Q_DECLARE_METATYPE(Entries)

class ServiceSheetTest : public QObject {
    Q_OBJECT
private slots:
    void sheetShowsTheVehicleItsEntriesAndTheirTotal()
    {
        Service::Entry brakes = serviceEntry(QStringLiteral("B-07"), QDate(2024, 2, 10),
                                             QStringLiteral("Freni"), QStringLiteral("1200,00"));
        brakes.workshopFrom = QDate(2024, 2, 9);
        brakes.workshopTo = QDate(2024, 2, 10);
        const Prepared prepared =
            prepareSheet({brakes, serviceEntry(QStringLiteral("B-07"), QDate(2024, 1, 5),
                                               QStringLiteral("Tagliando"), QStringLiteral("34,50"))});
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        QCOMPARE(prepared.document.name, QStringLiteral("Scheda manutenzioni"));
        QCOMPARE(prepared.document.pages.size(), std::size_t(1));
        const LaidOutPage& page = prepared.document.pages.front();
        QCOMPARE(page.orientation, QPageLayout::Portrait);
        QCOMPARE(page.find(QStringLiteral("titScheda"))->text(), QStringLiteral("SCHEDA MANUTENZIONI"));
        for (const QString& field : serviceSheetFields())
            QCOMPARE(page.find(QStringLiteral("txt") + field)->text(), sampleCard().value(field).trimmed());
        QCOMPARE(page.find(QStringLiteral("titTelaio"))->text(), QStringLiteral("TELAIO N."));
        const QStringList lines = logLines(prepared.document);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("10/02/2024  Freni")));
        QVERIFY(lines[0].endsWith(QStringLiteral("1.200,00 €")));
        QCOMPARE(lines[1].trimmed(), QStringLiteral("In officina dal 09/02/2024 al 10/02/2024."));
        QCOMPARE(lines[2], QString());
        QVERIFY(lines[3].startsWith(QStringLiteral("05/01/2024  Tagliando")));
        QCOMPARE(page.find(QStringLiteral("txtTotali"))->text(),
                 QStringLiteral("Interventi: 2     Totale: 1.234,50 €     Giorni in officina: 2"));
        // The log starts under its column heads, the totals under the log.
        const Item* head = page.find(QStringLiteral("txtColonne"));
        const Item* log = page.find(QStringLiteral("txtInterventi"));
        QVERIFY(head->rect.bottom() <= log->rect.top());
        QVERIFY(log->rect.bottom() <= page.find(QStringLiteral("txtTotali"))->rect.top());
    }

    // Each column in its place: the work, parts and mechanic wrap inside theirs, the stay and the
    // notes follow under the work.
    void entriesAreLaidInColumns_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QStringList>("lines");
        Service::Entry plain = serviceEntry(QStringLiteral("1"), QDate(2024, 2, 10), QStringLiteral("Freni"),
                                            QStringLiteral("45,5"));
        plain.parts = QStringLiteral("Pastiglie");
        plain.mechanic = QStringLiteral("Rossi");
        plain.km = QStringLiteral("1200");
        QTest::newRow("one line") << Entries{plain}
                                  << QStringList{
                                         QStringLiteral("10/02/2024  Freni              Pastiglie"
                                                        "                     Rossi                   "
                                                        "1200      45,50 €")};
        Service::Entry longer = plain;
        longer.parts = QStringLiteral("Pastiglie anteriori e posteriori, dischi nuovi");
        longer.cost.clear();
        longer.workshopFrom = QDate(2024, 2, 8);
        longer.notes = QStringLiteral("Da ricontrollare");
        QTest::newRow("wrapped parts, stay and notes")
            << Entries{longer}
            << QStringList{QStringLiteral("10/02/2024  Freni              Pastiglie anteriori e         Rossi"
                                          "                   1200"),
                           QStringLiteral("                               posteriori, dischi nuovi"),
                           QStringLiteral("            In officina l'08/02/2024. Note: Da ricontrollare")};
        QTest::newRow("entries set apart")
            << Entries{plain, plain}
            << QStringList{serviceSheetLines({plain}).front(), QString(), serviceSheetLines({plain}).front()};
        QTest::newRow("empty log") << Entries{}
                                   << QStringList{QStringLiteral("Nessun intervento registrato.")};
    }
    void entriesAreLaidInColumns()
    {
        QFETCH(Entries, entries);
        QFETCH(QStringList, lines);
        QCOMPARE(serviceSheetLines(entries), lines);
    }

    void longLogRunsOntoFurtherPages()
    {
        Entries entries;
        for (int i = 0; i < 120; ++i)
            entries.push_back(serviceEntry(QStringLiteral("B-07"), QDate(2020, 1, 1).addDays(i),
                                           QStringLiteral("Controllo"), QStringLiteral("10,00")));
        const Prepared prepared = prepareSheet(entries);
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        const Document& document = prepared.document;
        QVERIFY(document.pages.size() >= 2);
        QCOMPARE(logLines(document), serviceSheetLines(entries)); // every line once, in order
        // Every line fits its box: nothing is cut at the right edge.
        const Item* log = document.pages.front().find(QStringLiteral("txtInterventi"));
        QVERIFY(textWidth(log->font, logLines(document).front()) <= log->textArea.width());
        QVERIFY(document.pages[1].find(QStringLiteral("txtInterventi")));
        QVERIFY(!document.pages[1].find(QStringLiteral("titScheda")));
        const Item* totals = document.pages.back().find(QStringLiteral("txtTotali"));
        QVERIFY(totals);
        QCOMPARE(totals->text(),
                 QStringLiteral("Interventi: 120     Totale: 1.200,00 €     Giorni in officina: 0"));
        for (const LaidOutPage& page : document.pages) {
            for (const Item& item : page.items)
                QVERIFY2(item.rect.bottom() <= page.paper.height(), qPrintable(item.name));
        }
    }
};

RF_REGISTER_TEST(ServiceSheetTest)
#include "ServiceSheetTest.moc"
