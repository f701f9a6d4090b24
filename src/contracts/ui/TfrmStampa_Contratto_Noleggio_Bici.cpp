#include "TfrmStampa_Contratto_Noleggio_Bici.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "reports/Layout.h"
#include "common/ui/ReportPreview.h"
#include "contracts/documents/ContractConditions.h"
#include "contracts/documents/ContractFront.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 394;

const QString FrontFailed = QStringLiteral("Attenzione: la stampa del documento non è andata a buon "
                                           "fine.\n\r\n\rSi consiglia di ridurre le dimensioni "
                                           "della foto.");
const QString BackFailed = QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\rSi "
                                          "consiglia di controllare le impostazioni della "
                                          "stampante.");

constexpr int Margin = 10;
const QSize BannerBox(ClientWidth - 2 * Margin, 108);
constexpr int ButtonHeight = 48;
constexpr int IconSize = 26;
// The bicycle on the front is 23 x 11 mm; this is about 1000 dots an inch.
const QSize BicyclePixels(920, 440);

// An SVG drawn into a pixmap of the given logical size, sharp on high-density screens.
QPixmap svgPixmap(const QString& resource, const QSize& box)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    constexpr qreal ratio = 2.0;
    const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

namespace ContractPrint {

QImage bicyclePicture()
{
    QSvgRenderer renderer(QStringLiteral(":/contracts/bike_red_small.svg"));
    QImage image(BicyclePixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    return image;
}

report::Report filledFront(const TfrmContratti_Noleggio_Bici& form, const QImage& logo)
{
    report::Report front = report::ContractFront(bicyclePicture());
    report::FillContractFront(front, logo, [&form](const QString& field) {
        const QLineEdit* edit = form.edit(field);
        return edit ? edit->text() : QString();
    });
    return front;
}

QPushButton* makeButton(const QString& objectName, const QString& text, const QString& icon)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setMinimumHeight(ButtonHeight);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    if (!icon.isEmpty()) {
        button->setIcon(QIcon(svgPixmap(icon, QSize(IconSize, IconSize))));
        button->setIconSize(QSize(IconSize, IconSize));
    }
    return button;
}

Window::Window(Context& context, TfrmContratti_Noleggio_Bici& form, const QString& objectName,
               const QString& caption, QSize client, const QString& banner, const QString& closeText)
    : QDialog(&form), m_context(context), m_form(form)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Form::dialogFrame(this, client.width(), client.height());
    Form::gradientBackground(this, Form::SteelBlue, Form::WhiteFill);
    setStyleSheet(QStringLiteral("QFrame#panComandi { background: rgba(255, 255, 255, 200);"
                                 " border: 1px solid #8FAFCB; border-radius: 6px; }"));

    auto* imgBanner = new QLabel(this);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setFixedSize(BannerBox);
    imgBanner->setAlignment(Qt::AlignCenter);
    imgBanner->setStyleSheet(QStringLiteral("background: white; border: 1px solid #8FAFCB;"));
    imgBanner->setPixmap(svgPixmap(banner, BannerBox - QSize(2, 2)));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panComandi"));
    m_buttons = new QVBoxLayout(panel);
    m_buttons->setContentsMargins(12, 14, 12, 14);
    m_buttons->setSpacing(14);

    auto* close = new QPushButton(closeText, this);
    close->setObjectName(QStringLiteral("btnAnnulla"));
    close->setCursor(Qt::PointingHandCursor);
    close->setAutoDefault(false);
    close->setFixedSize(120, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, 14);
    layout->setSpacing(0);
    layout->addWidget(imgBanner, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(panel);
    layout->addStretch(1);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}

QPushButton* Window::addButton(const QString& objectName, const QString& text, const QString& icon,
                               std::function<void()> action)
{
    QPushButton* button = makeButton(objectName, text, icon);
    m_buttons->addWidget(button);
    if (m_buttons->count() == 1)
        button->setFocus(); // the window opens on its first action
    connect(button, &QPushButton::clicked, this, std::move(action));
    return button;
}

const QImage& Window::logo()
{
    if (m_imgLogo.isNull())
        m_imgLogo = CompanyLogo::loadLogo(m_context.programFolder());
    return m_imgLogo;
}

void Window::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_imgLogo = CompanyLogo::loadLogo(m_context.programFolder());
}

void Window::outputAndClose(const report::Report& report, bool preview, const QString& failureMessage)
{
    if (OutputReport(m_context, this, report, preview ? Output::Preview : Output::Print, failureMessage))
        accept();
    else
        reject();
}

} // namespace ContractPrint

TfrmStampa_Contratto_Noleggio_Bici::TfrmStampa_Contratto_Noleggio_Bici(Context& context,
                                                                       TfrmContratti_Noleggio_Bici& form)
    : Window(context, form, QStringLiteral("frmStampa_Contratto_Noleggio_Bici"),
             QStringLiteral(" Stampa Contratto Noleggio Bicicletta"), QSize(ClientWidth, ClientHeight),
             QStringLiteral(":/contracts/print_contract_banner.svg"), QStringLiteral("Chiudi"))
{
    addButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa Contratto Noleggio Bicicletta (fronte)"),
              QStringLiteral(":/toolbar/print.svg"), [this] { btnStampaClick(); });
    addButton(QStringLiteral("btnCondizioni"), QStringLiteral("Stampa Condizioni contrattuali (retro)"),
              QStringLiteral(":/toolbar/print.svg"), [this] { btnCondizioniClick(); });
}

void TfrmStampa_Contratto_Noleggio_Bici::btnStampaClick()
{
    outputAndClose(ContractPrint::filledFront(m_form, logo()), false, FrontFailed);
}

void TfrmStampa_Contratto_Noleggio_Bici::btnCondizioniClick()
{
    report::Report repRetro = report::ContractConditions();
    repRetro.setOrientation(QPageLayout::Portrait);
    outputAndClose(repRetro, false, BackFailed);
}

} // namespace rf
