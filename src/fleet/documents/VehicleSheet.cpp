#include "VehicleSheet.h"

#include "fleet/SchedaVeicolo.h"
#include "reports/Units.h"

namespace rf::Reports {
namespace {

// Everything below is in engine units from the printable area's top left corner.
constexpr double Inset = 3.8; // texts sit this far inside their bar or box
constexpr double CaptionHeight = 18.1;
constexpr double BoxHeight = 22.7;

struct FieldBox {
    const char* field;
    const char* caption;
    double left;
    double top; // of the caption bar; the value box follows directly below it
    double width;
};

// In the order they appear on the sheet, row by row.
constexpr FieldBox Boxes[] = {
    {"BiciNum", "BICICLETTA N.", 3.8, 378.0, 347.7},
    {"Marca", "MARCA E MODELLO", 359.1, 378.0, 355.3},
    {"Misure", "MISURE", 3.8, 434.6, 347.7},
    {"Stato", "STATO VEICOLO", 359.1, 434.6, 355.3},
    {"Taglia", "TAGLIA", 3.8, 491.3, 181.4},
    {"Anno", "ANNO COSTRUZIONE", 192.8, 491.3, 158.7},
    {"Colore", "COLORE", 359.1, 491.3, 355.3},
    {"Telaio", "TELAIO N.", 3.8, 548.0, 347.7},
    {"Freni", "FRENI", 359.1, 548.0, 355.3},
    {"Pneumatici", "PNEUMATICI", 3.8, 604.7, 347.7},
    {"Valore", "VALORE ATTUALE", 359.1, 604.7, 170.1},
    {"Peso", "PESO COMPLESSIVO", 536.7, 604.7, 177.6},
    {"Tariffa", "TIPOLOGIA TARIFFA NOLEGGIO", 3.8, 661.4, 347.7},
    {"Conteggio", "CRITERIO CONTEGGIO", 359.1, 661.4, 355.3},
    {"Eccedenza", "CRITERIO CALCOLO ECCEDENZA", 3.8, 718.1, 347.7},
    {"Importo", "IMPORTO UNITARIO", 359.1, 718.1, 355.3},
    {"Compagnia", "COMPAGNIA ASSICURATIVA", 3.8, 774.8, 347.7},
    {"TelAssicuratore", "TEL. ASSICURATORE", 359.1, 774.8, 189.0},
    {"Polizza", "IMPORTO POLIZZA", 555.6, 774.8, 158.7},
    {"Responsabile", "RESPONSABILE", 3.8, 831.5, 189.0},
    {"TelResponsabile", "TEL. RESPONSABILE", 200.3, 831.5, 151.2},
    {"Meccanico", "MECCANICO", 359.1, 831.5, 189.0},
    {"TelMeccanico", "TEL. MECCANICO", 555.6, 831.5, 158.7},
    {"Documenti", "DOCUMENTI VEICOLO", 3.8, 888.2, 347.7},
    {"Luogo", "LUOGO CUSTODIA", 359.1, 888.2, 355.3},
    {"Accessori", "ACCESSORI FORNITI AL CLIENTE", 3.8, 944.9, 710.6},
    {"Note", "NOTE", 3.8, 1001.6, 710.6},
};

QString valueObject(const QString& field)
{
    return QStringLiteral("txt") + field;
}

} // namespace

QRectF vehicleSheetPhotoArea()
{
    return QRectF(3.8, 41.6, 710.6, 328.8);
}

QSize vehicleSheetPhotoPixels()
{
    // 300 dots an inch of the printed size: sharp on paper, small in a PDF.
    constexpr double PhotoDotsPerInch = 300;
    const QRectF area = vehicleSheetPhotoArea();
    return QSize(int(toDevice(area.width(), PhotoDotsPerInch)),
                 int(toDevice(area.height(), PhotoDotsPerInch)));
}

Report vehicleSheet()
{
    const QColor blue = QColor::fromRgba(RoyalBlue);
    Report report(QStringLiteral("Scheda Veicolo"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    Object& title = report.addText(QStringLiteral("titScheda"), QRectF(3.8, 3.8, 710.6, 30.2),
                                   QStringLiteral("SCHEDA VEICOLO"), Font{QStringLiteral("Arial"), 12},
                                   Qt::AlignHCenter | Qt::AlignVCenter);
    title.fill = blue;
    title.colour = Qt::white;

    report.addPicture(QStringLiteral("imgLogo"), vehicleSheetPhotoArea());

    for (const FieldBox& box : Boxes) {
        const QString field = QString::fromLatin1(box.field);
        Object& caption =
            report.addText(QStringLiteral("tit") + field, QRectF(box.left, box.top, box.width, CaptionHeight),
                           QString::fromLatin1(box.caption), Font{QStringLiteral("Arial"), 8, true},
                           Qt::AlignLeft | Qt::AlignVCenter);
        caption.fill = blue;
        caption.colour = Qt::white;
        caption.padding = Inset;

        Object& value = report.addText(
            valueObject(field), QRectF(box.left, box.top + CaptionHeight, box.width, BoxHeight), QString(),
            Font{QStringLiteral("Arial"), 8}, Qt::AlignLeft | Qt::AlignVCenter);
        value.frame = blue;
        value.frameWidth = 1;
        value.padding = Inset;
        value.wordWrap = false;
    }
    return report;
}

void fillVehicleSheet(Report& report, const QImage& photo,
                      const std::function<QString(const QString& field)>& valueOf)
{
    report.setOrientation(QPageLayout::Portrait);
    report.setPicture(QStringLiteral("imgLogo"), photo);
    const RecordLayout& layout = TSchedaVeicolo();
    for (int i = 0; i < Fleet::EditCount; ++i) {
        const QString field = layout.name(i);
        report.setText(valueObject(field), valueOf(field).trimmed());
    }
}

} // namespace rf::Reports
