#include "storage/Spreadsheet.h"
#include "storage/Cp1252.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

using namespace rf;
using rf::Test::FileWritesFail;
using rf::Test::readFile;
using rf::Test::writeFile;

namespace {

const RecordLayout& card()
{
    static const RecordLayout layout{{"Nome", 40}, {"Citta", 40}};
    return layout;
}

const std::vector<ExportColumn>& columns()
{
    static const std::vector<ExportColumn> columns{
        {QStringLiteral("Nome"), 100, QStringLiteral("Nome e cognome"), 250, fieldValue(card(), "Nome")},
        {QStringLiteral("Città"), 80, QStringLiteral("Città"), 120, fieldValue(card(), "Citta")},
    };
    return columns;
}

ExportTable table(const QList<QStringList>& rows)
{
    ExportTable t(2);
    for (const QStringList& row : rows)
        t.addRow(row);
    return t;
}

// The cells of the one table of an HTML document, row by row, as a spreadsheet program reads them.
QList<QStringList> cellsOf(const QByteArray& document)
{
    QTextDocument html;
    html.setHtml(Cp1252::decode(document));
    QList<QStringList> rows;
    for (auto it = html.rootFrame()->begin(); !it.atEnd(); ++it) {
        auto* t = qobject_cast<QTextTable*>(it.currentFrame());
        if (!t)
            continue;
        for (int r = 0; r < t->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < t->columns(); ++c) {
                QTextCursor cursor = t->cellAt(r, c).firstCursorPosition();
                cursor.setPosition(t->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells.append(cursor.selectedText());
            }
            rows.append(cells);
        }
    }
    return rows;
}

} // namespace

class SpreadsheetTest : public QObject {
    Q_OBJECT
private slots:
    void documentStartsWithTheFixedPiecesByteForByte()
    {
        const QByteArray document =
            spreadsheetDocument(QStringLiteral("Parco Veicoli"), columns(), table({}));
        const QByteArray pieces =
            "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
            "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
            "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
            "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
            "<x:Name>Parco Veicoli</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
            "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
            "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
            "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
            "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str><tr>";
        QVERIFY2(document.startsWith(pieces), document.left(pieces.size() + 40).constData());
        QCOMPARE(document.mid(pieces.size()),
                 QByteArray("<td style=\"text-align: left; font-weight: bold;\" width=250>Nome e cognome</td>"
                            "<td style=\"text-align: left; font-weight: bold;\" width=120>Citt\xE0</td>"
                            "</tr></table></body></html>"));
    }

    void rowsReadBackAsWrittenInOneLineOfWindows1252()
    {
        const QByteArray document =
            spreadsheetDocument(QStringLiteral("Contratti Noleggio Bici"), columns(),
                                table({{QStringLiteral("  Nicolò Caffè "), QStringLiteral("Riva")},
                                       {QStringLiteral("Rossi & Figli <VIP>"), QString()},
                                       {QString(), QString()}}));
        QVERIFY(!document.contains('\n') && !document.contains('\r'));
        QVERIFY(document.contains("<td style=\"text-align: left;\">Nicol\xF2 Caff\xE8</td>"));
        QVERIFY(document.contains("Rossi &amp; Figli &lt;VIP&gt;"));
        const QList<QStringList> cells = cellsOf(document);
        QCOMPARE(cells.size(), 4);
        QCOMPARE(cells.at(0), (QStringList{QStringLiteral("Nome e cognome"), QStringLiteral("Città")}));
        QCOMPARE(cells.at(1), (QStringList{QStringLiteral("Nicolò Caffè"), QStringLiteral("Riva")}));
        QCOMPARE(cells.at(2), (QStringList{QStringLiteral("Rossi & Figli <VIP>"), QString()}));
        QCOMPARE(cells.at(3), (QStringList{QString(), QString()})); // an empty record is still a row
    }

