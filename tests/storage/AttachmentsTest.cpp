#include "storage/Attachments.h"
#include "common/ui/TfrmAllegaCartella.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace rf;
using namespace rf::Test;

namespace {

const QString OverwriteQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
                   "\r\n\r\nSi vuole sovrascrivere il file esistente?");

// The dialog over a fake program folder, with a second folder the user picks files from.
struct Fixture {
    FakeContext fake;
    QTemporaryDir elsewhere;
    TfrmAllegaCartella dialog{fake.context(), nullptr};

    QString folder() const { return fake.file(QStringLiteral("Documenti_Allegati")); }
    QString stored(const QString& name) const { return QDir(folder()).filePath(name); }
    QStringList folderEntries() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QString source(const QString& name, const QByteArray& bytes)
    {
        const QString path = elsewhere.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    void store(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(folder());
        writeFile(stored(name), bytes);
    }

    QLineEdit* edit(const char* prefix, int slot) const
    {
        return dialog.findChild<QLineEdit*>(QLatin1String(prefix) +
                                            QString::number(slot).rightJustified(2, '0'));
    }
    template <typename T = QPushButton> T* button(const QString& name) const
    {
        return dialog.findChild<T*>(name);
    }
    QPushButton* button(const char* prefix, int slot) const
    {
        return button(QLatin1String(prefix) + QString::number(slot).rightJustified(2, '0'));
    }

    void browse(int slot, const QString& answer)
    {
        fake.dialogs().answerNext(answer);
        QTest::mouseClick(button("btnSfoglia", slot), Qt::LeftButton);
    }

    // Runs the dialog modally, clicks "Applica e chiudi", notes whether the dialog stayed open and
    // then leaves with "Annulla" if it did. Returns exec()'s result.
    int execApplying(bool* stayedOpen)
    {
        *stayedOpen = false;
        QTimer::singleShot(0, &dialog, [this, stayedOpen] {
            QTRY_VERIFY(dialog.isVisible());
            QTest::mouseClick(button(QStringLiteral("btnApplica")), Qt::LeftButton);
            QCoreApplication::processEvents();
            *stayedOpen = dialog.isVisible();
            if (*stayedOpen)
                QTest::mouseClick(button(QStringLiteral("btnAnnulla")), Qt::LeftButton);
            if (dialog.isVisible())
                dialog.done(-1); // never hang the test run
        });
        return dialog.exec();
    }
};

} // namespace

class AttachmentsTest : public QObject {
    Q_OBJECT
private slots:
    void browseCopiesIntoNewFolderAndApplyReturnsName()
    {
        Fixture f;
        f.dialog.lblMemory = AttachmentOwner::Fleet;
        const QByteArray bytes("%PDF-1.4\r\n\0\xff binary", 20);
        f.browse(1, f.source(QStringLiteral("patente.pdf"), bytes));

        QCOMPARE(f.fake.dialogs().asked().size(), 1);
        QCOMPARE(f.fake.dialogs().asked().first().title, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(f.fake.dialogs().asked().first().filter, QStringLiteral("Tutti i file (*.*)"));
        QCOMPARE(f.edit("txtFile", 1)->text(), QStringLiteral("patente.pdf"));
        QCOMPARE(f.folderEntries(), QStringList{QStringLiteral("patente.pdf")});
        QCOMPARE(readFile(f.stored(QStringLiteral("patente.pdf"))), bytes);
        QCOMPARE(f.fake.messages().count(), 0);
        QVERIFY(f.button("btnApri", 1)->isEnabled());

        bool stayedOpen = true;
        QCOMPARE(f.execApplying(&stayedOpen), int(QDialog::Accepted));
        QCOMPARE(f.dialog.values().file[0], QStringLiteral("patente.pdf"));
        QVERIFY(f.dialog.values().file[1].isEmpty());
    }

    void sameNameAsksBeforeReplacing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QByteArray>("storedAfter");
        QTest::newRow("No keeps the stored file") << false << QByteArray("old copy");
        QTest::newRow("Yes replaces it") << true << QByteArray("new");
    }
    void sameNameAsksBeforeReplacing()
    {
        QFETCH(bool, answer);
        QFETCH(QByteArray, storedAfter);
        Fixture f;
        f.store(QStringLiteral("patente.pdf"), "old copy");
        f.dialog.setValues({{QString(), QString(), QStringLiteral("vecchio.pdf")}, {}});
        f.fake.messages().answerNext(answer);
        f.browse(3, f.source(QStringLiteral("patente.pdf"), "new"));

        QCOMPARE(f.fake.messages().count(), 1);
        QCOMPARE(f.fake.messages().last().kind, MessageKind::Confirmation);
        QCOMPARE(f.fake.messages().last().text, OverwriteQuestion);
        QCOMPARE(f.edit("txtFile", 3)->text(), QStringLiteral("patente.pdf"));
        QCOMPARE(readFile(f.stored(QStringLiteral("patente.pdf"))), storedAfter);
        QCOMPARE(f.folderEntries(), QStringList{QStringLiteral("patente.pdf")});
    }

