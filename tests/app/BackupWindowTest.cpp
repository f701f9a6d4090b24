#include "app/Product.h"
#include "app/ui/TfrmCopia.h"
#include "storage/Backup.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Test;

namespace {

void put(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class BackupWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeContext> m_fake;
    std::unique_ptr<QTemporaryDir> m_destination;
    bool m_planningOpen = false;
    std::unique_ptr<TfrmCopia> m_window;

private slots:
    // The program's own files, as the application names them at start, are no data.
    void initTestCase() { Backup::setProgramFiles(Product::ownFiles()); }

    void init()
    {
        m_fake = std::make_unique<FakeContext>();
        m_destination = std::make_unique<QTemporaryDir>();
        m_planningOpen = false;
        put(m_fake->file("Parco_Veicoli.pro"), QByteArray(4253, 'v'));
        put(m_fake->file("Rotaflux.ini"), "[Opzioni]\r\n");
        put(m_fake->file("Autoparco/Scheda_Veicolo_1.jpg"), "photo");
        m_window = std::make_unique<TfrmCopia>(m_fake->context(), nullptr, [this] { return m_planningOpen; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_fake.reset();
    }

    void writesTheNamedZipInTheChosenFolder()
    {
        m_fake->dialogs().answerNext(m_destination->path());
        QVERIFY(click(m_window.get(), "btnSfoglia"));
        auto* txtCartella = required<QLineEdit>(m_window.get(), "txtCartella");
        QCOMPARE(txtCartella->text(), QDir::toNativeSeparators(m_destination->path()));

        QVERIFY(click(m_window.get(), "btnCopia"));
        const QString zipPath = QDir(m_destination->path()).filePath("Rotaflux_copia_2024-03-05_0941.zip");
        QVERIFY(QFile::exists(zipPath));
        QVERIFY(Backup::checkBackup(zipPath).ok());
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Information);
        QVERIFY(m_fake->messages().last().text.contains("\r\n\r\n"));

        // The folder is remembered, in the user's settings, for the next time the window opens.
        QCOMPARE(m_fake->settings().values.size(), 1);
        QVERIFY(m_fake->settings().values.constBegin().key().startsWith("Copia/CartellaPerDati/"));
        TfrmCopia again(m_fake->context(), m_window.get(), [] { return false; });
        QCOMPARE(required<QLineEdit>(&again, "txtCartella")->text(), txtCartella->text());
    }

    // Each shop's data folder has its own remembered folder: a new shop is offered none.
    void theFolderIsRememberedForEachDataFolder()
    {
        m_fake->dialogs().answerNext(m_destination->path());
        QVERIFY(click(m_window.get(), "btnSfoglia"));
        QVERIFY(click(m_window.get(), "btnCopia"));

        FakeContext otherShop;
        TfrmCopia other(otherShop.context(), m_window.get(), [] { return false; });
        QCOMPARE(required<QLineEdit>(&other, "txtCartella")->text(), QString());
        QTemporaryDir otherDestination;
        otherShop.dialogs().answerNext(otherDestination.path());
        QVERIFY(click(&other, "btnSfoglia"));

        TfrmCopia first(m_fake->context(), m_window.get(), [] { return false; });
        QCOMPARE(required<QLineEdit>(&first, "txtCartella")->text(),
                 QDir::toNativeSeparators(m_destination->path()));
        TfrmCopia second(otherShop.context(), m_window.get(), [] { return false; });
        QCOMPARE(required<QLineEdit>(&second, "txtCartella")->text(),
                 QDir::toNativeSeparators(otherDestination.path()));
    }

    // The restore question of the real message service: only Yes restores.
    void restoreQuestionAnswersNoToEnterAndEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("Yes clicked") << 0 << true;
    }

    void restoreQuestionAnswersNoToEnterAndEscape()
    {
        QFETCH(int, key);
        QFETCH(bool, yes);
        bool answer = !yes;
        QVERIFY(driveModal<QMessageBox>(
            [&] { answer = askDefaultNo(m_window.get(), QStringLiteral("Ripristinare?")); },
            [&](QMessageBox* box) {
                if (key == 0)
                    box->button(QMessageBox::Yes)->click();
                else
                    QTest::keyClick(box, Qt::Key(key));
            }));
        QCOMPARE(answer, yes);
    }

    void restoresAChosenZipAfterConfirming()
    {
        const QString zipPath = QDir(m_destination->path()).filePath("copia.zip");
        QVERIFY(Backup::writeBackup(m_fake->folder(), zipPath).ok());
        put(m_fake->file("Rotaflux.ini"), "changed");

        m_fake->dialogs().answerNext(zipPath);
        m_fake->messages().answerNext(true);
        QVERIFY(click(m_window.get(), "btnRipristina"));
        const QList<RecordedMessage> messages = m_fake->messages().all();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].kind, MessageKind::Confirmation);
        QVERIFY(messages[0].text.contains("Sostituiti_2024-03-05_0941"));
        QCOMPARE(m_fake->messages().defaultNoQuestions, 1); // Enter and Escape would not restore
        QCOMPARE(messages[1].kind, MessageKind::Information);
        QCOMPARE(read(m_fake->file("Rotaflux.ini")), QByteArray("[Opzioni]\r\n"));
        QCOMPARE(read(m_fake->file("Sostituiti_2024-03-05_0941/Rotaflux.ini")), QByteArray("changed"));
    }

    void refusedWhileAPlanningGridIsOpen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("backup") << "btnCopia";
        QTest::newRow("restore") << "btnRipristina";
    }
    void refusedWhileAPlanningGridIsOpen()
    {
        QFETCH(QString, button);
        const QString zipPath = QDir(m_destination->path()).filePath("copia.zip");
        QVERIFY(Backup::writeBackup(m_fake->folder(), zipPath).ok());
        put(m_fake->file("Rotaflux.ini"), "changed");
        m_fake->dialogs().answerNext(m_destination->path());
        QVERIFY(click(m_window.get(), "btnSfoglia"));
        m_fake->dialogs().answerNext(zipPath);

        m_planningOpen = true;
        QVERIFY(click(m_window.get(), button));
        QCOMPARE(m_fake->messages().count(), 1);
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Warning);
        QVERIFY(m_fake->messages().last().text.contains("griglia delle prenotazioni"));
        QVERIFY(m_fake->messages().last().text.contains("\r\n\r\n"));
        QCOMPARE(QDir(m_destination->path()).entryList(QDir::Files), QStringList{"copia.zip"});
        QCOMPARE(read(m_fake->file("Rotaflux.ini")), QByteArray("changed"));
    }

    void backupNamesTheLinkedPhotoFolderItLeftOut()
    {
        QTemporaryDir elsewhere;
        QVERIFY(QDir(m_fake->file("Autoparco")).removeRecursively());
        put(QDir(elsewhere.path()).filePath("Scheda_Veicolo_1.jpg"), "photo");
        QVERIFY(QFile::link(elsewhere.path(), m_fake->file("Autoparco")));
        m_fake->dialogs().answerNext(m_destination->path());
        QVERIFY(click(m_window.get(), "btnSfoglia"));

        QVERIFY(click(m_window.get(), "btnCopia"));
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Information);
        const QString text = m_fake->messages().last().text;
        QVERIFY2(text.startsWith("Copia di sicurezza completata (2 file)."), qPrintable(text));
        QVERIFY2(text.contains("Non sono stati copiati questi collegamenti") &&
                     text.endsWith("\r\nAutoparco"),
                 qPrintable(text));
    }

    void refusedRestoreSaysWhy_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("words");
        QTest::newRow("linked photo folder") << "link"
                                             << "collegamento a un'altra posizione:\r\n\r\nAutoparco";
        QTest::newRow("a folder as a file") << "kind"
                                            << "come file ciò che nella cartella dei dati è una cartella";
    }
    void refusedRestoreSaysWhy()
    {
        QFETCH(QString, fault);
        QFETCH(QString, words);
        const QString zipPath = QDir(m_destination->path()).filePath("copia.zip");
        QVERIFY(Backup::writeBackup(m_fake->folder(), zipPath).ok());
        QTemporaryDir elsewhere;
        if (fault == "link") {
            QVERIFY(QDir(m_fake->file("Autoparco")).removeRecursively());
            QVERIFY(QFile::link(elsewhere.path(), m_fake->file("Autoparco")));
        } else {
            QVERIFY(QFile::remove(m_fake->file("Rotaflux.ini")));
            QVERIFY(QDir().mkpath(m_fake->file("Rotaflux.ini")));
        }
        m_fake->dialogs().answerNext(zipPath);
        m_fake->messages().answerNext(true);
        QVERIFY(click(m_window.get(), "btnRipristina"));
        QCOMPARE(m_fake->messages().last().kind, MessageKind::Error);
        const QString text = m_fake->messages().last().text;
        QVERIFY2(text.startsWith("Il ripristino non è riuscito.") && text.contains(words), qPrintable(text));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }

    void escapeCloses()
    {
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->isVisible());
    }
};

RF_REGISTER_TEST(BackupWindowTest)
#include "BackupWindowTest.moc"
