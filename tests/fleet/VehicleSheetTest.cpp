#include "fleet/documents/VehicleSheet.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAnteprimaAutomezzo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmStampaAutomezzo.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "reports/Units.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"
#include "support/Tools.h"

#include <QHash>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rf;
using namespace rf::Reports;
using namespace rf::Test;

namespace {

const QDate Today(2024, 3, 5);
const double Origin = mm(10); // the margins: geometry is given from the printable area

const QString LongNote = QStringLiteral("Revisione completa eseguita in officina ").repeated(6).trimmed();

QHash<QString, QString> sampleCard()
{
    return {{QStringLiteral("BiciNum"), QStringLiteral("  B-07  ")},
            {QStringLiteral("Marca"), QStringLiteral("Bianchi Spillo")},
            {QStringLiteral("Polizza"), QStringLiteral(" 45,00")},
            {QStringLiteral("Note"), LongNote}};
}

Prepared prepareSheet(const QHash<QString, QString>& values, const QImage& photo,
                      QStringList* asked = nullptr)
{
    Report report = vehicleSheet();
    fillVehicleSheet(report, photo, [&](const QString& field) {
        if (asked)
            asked->append(field);
        return values.value(field);
    });
    return prepare(report, Today);
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

std::unique_ptr<PrintChoiceDialog> makeDialog(bool preview, Context& context, TfrmAutoparco& fleet)
{
    if (preview)
        return std::make_unique<TfrmAnteprimaAutomezzo>(context, &fleet, fleet.sheetBuilder());
    return std::make_unique<TfrmStampaAutomezzo>(context, &fleet, fleet.sheetBuilder());
}

} // namespace

class VehicleSheetTest : public QObject {
    Q_OBJECT
private slots:
    void everyFieldIsFilledTrimmedInRecordOrder()
    {
        QStringList asked;
        const Prepared prepared = prepareSheet(sampleCard(), picture(40, 30), &asked);
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        QCOMPARE(prepared.document.name, QStringLiteral("Scheda Veicolo"));
        QCOMPARE(prepared.document.pages.size(), std::size_t(1));
        const LaidOutPage& page = prepared.document.pages.front();
        QCOMPARE(page.orientation, QPageLayout::Portrait);

        QStringList recordOrder;
        for (int i = 0; i < Fleet::EditCount; ++i)
            recordOrder.append(TSchedaVeicolo().name(i));
        QCOMPARE(asked, recordOrder);
        for (const QString& field : recordOrder) {
            const Item* value = page.find(QStringLiteral("txt") + field);
            const Item* caption = page.find(QStringLiteral("tit") + field);
            QVERIFY2(value && caption, qPrintable(field));
            QVERIFY(!caption->text().isEmpty());
            QCOMPARE(value->text(), sampleCard().value(field).trimmed());
            // The caption bar sits directly on its box.
            QCOMPARE(caption->rect.bottom(), value->rect.top());
        }
        QCOMPARE(page.find(QStringLiteral("titScheda"))->text(), QStringLiteral("SCHEDA VEICOLO"));
        QCOMPARE(page.find(QStringLiteral("titBiciNum"))->text(), QStringLiteral("BICICLETTA N."));
        QCOMPARE(page.find(QStringLiteral("titAccessori"))->text(),
                 QStringLiteral("ACCESSORI FORNITI AL CLIENTE"));
    }

    void emptyFieldLeavesAnEmptyBoxUnderItsCaption()
    {
        const LaidOutPage page = prepareSheet(sampleCard(), picture(40, 30)).document.pages.front();
        const Item* box = page.find(QStringLiteral("txtTelaio"));
        QVERIFY(box->lines.empty());
        QCOMPARE(box->frame.rgba(), RoyalBlue);
        QCOMPARE(page.find(QStringLiteral("titTelaio"))->text(), QStringLiteral("TELAIO N."));
    }

    void longValueStaysOnOneLine()
    {
        const LaidOutPage page = prepareSheet(sampleCard(), picture(40, 30)).document.pages.front();
        const Item* note = page.find(QStringLiteral("txtNote"));
        QCOMPARE(note->lines.size(), std::size_t(1));
        QCOMPARE(note->text(), LongNote);
        QVERIFY(textWidth(note->font, LongNote) > note->rect.width()); // cut at the box's edge when painted
    }

