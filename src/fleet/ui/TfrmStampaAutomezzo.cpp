#include "TfrmStampaAutomezzo.h"

#include "TfrmAutoparco.h"
#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "common/ui/PictureButton.h"
#include "reports/Layout.h"
#include "fleet/documents/VehicleSheet.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace rf {

namespace {

constexpr int ClientWidth = 364;
constexpr int ClientHeight = 287;
constexpr int Margin = 12;
constexpr QRgb GradientTop = 0xFF427AA8;

QPushButton* makeButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setFixedSize(150, 30);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

} // namespace

VehicleSheetDialog::VehicleSheetDialog(Context& context, TfrmAutoparco& fleet, const Look& look)
    : QDialog(&fleet), m_context(context), m_fleet(fleet), m_failure(look.failure), m_output(look.output),
      m_repDocumento(report::VehicleSheet())
{
    setObjectName(look.objectName);
    setWindowTitle(look.caption);
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, GradientTop, Form::WhiteFill);
    setStyleSheet(QStringLiteral(
        "QFrame#panLogo { background: white; border: 1px solid #8FAFCB; border-radius: 6px; }"));

    // The sheet shows what the card shows; a card without a picture gets the stand-by one.
    m_imgTemp = TfrmAutoparco::placeholderImage();
    m_imgLogo = fleet.photo();
    if (m_imgLogo.isNull())
        m_imgLogo = m_imgTemp;

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("panLogo"));
    m_imgLogo01 = new SvgPicture(look.explanation);
    m_imgLogo01->setObjectName(QStringLiteral("imgLogo01"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(14, 12, 14, 6);
    panelLayout->addWidget(m_imgLogo01);

    m_btnStampa = makeButton(QStringLiteral("btnStampa"), look.startText);
    m_btnStampa->setDefault(true);
    m_btnAnnulla = makeButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnStampa);
    buttons->addStretch(1);
    buttons->addWidget(m_btnAnnulla);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Margin);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    connect(m_btnStampa, &QPushButton::clicked, this, &VehicleSheetDialog::btnStampaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void VehicleSheetDialog::btnStampaClick()
{
    // A field the fleet window does not have is a fault of the program: nothing is output.
    bool editsFound = true;
    report::FillVehicleSheet(m_repDocumento, m_imgLogo, [this, &editsFound](const QString& field) {
        const QLineEdit* edit = m_fleet.edit(field);
        editsFound = editsFound && edit;
        return edit ? edit->text() : QString();
    });
    if (!editsFound)
        m_context.messages().warning(this, m_failure);
    if (editsFound && OutputReport(m_context, this, m_repDocumento, m_output, m_failure))
        accept();
    else
        reject();
}

TfrmStampaAutomezzo::TfrmStampaAutomezzo(Context& context, TfrmAutoparco& fleet)
    : VehicleSheetDialog(
          context, fleet,
          {QStringLiteral("frmStampaAutomezzo"), QStringLiteral(" Stampa documento"),
           QStringLiteral("Stampa"), QStringLiteral(":/fleet/print_explain.svg"),
           QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                          "Si consiglia di ridurre le dimensioni della foto."),
           Output::Print})
{
}

} // namespace rf
