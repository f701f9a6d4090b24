#include "fleet/VehiclePhoto.h"
#include "storage/DisplayCopy.h"
#include "storage/StaleFiles.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;

namespace {

// A camera-sized photo of one colour, written as JPEG.
bool writePhoto(const QString& path, const QSize& size, QColor colour)
{
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(colour);
    return photo.save(path, "JPG");
}

QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.vista.jpg")}, QDir::Files);
}

// Sets a file's time secs from now.
bool retime(const QString& path, int secs)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QDateTime::currentDateTime().addSecs(secs), QFileDevice::FileModificationTime);
}

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 && qAbs(qBlue(a) - b.blue()) < 24;
}

} // namespace

// Browsing onto a card with a camera photo reads a small copy kept beside it, made the first time;
// the photo itself is never touched, and a changed photo is never shown through the old copy.
class VehiclePhotoTest : public QObject {
    Q_OBJECT
private slots:
    void largePhotoIsShownThroughItsDisplayCopy()
    {
        QTemporaryDir dir;
        QVERIFY(VehiclePhoto::ensureFolder(dir.path()));
        const QString folder = dir.filePath(QStringLiteral("Autoparco"));
        const QString photo = VehiclePhoto::filePath(dir.path(), QStringLiteral("2"));
        QVERIFY(writePhoto(photo, QSize(4000, 3000), Qt::red));
        const QByteArray stored = Test::readFile(photo);
        const QSize card(300, 200);

        QImage shown = VehiclePhoto::loadFitted(photo, card, dir.path());
        QCOMPARE(shown.size(), QSize(266, 200));
        QVERIFY(near(shown.pixel(10, 10), Qt::red));
        const QString copy = displayCopyPath(QFileInfo(photo));
        QCOMPARE(copiesIn(folder), QStringList{QFileInfo(copy).fileName()});
        QCOMPARE(QImage(copy).size(), QSize(DisplayCopySide, DisplayCopySide * 3 / 4));
        QCOMPARE(Test::readFile(photo), stored);

        // The next browse reads the copy, not the photo.
        QVERIFY(writePhoto(copy, QSize(DisplayCopySide, DisplayCopySide * 3 / 4), Qt::blue));
        QVERIFY(near(VehiclePhoto::loadFitted(photo, card, dir.path()).pixel(10, 10), Qt::blue));

        // A printed sheet reads the photo itself.
        QVERIFY(near(VehiclePhoto::loadFitted(photo, QSize(1100, 740), dir.path()).pixel(10, 10), Qt::red));

        // The photo replaced: a new copy of the new photo, the old copy gone.
        QVERIFY(writePhoto(photo, QSize(3000, 4000), Qt::green));
        QVERIFY(retime(photo, 5)); // a later time even on coarse clocks
        shown = VehiclePhoto::loadFitted(photo, card, dir.path());
        QVERIFY(near(shown.pixel(10, 10), Qt::green));
        QCOMPARE(copiesIn(folder), QStringList{QFileInfo(displayCopyPath(QFileInfo(photo))).fileName()});
    }

    void smallPhotoHasNoCopy()
    {
        QTemporaryDir dir;
        QVERIFY(VehiclePhoto::ensureFolder(dir.path()));
        const QString photo = VehiclePhoto::filePath(dir.path(), QStringLiteral("1"));
        QVERIFY(writePhoto(photo, QSize(800, 600), Qt::red));
        QCOMPARE(VehiclePhoto::loadFitted(photo, QSize(300, 200), dir.path()).size(), QSize(266, 200));
        QCOMPARE(copiesIn(dir.filePath(QStringLiteral("Autoparco"))), QStringList());
    }

    // Display copies are kept only beside the cards' photos in the data folder's Autoparco: a large
    // photo anywhere else is shown scaled in memory, and its folder is left exactly as it was.
    void photoOutsideThePhotoFolderGetsNoCopy_data()
    {
        QTest::addColumn<QString>("photoFolder"); // relative to a scratch folder
        QTest::addColumn<QString>("dataFolder");  // likewise; empty: no data folder given
        QTest::newRow("the user's pictures") << QStringLiteral("Immagini") << QStringLiteral("dati");
        QTest::newRow("the data folder itself") << QStringLiteral("dati") << QStringLiteral("dati");
        QTest::newRow("a folder within Autoparco")
            << QStringLiteral("dati/Autoparco/vecchie") << QStringLiteral("dati");
        QTest::newRow("another folder's Autoparco")
            << QStringLiteral("altro/Autoparco") << QStringLiteral("dati");
        QTest::newRow("no data folder") << QStringLiteral("dati/Autoparco") << QString();
    }
    void photoOutsideThePhotoFolderGetsNoCopy()
    {
        QFETCH(QString, photoFolder);
        QFETCH(QString, dataFolder);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("dati/Autoparco")));
        QVERIFY(QDir(dir.path()).mkpath(photoFolder));
        const QString folder = dir.filePath(photoFolder);
        const QString photo = QDir(folder).filePath(QStringLiteral("IMG_0001.jpg"));
        QVERIFY(writePhoto(photo, QSize(4000, 3000), Qt::red));
        const QStringList before = QDir(folder).entryList(QDir::Files);

        const QImage shown = VehiclePhoto::loadFitted(
            photo, QSize(300, 200), dataFolder.isEmpty() ? QString() : dir.filePath(dataFolder));
        QCOMPARE(shown.size(), QSize(266, 200));
        QVERIFY(near(shown.pixel(10, 10), Qt::red));
        QCOMPARE(QDir(folder).entryList(QDir::Files), before);
        QCOMPARE(copiesIn(dir.filePath(QStringLiteral("dati/Autoparco"))), QStringList());
    }

    void startUpCleanupKeepsOnlyCurrentCopies()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Autoparco")));
        const QString folder = dir.filePath(QStringLiteral("Autoparco"));
        const QString photo = QDir(folder).filePath(QStringLiteral("Scheda_Veicolo_2.jpg"));
        QVERIFY(writePhoto(photo, QSize(4000, 3000), Qt::red));
        VehiclePhoto::loadFitted(photo, QSize(300, 200), dir.path());
        const QString current = QFileInfo(displayCopyPath(QFileInfo(photo))).fileName();
        const QString old = QStringLiteral("Scheda_Veicolo_2.jpg.1-1.vista.jpg");
        const QString orphan = QStringLiteral("Scheda_Veicolo_9.jpg.1-1.vista.jpg");
        QVERIFY(Test::writeFile(QDir(folder).filePath(old), "x") &&
                Test::writeFile(QDir(folder).filePath(orphan), "x"));
        for (const QString& name : {current, old, orphan})
            QVERIFY(retime(QDir(folder).filePath(name), -120));
        QCOMPARE(removeStaleTemporaryFiles(dir.path()), 2);
        QCOMPARE(copiesIn(folder), QStringList{current});
    }
};

RF_REGISTER_TEST(VehiclePhotoTest)
#include "VehiclePhotoTest.moc"
