#include "common/ui/PictureButton.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmLogo.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace rf;
using namespace rf::Test;
namespace Logo = rf::CompanyLogo;

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The bitmap's width and height as its header states them.
QSize bitmapSize(const QByteArray& bytes)
{
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return {};
    return QSize(qFromLittleEndian<qint32>(bytes.constData() + 18),
                 qAbs(qFromLittleEndian<qint32>(bytes.constData() + 22)));
}

// The logo window over a fake program folder, shown, with a folder the user picks pictures from.
struct Fixture {
    FakeContext fake;
    QTemporaryDir elsewhere;
    TfrmLogo dialog{fake.context(), nullptr};

    QString logoFile() const { return fake.file(QStringLiteral("Logo.bmp")); }
    void show() { dialog.show(); }
    QString picture(const QString& name, const QByteArray& bytes)
    {
        const QString path = elsewhere.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    [[nodiscard]] bool click(const char* name) { return rf::Test::click(&dialog, QLatin1String(name)); }
    void choose(const QString& path)
    {
        fake.dialogs().answerNext(path);
        QVERIFY(click("btnSfoglia"));
    }
};

} // namespace

class LogoTest : public QObject {
    Q_OBJECT

private slots:
    void builtInLogoIsBlueEuroOnWhite()
    {
        const QImage logo = Logo::builtInLogo();
        QCOMPARE(logo.size(), QSize(297, 184));
        for (const QPoint corner : {QPoint(0, 0), QPoint(296, 0), QPoint(0, 183), QPoint(296, 183)})
            QCOMPARE(logo.pixel(corner), qRgb(255, 255, 255));
        int blue = 0;
        for (int y = 0; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x)
                blue += logo.pixel(x, y) == Logo::EuroBlue;
        QVERIFY2(blue > logo.width() * logo.height() / 10, qPrintable(QString::number(blue)));
        QCOMPARE(Logo::blankLogo(), filled(2, 2, Qt::white));
    }

    void showsLogoFileOrBuiltIn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("builtIn");
        QTest::newRow("missing") << QByteArray() << true;
        QTest::newRow("broken") << QByteArray("BM this is no picture") << true;
        QTest::newRow("bitmap") << encoded(filled(5, 3, Qt::red), "BMP") << false;
    }
    void showsLogoFileOrBuiltIn()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, builtIn);
        Fixture f;
        if (!content.isEmpty())
            QVERIFY(writeFile(f.logoFile(), content));
        f.show();
        if (builtIn)
            QCOMPARE(f.dialog.logo(), Logo::builtInLogo());
        else
            QCOMPARE(f.dialog.logo().convertToFormat(QImage::Format_RGB32), filled(5, 3, Qt::red));
        QCOMPARE(f.fake.messages().count(), 0);
    }

    void eraserThenApplyWritesBlankBitmap()
    {
        Fixture f;
        f.show();
        QVERIFY(f.click("btnCancLogo"));
        QVERIFY(f.click("btnApplica"));
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));

        const QByteArray bytes = readFile(f.logoFile());
        QCOMPARE(bitmapSize(bytes), QSize(2, 2));
        QCOMPARE(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32), filled(2, 2, Qt::white));
    }

    void euroIconPutsBuiltInBack()
    {
        Fixture f;
        QVERIFY(writeFile(f.logoFile(), encoded(filled(5, 3, Qt::red), "BMP")));
        f.show();
        QVERIFY(f.click("imgEuro"));
        QCOMPARE(f.dialog.logo(), Logo::builtInLogo());
    }

    void chosenJpegIsStoredAsBitmap()
    {
        Fixture f;
        f.show();
        const QString jpeg = f.picture(QStringLiteral("ditta.jpg"), encoded(filled(40, 20, Qt::blue), "JPG"));
        f.choose(jpeg);
        QCOMPARE(f.fake.dialogs().asked().size(), 1);
        QCOMPARE(f.fake.dialogs().asked().first().title,
                 QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."));
        QCOMPARE(
            f.fake.dialogs().asked().first().filter,
            QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)"));
        QCOMPARE(f.dialog.logo().size(), QSize(40, 20));

        QVERIFY(f.click("btnApplica"));
        const QByteArray bytes = readFile(f.logoFile());
        QCOMPARE(bitmapSize(bytes), QSize(40, 20));
        const QColor centre = QImage::fromData(bytes, "BMP").pixelColor(20, 10);
        QVERIFY2(centre.blue() > 200 && centre.red() < 60 && centre.green() < 60, qPrintable(centre.name()));
    }

    void cancelledOrBrokenChoice()
    {
        Fixture f;
        QVERIFY(writeFile(f.logoFile(), encoded(filled(5, 3, Qt::red), "BMP")));
        f.show();
        f.choose(QString()); // dialog cancelled: nothing changes
        QCOMPARE(f.dialog.logo().size(), QSize(5, 3));
        f.choose(f.picture(QStringLiteral("rotto.jpg"), "not a picture"));
        QCOMPARE(f.dialog.logo(), Logo::builtInLogo());
    }

    void annullaWritesNothing()
    {
        Fixture f;
        const QByteArray before = encoded(filled(5, 3, Qt::red), "BMP");
        QVERIFY(writeFile(f.logoFile(), before));
        f.show();
        f.choose(f.picture(QStringLiteral("nuovo.bmp"), encoded(filled(8, 8, Qt::green), "BMP")));
        QCOMPARE(f.dialog.logo().size(), QSize(8, 8));
        QVERIFY(f.click("btnAnnulla"));
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(readFile(f.logoFile()), before);
    }

    void failedSaveShowsBuiltInAndClosesSilently()
    {
        Fixture f;
        QVERIFY(QDir(f.fake.folder()).mkdir(QStringLiteral("Logo.bmp")));
        f.show();
        QVERIFY(f.click("btnCancLogo"));
        QVERIFY(f.click("btnApplica"));
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.dialog.logo(), Logo::builtInLogo());
        QVERIFY(QFileInfo(f.logoFile()).isDir());
        QCOMPARE(f.fake.messages().count(), 0);
    }
};

RF_REGISTER_TEST(LogoTest)
#include "LogoTest.moc"