    // A row is written in one piece sized for its longest form: cells made only of characters to
    // escape, blanks and control bytes at both ends, and full-length cells come out exact.
    void cellsAreTrimmedAndEscapedExactly_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("only escapes") << QString(250, QLatin1Char('&')) << QByteArray("&amp;").repeated(250);
        QTest::newRow("escapes at both ends") << "<a>" << QByteArray("&lt;a&gt;");
        QTest::newRow("blanks and controls around")
            << QStringLiteral("\t\x01 Sì \r\n") << QByteArray("S\xEC");
        QTest::newRow("only blanks") << "   " << QByteArray();
        QTest::newRow("full length") << QString(250, QLatin1Char('x')) << QByteArray(250, 'x');
    }
    void cellsAreTrimmedAndEscapedExactly()
    {
        QFETCH(QString, cell);
        QFETCH(QByteArray, written);
        const QByteArray document =
            spreadsheetDocument(QStringLiteral("Prova"), columns(), table({{cell, cell}, {QString(), cell}}));
        const QByteArray td = "<td style=\"text-align: left;\">";
        const QByteArray row = "<tr>" + td + written + "</td>" + td + written + "</td></tr>" + "<tr>" + td +
                               "</td>" + td + written + "</td></tr>";
        QVERIFY(document.endsWith(row + "</table></body></html>"));
    }

    void tableHoldsCellsCompactly()
    {
        ExportTable t =
            table({{QStringLiteral("a"), QStringLiteral("bb")}, {QString(), QStringLiteral("Sì")}});
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.cell(0, 1), QStringLiteral("bb"));
        QCOMPARE(t.cell(1, 0), QString());
        QCOMPARE(t.cell(1, 1), QStringLiteral("Sì"));
    }

    // One row, and a sheet of many chunks (made on a second core while the first ones are written,
    // and handed to the disk as it goes): the file is the document, byte for byte, and the progress
    // only grows up to the row count.
    void writingReplacesTheFileWhole_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("one row") << 1;
        QTest::newRow("12 MB") << 120000;
    }
    void writingReplacesTheFileWhole()
    {
        QFETCH(int, rows);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Parco_Veicoli.xls"));
        QVERIFY(writeFile(path, QByteArray(100000, 'x')));
        QList<QStringList> cells;
        for (int i = 0; i < rows; ++i)
            cells.append({QStringLiteral("Anna <%1> & Figli, Via dei Mille %1").arg(i),
                          QStringLiteral("  Riva del Garda è bella, tel. 0464 %1  ").arg(i)});
        const ExportTable t = table(cells);
        qint64 last = -1;
        bool grows = true;
        const auto progress = [&](qint64 done, qint64 total) {
            grows = grows && done > last && done <= total && total == rows;
            last = done;
            return true;
        };
        QCOMPARE(writeSpreadsheet(path, QStringLiteral("Parco Veicoli"), columns(), t, progress),
                 WriteResult::Written);
        QVERIFY(grows);
        QCOMPARE(readFile(path), spreadsheetDocument(QStringLiteral("Parco Veicoli"), columns(), t));
    }

    void failedOrCancelledWriteLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Parco_Veicoli.xls"));
        QVERIFY(writeFile(path, "old"));
        QList<QStringList> rows;
        for (int i = 0; i < 5000; ++i)
            rows.append({QStringLiteral("Cliente %1").arg(i), QStringLiteral("Riva")});
        const ExportTable t = table(rows);
        QCOMPARE(writeSpreadsheet(path, QStringLiteral("Parco Veicoli"), columns(), t,
                                  [](qint64 done, qint64) { return done == 0; }),
                 WriteResult::Cancelled);
        {
            FileWritesFail full;
            QCOMPARE(writeSpreadsheet(path, QStringLiteral("Parco Veicoli"), columns(), t),
                     WriteResult::Failed);
        }
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Parco_Veicoli.xls")});
    }

    void fillingReadsEveryRecordInFileOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Prova.pro"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(card().encode({QStringLiteral("Anna"), QStringLiteral("Riva")}));
        file.write(card().encode({QStringLiteral("Bruno"), QStringLiteral("Arco")}));
        file.close();
        ExportTable t(2);
        QCOMPARE(fillExportTable(path, card(), columns(), t), ScanResult::Done);
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.cell(1, 0), QStringLiteral("Bruno"));
        QCOMPARE(t.cell(1, 1), QStringLiteral("Arco"));
    }
};

RF_REGISTER_TEST(SpreadsheetTest)
#include "SpreadsheetTest.moc"
