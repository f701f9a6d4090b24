#include "TfrmStampa_Contratto_Noleggio_Bici.h"

#include "app/ui/Context.h"
#include "app/ui/FormConventions.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "reports/Layout.h"
#include "reports/templates/ContractConditions.h"
#include "reports/templates/ContractFront.h"

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

namespace rf::ContractPrint {

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

QVBoxLayout* buildWindow(QDialog* window, const QString& objectName, const QString& caption, int clientWidth,
                         int clientHeight, const QString& banner, QPushButton* closeButton)
{
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    Form::dialogFrame(window, clientWidth, clientHeight);
    Form::gradientBackground(window, Form::SteelBlue, Form::WhiteFill);
    window->setStyleSheet(QStringLiteral("QFrame#panComandi { background: rgba(255, 255, 255, 200);"
                                         " border: 1px solid #8FAFCB; border-radius: 6px; }"));

    auto* imgBanner = new QLabel(window);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setFixedSize(BannerBox);
    imgBanner->setAlignment(Qt::AlignCenter);
    imgBanner->setStyleSheet(QStringLiteral("background: white; border: 1px solid #8FAFCB;"));
    imgBanner->setPixmap(svgPixmap(banner, BannerBox - QSize(2, 2)));

    auto* panel = new QFrame(window);
    panel->setObjectName(QStringLiteral("panComandi"));
    auto* buttons = new QVBoxLayout(panel);
    buttons->setContentsMargins(12, 14, 12, 14);
    buttons->setSpacing(14);

    closeButton->setParent(window);
    closeButton->setFixedSize(120, 32);
    QObject::connect(closeButton, &QPushButton::clicked, window, &QDialog::reject);

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(Margin, Margin, Margin, 14);
    layout->setSpacing(0);
    layout->addWidget(imgBanner, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(panel);
    layout->addStretch(1);
    layout->addWidget(closeButton, 0, Qt::AlignHCenter);
    return buttons;
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

} // namespace rf::ContractPrint

TfrmStampa_Contratto_Noleggio_Bici::TfrmStampa_Contratto_Noleggio_Bici(rf::Context& context,
                                                                       TfrmContratti_Noleggio_Bici& form)
    : QDialog(&form), m_context(context), m_form(form)
{
    using namespace rf::ContractPrint;
    m_btnAnnulla = new QPushButton(QStringLiteral("Chiudi"));
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnAnnulla->setCursor(Qt::PointingHandCursor);
    m_btnAnnulla->setAutoDefault(false);
    QVBoxLayout* buttons =
        buildWindow(this, QStringLiteral("frmStampa_Contratto_Noleggio_Bici"),
                    QStringLiteral(" Stampa Contratto Noleggio Bicicletta"), ClientWidth, ClientHeight,
                    QStringLiteral(":/contracts/print_contract_banner.svg"), m_btnAnnulla);

    m_btnStampa = makeButton(QStringLiteral("btnStampa"),
                             QStringLiteral("Stampa Contratto Noleggio Bicicletta (fronte)"),
                             QStringLiteral(":/toolbar/print.svg"));
    m_btnCondizioni =
        makeButton(QStringLiteral("btnCondizioni"), QStringLiteral("Stampa Condizioni contrattuali (retro)"),
                   QStringLiteral(":/toolbar/print.svg"));
    buttons->addWidget(m_btnStampa);
    buttons->addWidget(m_btnCondizioni);
    m_btnStampa->setFocus(); // the window opens ready to print the front

    connect(m_btnStampa, &QPushButton::clicked, this, &TfrmStampa_Contratto_Noleggio_Bici::btnStampaClick);
    connect(m_btnCondizioni, &QPushButton::clicked, this,
            &TfrmStampa_Contratto_Noleggio_Bici::btnCondizioniClick);
}

void TfrmStampa_Contratto_Noleggio_Bici::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_imgLogo = rf::CompanyLogo::loadLogo(m_context.programFolder());
}

void TfrmStampa_Contratto_Noleggio_Bici::btnStampaClick()
{
    if (m_imgLogo.isNull())
        m_imgLogo = rf::CompanyLogo::loadLogo(m_context.programFolder());
    const rf::report::Report repDocumento = rf::ContractPrint::filledFront(m_form, m_imgLogo);
    const rf::report::Prepared prepared = rf::report::Prepare(repDocumento, m_context.clock().today());
    if (!prepared.ok || !m_context.reports().print(this, prepared.document)) {
        m_context.messages().warning(this, FrontFailed);
        reject();
        return;
    }
    accept();
}

void TfrmStampa_Contratto_Noleggio_Bici::btnCondizioniClick()
{
    rf::report::Report repRetro = rf::report::ContractConditions();
    repRetro.setOrientation(QPageLayout::Portrait);
    const rf::report::Prepared prepared = rf::report::Prepare(repRetro, m_context.clock().today());
    if (!prepared.ok || !m_context.reports().print(this, prepared.document)) {
        m_context.messages().warning(this, BackFailed);
        reject();
        return;
    }
    accept();
}