    void cancelledFileDialogChangesNothing()
    {
        Fixture f;
        f.dialog.setValues({{QStringLiteral("polizza.pdf")}, {}});
        f.browse(1, QString());
        QCOMPARE(f.edit("txtFile", 1)->text(), QStringLiteral("polizza.pdf"));
        QCOMPARE(f.fake.messages().count(), 0);
        QVERIFY(!QFileInfo::exists(f.folder()));
    }

    void choosingTheStoredFileItselfKeepsIt()
    {
        Fixture f;
        f.store(QStringLiteral("fattura.pdf"), "stored bytes");
        // The same file reached through a roundabout path.
        const QString roundabout = f.folder() + QStringLiteral("/../Documenti_Allegati/./fattura.pdf");
        f.browse(2, QDir::toNativeSeparators(roundabout));

        QCOMPARE(f.edit("txtFile", 2)->text(), QStringLiteral("fattura.pdf"));
        QCOMPARE(readFile(f.stored(QStringLiteral("fattura.pdf"))), QByteArray("stored bytes"));
        QCOMPARE(f.folderEntries(), QStringList{QStringLiteral("fattura.pdf")});
        QCOMPARE(f.fake.messages().count(), 0);
    }

    void failedCopyIsSilentAndKeepsName_data()
    {
        QTest::addColumn<QString>("setup"); // "", "stored" or "folder is a file"
        QTest::addColumn<int>("messages");
        QTest::newRow("unreadable source, fresh folder") << QString() << 0;
        QTest::newRow("unreadable source over a stored file") << QStringLiteral("stored") << 1;
        QTest::newRow("folder cannot be created") << QStringLiteral("folder is a file") << 0;
    }
    void failedCopyIsSilentAndKeepsName()
    {
        QFETCH(QString, setup);
        QFETCH(int, messages);
        Fixture f;
        if (setup == QLatin1String("stored"))
            f.store(QStringLiteral("scansione.jpg"), "kept");
        if (setup == QLatin1String("folder is a file"))
            writeFile(f.folder(), "not a folder");
        f.fake.messages().answerNext(true);
        f.browse(1, f.elsewhere.filePath(QStringLiteral("scansione.jpg"))); // never created

        QCOMPARE(f.edit("txtFile", 1)->text(), QStringLiteral("scansione.jpg"));
        QCOMPARE(f.fake.messages().count(), messages);
        if (setup == QLatin1String("stored")) {
            QCOMPARE(readFile(f.stored(QStringLiteral("scansione.jpg"))), QByteArray("kept"));
            QCOMPARE(f.folderEntries(), QStringList{QStringLiteral("scansione.jpg")});
        } else if (setup.isEmpty()) {
            QVERIFY(f.folderEntries().isEmpty());
        } else {
            QCOMPARE(readFile(f.folder()), QByteArray("not a folder"));
        }
    }

