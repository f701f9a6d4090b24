#include "common/ui/PhotoView.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmAllegaCartella.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmZoom.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"
#include "support/Typing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

namespace {

QString archivePath(FakeContext& fake)
{
    return fake.file(QStringLiteral("Parco_Veicoli.pro"));
}

qint64 archiveSize(FakeContext& fake)
{
    return QFileInfo(archivePath(fake)).size();
}

void fillMandatory(TfrmAutoparco& w, const QString& number)
{
    w.edit("BiciNum")->setText(number);
    w.edit("Marca")->setText(QStringLiteral("Bianchi Spillo"));
    w.edit("Taglia")->setText(QStringLiteral("M"));
    w.edit("Colore")->setText(QStringLiteral("Celeste"));
}

QByteArray fileStart(const QString& path, int n)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

} // namespace

class FleetWindowTest : public QObject {
    Q_OBJECT
private slots:
    void saveAppendsThenUpdatesSamePosition()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        fillMandatory(w, QStringLiteral("B-01"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(archiveSize(fake), 4253);
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));

        w.edit("Note")->setText(QStringLiteral("Revisionata"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("1"));
        QCOMPARE(archiveSize(fake), 4253);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));

        QVERIFY(click(&w, "cmdNuovo"));
        QCOMPARE(w.position(), QString());
        QCOMPARE(w.edit("Note")->text(), QString());
        QCOMPARE(w.edit("Importo")->text(), QStringLiteral("0,00"));
        fillMandatory(w, QStringLiteral("B-02"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("2"));
        QCOMPARE(archiveSize(fake), 2 * 4253);

        QVERIFY(click(&w, "cmdPrimo"));
        QCOMPARE(w.edit("BiciNum")->text(), QStringLiteral("B-01"));
        QCOMPARE(w.edit("Note")->text(), QStringLiteral("Revisionata"));
        QCOMPARE(w.edit("Importo")->text(), QStringLiteral("0,00"));
    }

    void mandatoryFieldsAreCheckedInOrder_data()
    {
        QTest::addColumn<QStringList>("filled");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing")
            << QStringList{} << "txtBiciNum"
            << "Attenzione: per salvare la scheda è necessario indicare il numero del veicolo.";
        QTest::newRow("number only blanks")
            << QStringList{"Marca", "Taglia", "Colore"} << "txtBiciNum"
            << "Attenzione: per salvare la scheda è necessario indicare il numero del veicolo.";
        QTest::newRow("make missing")
            << QStringList{"BiciNum", "Taglia", "Colore"} << "txtMarca"
            << "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo.";
        QTest::newRow("size missing")
            << QStringList{"BiciNum", "Marca"} << "txtTaglia"
            << "Attenzione: per salvare la scheda è necessario indicare la taglia del veicolo.";
        QTest::newRow("colour missing")
            << QStringList{"BiciNum", "Marca", "Taglia"} << "txtColore"
            << "Attenzione: per salvare la scheda è necessario indicare il colore del veicolo.";
    }
    void mandatoryFieldsAreCheckedInOrder()
    {
        QFETCH(QStringList, filled);
        QFETCH(QString, focused);
        QFETCH(QString, message);
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.edit("BiciNum")->setText(QStringLiteral("   "));
        for (const QString& field : filled)
            w.edit(field)->setText(QStringLiteral("x"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, message);
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                     focused);
        QVERIFY(!QFile::exists(archivePath(fake)));
    }

    void duplicateKeepsTextsAndDropsAttachmentsAndPhoto()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());

        QVERIFY(click(&w, "cmdDuplica"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral(
                     "Attenzione: per duplicare i dati bisogna prima visualizzare una scheda già inserita "
                     "in archivio."));

        // A saved card with a photo and an attachment.
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(fake.file("rossa.bmp")));
        fake.dialogs().answerNext(fake.file("rossa.bmp"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QVERIFY(!w.showsPlaceholder());
        fillMandatory(w, QStringLiteral("MTB-7"));
        w.edit("Accessori")->setText(QStringLiteral("Casco, lucchetto"));
        AttachmentValues values;
        values.file[0] = QStringLiteral("fattura.pdf");
        values.desc[0] = QStringLiteral("Fattura d'acquisto");
        QVERIFY(driveModal([&] { QVERIFY(click(&w, "cmdFile")); },
                           [&](QWidget* modal) {
                               auto* dialog = qobject_cast<TfrmAllegaCartella*>(modal);
                               QVERIFY(dialog);
                               dialog->setValues(values);
                               QVERIFY(click(dialog, QStringLiteral("btnApplica")));
                           }));
        QCOMPARE(w.attachments().file[0], QStringLiteral("fattura.pdf"));
        QVERIFY(click(&w, "cmdSalva"));
        const QStringList before = w.cardTexts();

        QVERIFY(click(&w, "cmdDuplica"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                           "Al termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(w.position(), QString());
        QCOMPARE(w.cardTexts().mid(0, 27), before.mid(0, 27));
        QCOMPARE(w.cardTexts().mid(27), QStringList(6, QString()));
        QVERIFY(w.showsPlaceholder());

        w.edit("BiciNum")->setText(QStringLiteral("MTB-8")); // a copy needs a number of its own
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("2"));
        QVERIFY(click(&w, "cmdPrimo"));
        QCOMPARE(w.attachments().file[0], QStringLiteral("fattura.pdf"));
        QCOMPARE(w.attachments().desc[0], QStringLiteral("Fattura d'acquisto"));
        QVERIFY(!w.showsPlaceholder());
        const QColor middle = w.photo().pixelColor(w.photo().width() / 2, w.photo().height() / 2);
        QVERIFY(middle.red() > 200 && middle.green() < 60);
    }

    void browsingShowsCardsAndLoadsTheirPhotos()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        QVERIFY(click(&w, "cmdAvanti"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(fake.messages().last().text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QVERIFY(!QFile::exists(archivePath(fake))); // a read makes no file
        QCOMPARE(w.position(), QString());

        for (const char* number : {"E-1", "E-2", "E-3"}) {
            QVERIFY(click(&w, "cmdNuovo"));
            fillMandatory(w, QLatin1String(number));
            QVERIFY(click(&w, "cmdSalva"));
        }
        // The photo file of card 2 is deleted by hand, so is the whole folder later.
        QVERIFY(QFile::exists(fake.file("Autoparco/Scheda_Veicolo_2.jpg")));
        QVERIFY(QFile::remove(fake.file("Autoparco/Scheda_Veicolo_2.jpg")));

        QVERIFY(click(&w, "cmdNuovo"));
        QVERIFY(click(&w, "cmdIndietro"));
        QCOMPARE(w.position(), QStringLiteral("1"));
        QVERIFY(click(&w, "cmdUltimo"));
        QCOMPARE(w.edit("BiciNum")->text(), QStringLiteral("E-3"));
        QVERIFY(click(&w, "cmdAvanti"));
        QCOMPARE(w.position(), QStringLiteral("3"));
        QVERIFY(click(&w, "cmdIndietro"));
        QCOMPARE(w.edit("BiciNum")->text(), QStringLiteral("E-2"));
        QVERIFY(w.showsPlaceholder());
        QVERIFY(click(&w, "cmdSalva")); // recreates the photo file with the placeholder
        QVERIFY(QFile::exists(fake.file("Autoparco/Scheda_Veicolo_2.jpg")));

        QVERIFY(QDir(fake.file("Autoparco")).removeRecursively());
        QVERIFY(click(&w, "cmdPrimo"));
        QVERIFY(QFileInfo(fake.file("Autoparco")).isDir());
        QVERIFY(w.showsPlaceholder());
    }

    void photoLoadedFromBmpIsWrittenAsJpegOnSave()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(QColor(20, 160, 40));
        QVERIFY(picture.save(fake.file("verde.bmp")));
        fake.dialogs().answerNext(fake.file("verde.bmp"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QCOMPARE(fake.dialogs().asked().last().title,
                 QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
        QCOMPARE(w.photo().size(), QSize(800, 600));
        QVERIFY(!QFile::exists(fake.file("Autoparco/Scheda_Veicolo_1.jpg")));

        fillMandatory(w, QStringLiteral("V-1"));
        QVERIFY(click(&w, "cmdSalva"));
        const QString photoFile = fake.file("Autoparco/Scheda_Veicolo_1.jpg");
        QCOMPARE(fileStart(photoFile, 3), QByteArray("\xFF\xD8\xFF"));
        QCOMPARE(QImage(photoFile).size(), QSize(800, 600));

        // Saving a copy elsewhere; a name without extension gets .jpg.
        fake.dialogs().answerNext(fake.file("copia"));
        QVERIFY(click(&w, "btnSalvaFoto"));
        QCOMPARE(fake.dialogs().asked().last().folder, QStringLiteral("Foto.jpg"));
        QCOMPARE(fileStart(fake.file("copia.jpg"), 2), QByteArray("\xFF\xD8"));

        // Clearing the photo changes the screen only, until the next save.
        QVERIFY(click(&w, "btnCancFoto"));
        QVERIFY(w.showsPlaceholder());
        QCOMPARE(QImage(photoFile).size(), QSize(800, 600));
    }

    void unreadablePicturesShowThePlaceholderSilently()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        QFile text(fake.file("finta.jpg"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("non sono una foto");
        text.close();
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(fake.file("blu.bmp")));
        fake.dialogs().answerNext(fake.file("blu.bmp"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QVERIFY(!w.showsPlaceholder());
        fake.dialogs().answerNext(fake.file("finta.jpg"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QVERIFY(w.showsPlaceholder());
        fake.dialogs().answerNext(fake.file("manca.jpg"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QVERIFY(w.showsPlaceholder());
        QCOMPARE(fake.messages().count(), 0);
    }

    void hugePhotoIsShownFromAScaledCopy()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        QImage huge(8000, 6000, QImage::Format_RGB32);
        huge.fill(Qt::darkCyan);
        QVERIFY(huge.save(fake.file("grande.jpg"), "JPG", 50));
        fake.dialogs().answerNext(fake.file("grande.jpg"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        QCOMPARE(w.photo().size(), QSize(8000, 6000));
        auto* view = w.findChild<PhotoView*>(QStringLiteral("imgFoto"));
        QVERIFY(view->displayed().width() <= 308 * view->devicePixelRatioF());
    }

    // A photo chosen from the user's own folder is only read: the small display copy of a large
    // photo is made beside the card's photo in the data folder once the card is saved, never
    // beside the chosen file.
    void photoChosenFromTheUsersFolderLeavesThatFolderAlone()
    {
        FakeContext fake;
        QTemporaryDir pictures;
        QImage camera(4000, 3000, QImage::Format_RGB32);
        camera.fill(Qt::darkGreen);
        const QString chosen = pictures.filePath(QStringLiteral("IMG_0001.jpg"));
        QVERIFY(camera.save(chosen, "JPG", 50));
        const QStringList before = QDir(pictures.path()).entryList(QDir::AllEntries | QDir::Hidden);

        TfrmAutoparco w(fake.context());
        w.show();
        fake.dialogs().answerNext(chosen);
        QVERIFY(click(&w, "btnCaricaFoto"));
        QVERIFY(!w.showsPlaceholder());
        auto* view = w.findChild<PhotoView*>(QStringLiteral("imgFoto"));
        QVERIFY(!view->displayed().isNull());
        QCOMPARE(QDir(pictures.path()).entryList(QDir::AllEntries | QDir::Hidden), before);

        fillMandatory(w, QStringLiteral("V-1"));
        QVERIFY(click(&w, "cmdSalva"));
        QVERIFY(click(&w, "cmdPrimo"));
        QVERIFY(!w.showsPlaceholder());
        const QDir photos(fake.file(QStringLiteral("Autoparco")));
        QCOMPARE(photos.entryList({QStringLiteral("Scheda_Veicolo_1.jpg.*.vista.jpg")}, QDir::Files).size(),
                 1);
        QCOMPARE(QDir(pictures.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    void storedPhotoIsCopiedAsItIsAndNeverReencoded()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(QColor(200, 30, 30));
        QVERIFY(picture.save(fake.file("rossa.jpg"), "JPG", 35));
        const QByteArray original = fileStart(fake.file("rossa.jpg"), 1 << 20);
        fake.dialogs().answerNext(fake.file("rossa.jpg"));
        QVERIFY(click(&w, "btnCaricaFoto"));
        fillMandatory(w, QStringLiteral("F-1"));
        QVERIFY(click(&w, "cmdSalva"));
        const QString stored = fake.file("Autoparco/Scheda_Veicolo_1.jpg");
        QCOMPARE(fileStart(stored, 1 << 20), original);
        // Saved again, and browsed onto and saved, the photo file stays the same bytes.
        QVERIFY(click(&w, "cmdSalva"));
        QVERIFY(click(&w, "cmdPrimo"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(fileStart(stored, 1 << 20), original);
        QCOMPARE(w.photo().size(), QSize(640, 480));
    }

    void fieldRules()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QLineEdit* number = w.edit("BiciNum");
        number->setFocus();
        QTest::keyClicks(number, "MTB:01?/A");
        QCOMPARE(number->text(), QStringLiteral("MTB01A"));
        QTest::keyClicks(w.edit("Marca"), "Atala: B?");
        QCOMPARE(w.edit("Marca")->text(), QStringLiteral("Atala: B?"));
        QCOMPARE(number->maxLength(), 30);
        QCOMPARE(w.edit("Note")->maxLength(), 250);

        QLineEdit* amount = w.edit("Importo");
        amount->setFocus();
        amount->clear();
        QTest::keyClicks(amount, "12,5");
        QTest::keyClick(amount, Qt::Key_Return);
        QTRY_VERIFY(w.edit("Compagnia")->hasFocus());
        QCOMPARE(amount->text(), QStringLiteral("12,50"));

        w.edit("Note")->setFocus();
        QTest::keyClick(w.edit("Note"), Qt::Key_Return);
        QTRY_VERIFY(number->hasFocus());
    }

    // A number another card has (trimmed, letters without case: the planning file is named after
    // it) is refused, naming that card; the card's own number saves again.
    void aNumberAnotherCardHasIsRefused_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("ownCard"); // changing the saved card B-1 itself, not a new one
        QTest::addColumn<bool>("refused");
        QTest::newRow("the same number") << QStringLiteral("B-1") << false << true;
        QTest::newRow("other case, spaces") << QStringLiteral(" b-1 ") << false << true;
        QTest::newRow("a longer number") << QStringLiteral("B-10") << false << false;
        QTest::newRow("the card's own number") << QStringLiteral("b-1") << true << false;
        QTest::newRow("the other card's number on a saved card") << QStringLiteral("B-2") << true << true;
    }

    void aNumberAnotherCardHasIsRefused()
    {
        QFETCH(QString, number);
        QFETCH(bool, ownCard);
        QFETCH(bool, refused);
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        fillMandatory(w, QStringLiteral("B-1"));
        QVERIFY(click(&w, "cmdSalva"));
        QVERIFY(click(&w, "cmdNuovo"));
        fillMandatory(w, QStringLiteral("B-2"));
        w.edit("Marca")->setText(QStringLiteral("Atala City"));
        QVERIFY(click(&w, "cmdSalva"));
        if (ownCard)
            QVERIFY(click(&w, "cmdPrimo"));
        else
            QVERIFY(click(&w, "cmdNuovo"));
        fillMandatory(w, number);
        const qint64 size = archiveSize(fake);
        fake.messages().clear();
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(fake.messages().count(), 1);
        if (!refused) {
            QCOMPARE(fake.messages().last().kind, MessageKind::Information);
            return;
        }
        const QString other = number.trimmed().toUpper() == QStringLiteral("B-1")
                                  ? QStringLiteral("1 (Bici n. B-1  Bianchi Spillo)")
                                  : QStringLiteral("2 (Bici n. B-2  Atala City)");
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("Attenzione: il numero %1 è già assegnato al veicolo della scheda %2.\n\r\n\r"
                                "Per salvare la scheda è necessario indicare un numero di veicolo diverso.")
                     .arg(number.trimmed(), other));
        QCOMPARE(archiveSize(fake), size);
        QCOMPARE(w.position(), ownCard ? QStringLiteral("1") : QString());
        QCOMPARE(w.focusWidget(), w.edit("BiciNum"));
    }

    void everyShowStartsANewCard()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        w.show();
        fillMandatory(w, QStringLiteral("X"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(w.position(), QStringLiteral("1"));
        w.close();
        w.show();
        QCOMPARE(w.position(), QString());
        QCOMPARE(w.edit("BiciNum")->text(), QString());
        QVERIFY(w.showsPlaceholder());
    }

    void archiveFailureShowsAnErrorAndSkipsThePhoto()
    {
        FakeContext fake;
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("Parco_Veicoli.pro")));
        TfrmAutoparco w(fake.context());
        fillMandatory(w, QStringLiteral("Z"));
        QVERIFY(click(&w, "cmdSalva"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Error);
        QVERIFY(fake.messages().last().text.startsWith(QStringLiteral(
            "Attenzione: il sistema non permette di accedere all'archivio Parco_Veicoli.pro.\n\r\n\r")));
        QCOMPARE(w.position(), QString());
        QVERIFY(!QFile::exists(fake.file("Autoparco/Scheda_Veicolo_.jpg")));
        QVERIFY(click(&w, "cmdUltimo"));
        QCOMPARE(fake.messages().last().kind, MessageKind::Error);
    }

    void previewAndPrintShowTheCardAsOnScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << "cmdAnteprima" << true;
        QTest::newRow("print") << "cmdStampa" << false;
    }
    void previewAndPrintShowTheCardAsOnScreen()
    {
        QFETCH(QString, command);
        QFETCH(bool, preview);
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        fillMandatory(w, QStringLiteral("  EB-3  "));
        QVERIFY(driveModal([&] { QVERIFY(click(&w, command)); },
                           [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnStampa"))); }));
        const auto& documents = preview ? fake.reports().previewed : fake.reports().printed;
        QCOMPARE(documents.size(), std::size_t(1));
        QCOMPARE(documents.front().name, QStringLiteral("Scheda Veicolo"));
        QCOMPARE(documents.front().pages.front().find(QStringLiteral("txtBiciNum"))->text(),
                 QStringLiteral("EB-3"));
        QCOMPARE(w.position(), QString()); // nothing saved by printing
    }

    // Etichette asks which labels are wanted: the card's as on screen (unsaved), the whole fleet's
    // numbered cards in number order, or none; the chosen labels go to the preview.
    void labelsOfTheCardOrOfTheWholeFleetGoToThePreview_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("the vehicle on the card") << 0 << QStringList{"Bici n. EB-3"};
        QTest::newRow("the whole fleet") << 1 << QStringList{"Bici n. 2", "Bici n. 10"};
        QTest::newRow("cancelled") << 2 << QStringList{};
    }
    void labelsOfTheCardOrOfTheWholeFleetGoToThePreview()
    {
        QFETCH(int, choice);
        QFETCH(QStringList, labels);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("10"));
        addVehicle(fake, QStringLiteral("2"));
        TfrmAutoparco w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        fillMandatory(w, QStringLiteral(" EB-3 "));
        fake.messages().chooseNext(choice);
        QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(fake.messages().lastButtons,
                 (QStringList{"Etichetta del veicolo", "Etichette di tutta la flotta", "Annulla"}));
        QCOMPARE(fake.reports().previewed.size(), std::size_t(labels.isEmpty() ? 0 : 1));
        for (int i = 0; i < labels.size(); ++i) {
            const Reports::Item* text =
                fake.reports().previewed.front().pages.front().find(QStringLiteral("txtBici%1").arg(i + 1));
            QVERIFY(text);
            QCOMPARE(text->text(), labels[i]);
        }
        QCOMPARE(w.position(), QString()); // nothing saved by printing
    }

    void zoomAreaIsTheScreenLessMargins()
    {
        QCOMPARE(TfrmZoom::pictureArea(QSize(1920, 1080)), QSize(1860, 990));
        FakeContext fake;
        QWidget owner;
        QImage photo(300, 100, QImage::Format_RGB32);
        photo.fill(Qt::yellow);
        TfrmZoom zoom(fake.context(), &owner, photo);
        int result = -1;
        QVERIFY(driveModal([&] { result = zoom.exec(); },
                           [&](QWidget*) {
                               auto* picture = zoom.findChild<PhotoView*>(QStringLiteral("imgFoto"));
                               QVERIFY(picture);
                               QCOMPARE(picture->size(), TfrmZoom::pictureArea(zoom.screen()->size()));
                               QTest::mouseClick(picture, Qt::LeftButton);
                           }));
        QCOMPARE(result, int(QDialog::Accepted));
    }

    // The price list belongs to the contracts: the fleet card opens it through the opener it is
    // given, by its button or its shortcut, and does nothing without one.
    void listinoOpensThePriceListThroughItsOpener()
    {
        FakeContext fake;
        TfrmAutoparco w(fake.context());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(
            Status::hintOf(required<QWidget>(&w, "cmdListino")),
            QStringLiteral(
                "Visualizza e modifica il listino prezzi: tariffe, stagioni e cauzioni. (Ctrl+Maiusc+L)"));
        QVERIFY(click(&w, "cmdListino")); // no opener yet: nothing happens
        QList<QWidget*> owners;
        w.setPriceListOpener([&owners](QWidget* owner) { owners << owner; });
        QVERIFY(click(&w, "cmdListino"));
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(owners, (QList<QWidget*>{&w, &w}));
    }
};

RF_REGISTER_TEST(FleetWindowTest)
#include "FleetWindowTest.moc"
