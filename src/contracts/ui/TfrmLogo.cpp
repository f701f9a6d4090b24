#include "TfrmLogo.h"

#include "app/ui/Context.h"
#include "app/ui/FormConventions.h"
#include "app/ui/PictureButton.h"
#include "contracts/CompanyLogo.h"
#include "fleet/ui/PhotoView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 520;
constexpr int ClientHeight = 290;
// The preview keeps the built-in logo's proportions, so that logo fills it exactly.
constexpr int PreviewWidth = 330;
constexpr int PreviewHeight = PreviewWidth * rf::CompanyLogo::BuiltInHeight / rf::CompanyLogo::BuiltInWidth;
constexpr int IconSize = 34;

QPushButton* makeButton(const QString& objectName, const QString& text, int width)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setFixedSize(width, 28);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

rf::PictureButton* makeIcon(const QString& objectName, const QString& picture, const QString& hint)
{
    auto* icon = new rf::PictureButton(picture);
    icon->setObjectName(objectName);
    icon->setFixedSize(IconSize, IconSize);
    icon->setToolTip(hint);
    return icon;
}

} // namespace

TfrmLogo::TfrmLogo(rf::Context& context, QWidget* owner) : QDialog(owner), m_context(context)
{
    setObjectName(QStringLiteral("frmLogo"));
    setWindowTitle(QStringLiteral(" Impostazione logo"));
    rf::Form::dialogFrame(this, ClientWidth, ClientHeight);
    rf::Form::gradientBackground(this, rf::Form::SteelBlue, rf::Form::WhiteFill);
    setStyleSheet(QStringLiteral(
        "QFrame#panLogo, QFrame#panComandi { background: rgba(255, 255, 255, 200);"
        " border: 1px solid #8FAFCB; border-radius: 6px; }"
        "QFrame#shpLogo { background: white; border: 1px solid #C5D5E4; }"));

    // The picture on a white sheet with a hairline frame, so even the blank logo shows its place.
    m_imgLogo = new rf::PhotoView;
    m_imgLogo->setObjectName(QStringLiteral("imgLogo"));
    m_imgLogo->setFixedSize(PreviewWidth, PreviewHeight);
    auto* sheet = new QFrame;
    sheet->setObjectName(QStringLiteral("shpLogo"));
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(1, 1, 1, 1);
    sheetLayout->addWidget(m_imgLogo);
    auto* logoPanel = new QFrame;
    logoPanel->setObjectName(QStringLiteral("panLogo"));
    auto* logoLayout = new QVBoxLayout(logoPanel);
    logoLayout->setContentsMargins(12, 12, 12, 12);
    logoLayout->addWidget(sheet, 0, Qt::AlignCenter);

    m_btnSfoglia = makeButton(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), 120);
    m_imgEuro = makeIcon(QStringLiteral("imgEuro"), QStringLiteral(":/contracts/euro_icon.svg"),
                         QStringLiteral("Logo predefinito"));
    m_btnCancLogo = makeIcon(QStringLiteral("btnCancLogo"), QStringLiteral(":/contracts/eraser_icon.svg"),
                             QStringLiteral("Nessun logo"));
    auto* commandPanel = new QFrame;
    commandPanel->setObjectName(QStringLiteral("panComandi"));
    auto* commandLayout = new QVBoxLayout(commandPanel);
    commandLayout->setContentsMargins(12, 14, 12, 14);
    commandLayout->setSpacing(14);
    commandLayout->addWidget(m_btnSfoglia, 0, Qt::AlignHCenter);
    auto* icons = new QHBoxLayout;
    icons->setSpacing(16);
    icons->addStretch(1);
    icons->addWidget(m_imgEuro);
    icons->addWidget(m_btnCancLogo);
    icons->addStretch(1);
    commandLayout->addLayout(icons);
    commandLayout->addStretch(1);

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(logoPanel);
    body->addWidget(commandPanel, 1);

    m_btnApplica = makeButton(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), 130);
    m_btnAnnulla = makeButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), 100);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_btnApplica);
    buttons->addWidget(m_btnAnnulla);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_btnSfoglia, &QPushButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(m_imgEuro, &rf::PictureButton::clicked, this,
            [this] { setLogo(rf::CompanyLogo::builtInLogo()); });
    connect(m_btnCancLogo, &rf::PictureButton::clicked, this,
            [this] { setLogo(rf::CompanyLogo::blankLogo()); });
    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLogo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        setLogo(rf::CompanyLogo::loadLogo(m_context.programFolder()));
}

void TfrmLogo::setLogo(const QImage& logo)
{
    m_logo = logo;
    m_imgLogo->setImage(logo);
}

void TfrmLogo::btnSfogliaClick()
{
    const QString chosen = m_context.dialogs().openFile(
        this, QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."), QString(),
        QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)"));
    if (chosen.isEmpty())
        return;
    const QImage picture = rf::CompanyLogo::loadPicture(chosen);
    setLogo(picture.isNull() ? rf::CompanyLogo::builtInLogo() : picture);
}

void TfrmLogo::btnApplicaClick()
{
    if (!rf::CompanyLogo::saveLogo(m_context.programFolder(), m_logo))
        setLogo(rf::CompanyLogo::builtInLogo());
    accept();
}