    void geometryInUnits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QRgb>("fill");
        QTest::addColumn<QRgb>("colour");
        const QRgb white = 0xFFFFFFFF;
        const QRgb black = 0xFF000000;
        QTest::newRow("title") << "titScheda" << QRectF(3.8, 3.8, 710.6, 30.2) << 12.0 << false << RoyalBlue
                               << white;
        QTest::newRow("caption") << "titBiciNum" << QRectF(3.8, 378.0, 347.7, 18.1) << 8.0 << true
                                 << RoyalBlue << white;
        QTest::newRow("value") << "txtBiciNum" << QRectF(3.8, 396.1, 347.7, 22.7) << 8.0 << false << 0u
                               << black;
        QTest::newRow("narrow value")
            << "txtPolizza" << QRectF(555.6, 792.9, 158.7, 22.7) << 8.0 << false << 0u << black;
        QTest::newRow("last value") << "txtNote" << QRectF(3.8, 1019.7, 710.6, 22.7) << 8.0 << false << 0u
                                    << black;
    }

    void geometryInUnits()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, rect);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QRgb, fill);
        QFETCH(QRgb, colour);
        const LaidOutPage page = prepareSheet(sampleCard(), picture(40, 30)).document.pages.front();
        const Item* item = page.find(name);
        QVERIFY(item);
        const QRectF expected = rect.translated(Origin, Origin);
        QVERIFY2(qAbs(item->rect.left() - expected.left()) < 0.01 &&
                     qAbs(item->rect.top() - expected.top()) < 0.01 &&
                     qAbs(item->rect.width() - expected.width()) < 0.01 &&
                     qAbs(item->rect.height() - expected.height()) < 0.01,
                 qPrintable(name));
        QCOMPARE(item->font.family, QStringLiteral("Arial"));
        QCOMPARE(item->font.points, points);
        QCOMPARE(item->font.bold, bold);
        QCOMPARE(item->fill.rgba(), fill);
        QCOMPARE(item->colour.rgba(), colour);
        // Texts are vertically centred and, unless centred, 3.8 units inside their bar or box.
        QCOMPARE(item->lines.size(), std::size_t(1));
        const PlacedLine& line = item->lines.front();
        QVERIFY(qAbs(line.rect.center().y() - expected.center().y()) < 0.01);
        if (!(item->alignment & Qt::AlignHCenter))
            QVERIFY(qAbs(line.rect.left() - (expected.left() + 3.8)) < 0.01);
    }

    void photoIsCentredWithItsProportionsKept_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("wide") << QSize(800, 200);
        QTest::newRow("tall") << QSize(300, 900);
    }

    void photoIsCentredWithItsProportionsKept()
    {
        QFETCH(QSize, size);
        const QImage photo = picture(size.width(), size.height());
        const LaidOutPage page = prepareSheet({}, photo).document.pages.front();
        const Item* logo = page.find(QStringLiteral("imgLogo"));
        QCOMPARE(logo->kind, Kind::Picture);
        QCOMPARE(logo->picture, photo);
        QCOMPARE(logo->rect, QRectF(3.8, 41.6, 710.6, 328.8).translated(Origin, Origin));
        const QRectF fitted = logo->pictureRect;
        QVERIFY(qAbs(fitted.center().x() - logo->rect.center().x()) < 0.01);
        QVERIFY(qAbs(fitted.center().y() - logo->rect.center().y()) < 0.01);
        QVERIFY(qAbs(fitted.width() / fitted.height() - double(size.width()) / size.height()) < 0.001);
        QVERIFY(qAbs(fitted.width() - logo->rect.width()) < 0.01 ||
                qAbs(fitted.height() - logo->rect.height()) < 0.01);
        QVERIFY(logo->rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(fitted));
    }

    void pdfCarriesTitleCaptionsAndValues()
    {
        const Prepared prepared = prepareSheet(sampleCard(), TfrmAutoparco::placeholderImage());
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
        QVERIFY(writePdf(prepared.document, pdf));
        const QString text =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY2(text.contains(QStringLiteral("SCHEDA VEICOLO")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("MARCA E MODELLO")));
        QVERIFY(text.contains(QStringLiteral("B-07")));
        QVERIFY(text.contains(QStringLiteral("Bianchi Spillo")));
        QVERIFY(
            runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("595 x 842"))); // A4 portrait
    }

    void startButtonOutputsTheCardOnScreen_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("startText");
        QTest::newRow("print") << false << " Stampa documento"
                               << "Stampa";
        QTest::newRow("preview") << true << " Anteprima di stampa"
                                 << "Mostra anteprima";
    }

    void startButtonOutputsTheCardOnScreen()
    {
        QFETCH(bool, preview);
        QFETCH(QString, caption);
        QFETCH(QString, startText);
        FakeContext fake;
        TfrmAutoparco fleet(fake.context());
        fleet.edit(QStringLiteral("BiciNum"))->setText(QStringLiteral("B-07 "));
        fleet.edit(QStringLiteral("Marca"))->setText(QStringLiteral("Bianchi Spillo"));
        const auto dialog = makeDialog(preview, fake.context(), fleet);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("btnStampa"))->text(), startText);
        QCOMPARE(dialog->size(), QSize(364, 287));
        dialog->show();
        QVERIFY(click(dialog.get(), "btnStampa"));

        const auto& outputs = preview ? fake.reports().previewed : fake.reports().printed;
        const auto& others = preview ? fake.reports().printed : fake.reports().previewed;
        QCOMPARE(outputs.size(), std::size_t(1));
        QVERIFY(others.empty());
        QCOMPARE(fake.messages().count(), 0);
        QVERIFY(!dialog->isVisible());
        const Document& document = outputs.front();
        QCOMPARE(document.name, QStringLiteral("Scheda Veicolo"));
        const LaidOutPage& page = document.pages.front();
        QCOMPARE(page.find(QStringLiteral("txtBiciNum"))->text(), QStringLiteral("B-07"));
        QCOMPARE(page.find(QStringLiteral("txtMarca"))->text(), QStringLiteral("Bianchi Spillo"));
        QCOMPARE(page.find(QStringLiteral("txtImporto"))->text(),
                 QStringLiteral("0,00")); // a new card's default
        QVERIFY(page.find(QStringLiteral("txtColore"))->lines.empty());
        // A card never saved prints with the placeholder picture.
        QCOMPARE(page.find(QStringLiteral("imgLogo"))->picture, TfrmAutoparco::placeholderImage());
        QCOMPARE(fleet.edit(QStringLiteral("BiciNum"))->text(), QStringLiteral("B-07 "));
    }

    void savedCopyIsNamedAfterTheVehicle()
    {
        FakeContext fake;
        TfrmAutoparco fleet(fake.context());
        fleet.edit(QStringLiteral("BiciNum"))->setText(QStringLiteral(" B|07 "));
        TfrmAnteprimaAutomezzo dialog(fake.context(), &fleet, fleet.sheetBuilder());
        dialog.show();
        QVERIFY(click(&dialog, "btnStampa"));
        QCOMPARE(fake.reports().previewed.size(), std::size_t(1));
        QCOMPARE(fake.reports().previewed.front().fileName, QStringLiteral("Scheda veicolo B 07"));
        QCOMPARE(fake.reports().previewed.front().name,
                 QStringLiteral("Scheda Veicolo")); // the report keeps its own
    }

    void annullaOutputsNothing_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print") << false;
        QTest::newRow("preview") << true;
    }

    void annullaOutputsNothing()
    {
        QFETCH(bool, preview);
        FakeContext fake;
        TfrmAutoparco fleet(fake.context());
        fleet.edit(QStringLiteral("BiciNum"))->setText(QStringLiteral("B-07"));
        const auto dialog = makeDialog(preview, fake.context(), fleet);
        dialog->show();
        QVERIFY(click(dialog.get(), "btnAnnulla"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(fake.reports().printed.empty());
        QVERIFY(fake.reports().previewed.empty());
        QCOMPARE(fake.messages().count(), 0);
        QCOMPARE(fleet.edit(QStringLiteral("BiciNum"))->text(), QStringLiteral("B-07"));
    }

    void failingOutputWarnsAndCloses_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("warning");
        QTest::newRow("print") << false
                               << "Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                                  "Si consiglia di ridurre le dimensioni della foto.";
        QTest::newRow("preview")
            << true
            << "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è "
               "andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.";
    }

    void failingOutputWarnsAndCloses()
    {
        QFETCH(bool, preview);
        QFETCH(QString, warning);
        FakeContext fake;
        fake.reports().fail = true;
        TfrmAutoparco fleet(fake.context());
        const auto dialog = makeDialog(preview, fake.context(), fleet);
        dialog->show();
        QVERIFY(click(dialog.get(), "btnStampa"));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, warning);
        QVERIFY(!dialog->isVisible());
    }
};

RF_REGISTER_TEST(VehicleSheetTest)
#include "VehicleSheetTest.moc"
