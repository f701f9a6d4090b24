#include "FuzzTargets.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>

// Every input of the fuzz targets' seed corpora, run through its target as an ordinary test.
class FuzzCorpusTest : public QObject {
    Q_OBJECT
    static void runCorpus(const QString& name, const std::function<void(const QByteArray&)>& target)
    {
        const QDir corpus(QStringLiteral(FUZZ_CORPUS_DIR "/") + name);
        const QStringList inputs = corpus.entryList(QDir::Files);
        QVERIFY2(!inputs.isEmpty(), qPrintable(name));
        for (const QString& input : inputs) {
            QFile file(corpus.filePath(input));
            QVERIFY(file.open(QIODevice::ReadOnly));
            target(file.readAll());
        }
    }

private slots:
    void records() { runCorpus(QStringLiteral("records"), rf::fuzz::Records); }
    void ini() { runCorpus(QStringLiteral("ini"), rf::fuzz::Ini); }
    void password() { runCorpus(QStringLiteral("password"), rf::fuzz::Password); }
    void backup() { runCorpus(QStringLiteral("backup"), rf::fuzz::Backup); }
    void customers() { runCorpus(QStringLiteral("customers"), rf::fuzz::Customers); }
    void season() { runCorpus(QStringLiteral("season"), rf::fuzz::Season); }
    void today() { runCorpus(QStringLiteral("today"), rf::fuzz::Today); }
    void board() { runCorpus(QStringLiteral("board"), rf::fuzz::Board); }
};

RF_REGISTER_TEST(FuzzCorpusTest)
#include "FuzzCorpusTest.moc"
