#include "TfrmLogo.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "common/ui/PictureButton.h"
#include "contracts/CompanyLogo.h"
#include "common/ui/PhotoView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rf {

namespace {

// The preview is as large as the built-in logo, which so shows pixel for pixel.
constexpr int PreviewWidth = CompanyLogo::BuiltInWidth;
constexpr int PreviewHeight = CompanyLogo::BuiltInHeight;
constexpr int Margin = 14;
constexpr int PanelMargin = 12; // inside the panel's border, around the sheet's border
constexpr int ColumnWidth = 150;
constexpr int ClientWidth = Margin + (PanelMargin + 2) * 2 + PreviewWidth + Margin + ColumnWidth + Margin;
constexpr int ClientHeight = Margin + (PanelMargin + 2) * 2 + PreviewHeight + Margin;
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

PictureButton* makeIcon(const QString& objectName, const QString& picture, const QString& hint)
{
    auto* icon = new PictureButton(picture);
    icon->setObjectName(objectName);
    icon->setFixedSize(IconSize, IconSize);
    icon->setToolTip(hint);
    return icon;
}

} // namespace

TfrmLogo::TfrmLogo(Context& context, QWidget* owner) : QDialog(owner), m_context(context)
{
    setObjectName(QStringLiteral("frmLogo"));
    setWindowTitle(QStringLiteral(" Impostazione logo"));
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, Form::SteelBlue, Form::WhiteFill);
    setStyleSheet(QStringLiteral("QFrame#panLogo, QFrame#panComandi { background: rgba(255, 255, 255, 200);"
                                 " border: 1px solid #8FAFCB; border-radius: 6px; }"
                                 "QFrame#shpLogo { background: white; border: 1px solid #C5D5E4; }"));

    // The picture on a white sheet with a hairline frame, so even the blank logo shows its place.
    m_imgLogo = new PhotoView;
    m_imgLogo->setObjectName(QStringLiteral("imgLogo"));
    m_imgLogo->setFixedSize(PreviewWidth, PreviewHeight);
    auto* sheet = new QFrame;
    sheet->setObjectName(QStringLiteral("shpLogo"));
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(m_imgLogo);
    auto* logoPanel = new QFrame;
    logoPanel->setObjectName(QStringLiteral("panLogo"));
    auto* logoLayout = new QVBoxLayout(logoPanel);
    logoLayout->setContentsMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin);
    logoLayout->addWidget(sheet);

    // Right: the three ways to change the picture, then the two closing buttons at the bottom.
    m_btnSfoglia = makeButton(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), 120);
    m_imgEuro = makeIcon(QStringLiteral("imgEuro"), QStringLiteral(":/contracts/euro_icon.svg"),
                         QStringLiteral("Logo predefinito"));
    m_btnCancLogo = makeIcon(QStringLiteral("btnCancLogo"), QStringLiteral(":/contracts/eraser_icon.svg"),
                             QStringLiteral("Nessun logo"));
    auto* commandPanel = new QFrame;
    commandPanel->setObjectName(QStringLiteral("panComandi"));
    auto* commandLayout = new QVBoxLayout(commandPanel);
    commandLayout->setContentsMargins(PanelMargin, 14, PanelMargin, 12);
    commandLayout->setSpacing(12);
    commandLayout->addWidget(m_btnSfoglia, 0, Qt::AlignHCenter);
    auto* icons = new QHBoxLayout;
    icons->setSpacing(18);
    icons->addStretch(1);
    icons->addWidget(m_imgEuro);
    icons->addWidget(m_btnCancLogo);
    icons->addStretch(1);
    commandLayout->addLayout(icons);

    m_btnApplica = makeButton(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), ColumnWidth);
    m_btnAnnulla = makeButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), ColumnWidth);
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(commandPanel);
    column->addStretch(1);
    column->addWidget(m_btnApplica);
    column->addWidget(m_btnAnnulla);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Margin);
    layout->addWidget(logoPanel);
    layout->addLayout(column);

    connect(m_btnSfoglia, &QPushButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(m_imgEuro, &PictureButton::clicked, this,
            [this] { setLogo(CompanyLogo::builtInLogo()); });
    connect(m_btnCancLogo, &PictureButton::clicked, this,
            [this] { setLogo(CompanyLogo::blankLogo()); });
    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLogo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        setLogo(CompanyLogo::loadLogo(m_context.programFolder()));
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
    const QImage picture = CompanyLogo::loadPicture(chosen);
    setLogo(picture.isNull() ? CompanyLogo::builtInLogo() : picture);
}

void TfrmLogo::btnApplicaClick()
{
    if (!CompanyLogo::saveLogo(m_context.programFolder(), m_logo))
        setLogo(CompanyLogo::builtInLogo());
    accept();
}

} // namespace rf