    void apriFollowsFileNameAndOpensStoredCopy_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("slot 1") << 1;
        QTest::newRow("slot 2") << 2;
        QTest::newRow("slot 3") << 3;
    }
    void apriFollowsFileNameAndOpensStoredCopy()
    {
        QFETCH(int, slot);
        Fixture f;
        QPushButton* apri = f.button("btnApri", slot);
        QVERIFY(!apri->isEnabled());

        rf::AttachmentValues values;
        values.file[slot - 1] = QStringLiteral(" \t ");
        f.dialog.setValues(values);
        QVERIFY(!apri->isEnabled());

        values.file[slot - 1] = QStringLiteral("  carta identità.pdf ");
        f.dialog.setValues(values);
        QVERIFY(apri->isEnabled());
        for (int other = 1; other <= 3; ++other)
            QCOMPARE(f.button("btnApri", other)->isEnabled(), other == slot);

        QTest::mouseClick(apri, Qt::LeftButton);
        const QString expected = QLatin1Char('"') + f.fake.context().dataFolder() +
                                 QStringLiteral("Documenti_Allegati") + QDir::separator() +
                                 QStringLiteral("carta identità.pdf\"");
        QCOMPARE(f.fake.shell().opened, QStringList{expected});

        QTest::mouseClick(f.dialog.findChild<QToolButton*>(QStringLiteral("imgCancella0%1").arg(slot)),
                          Qt::LeftButton);
        QVERIFY(f.edit("txtFile", slot)->text().isEmpty());
        QVERIFY(!apri->isEnabled());
    }

    void apriRefusesNamesThatLeaveTheFolder()
    {
        Fixture f;
        rf::AttachmentValues values;
        values.file[0] = QStringLiteral("../../x.exe");
        f.dialog.setValues(values);
        QTest::mouseClick(f.button("btnApri", 1), Qt::LeftButton);
        QVERIFY(f.fake.shell().opened.isEmpty());
        QCOMPARE(f.fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(
            f.fake.messages().last().text,
            QStringLiteral("Attenzione: il file allegato \"../../x.exe\" non si trova nella cartella dei "
                           "documenti allegati.\n\r\n\rIl file non verrà aperto."));
    }

    void clearEmptiesOnlyTheFileName()
    {
        Fixture f;
        f.store(QStringLiteral("b.pdf"), "b");
        f.dialog.setValues({{QStringLiteral(" a.pdf"), QStringLiteral("b.pdf "), QStringLiteral("c.pdf")},
                            {QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}});
        QCOMPARE(f.edit("txtFile", 1)->text(), QStringLiteral("a.pdf"));
        f.edit("txtDesc", 2)->setText(QStringLiteral("  due, modificata  "));
        QTest::mouseClick(f.dialog.findChild<QToolButton*>(QStringLiteral("imgCancella02")), Qt::LeftButton);

        const rf::AttachmentValues v = f.dialog.values();
        QCOMPARE(QStringList({v.file[0], v.file[1], v.file[2]}),
                 QStringList({QStringLiteral("a.pdf"), QString(), QStringLiteral("c.pdf")}));
        QCOMPARE(
            QStringList({v.desc[0], v.desc[1], v.desc[2]}),
            QStringList({QStringLiteral("uno"), QStringLiteral("due, modificata"), QStringLiteral("tre")}));
        QVERIFY(QFileInfo::exists(f.stored(QStringLiteral("b.pdf"))));
    }

    void applyClosesOnlyForAKnownOwner_data()
    {
        QTest::addColumn<int>("owner");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("fleet") << int(AttachmentOwner::Fleet) << true;
        QTest::newRow("contracts") << int(AttachmentOwner::Contract) << true;
        QTest::newRow("not set") << int(AttachmentOwner::None) << false;
    }
    void applyClosesOnlyForAKnownOwner()
    {
        QFETCH(int, owner);
        QFETCH(bool, accepted);
        Fixture f;
        f.dialog.lblMemory = AttachmentOwner(owner);
        bool stayedOpen = false;
        const int result = f.execApplying(&stayedOpen);
        QCOMPARE(stayedOpen, !accepted);
        QCOMPARE(result, int(accepted ? QDialog::Accepted : QDialog::Rejected));
    }
};

RF_REGISTER_TEST(AttachmentsTest)
#include "AttachmentsTest.moc"
