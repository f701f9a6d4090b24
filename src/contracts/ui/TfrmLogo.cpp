#include "TfrmLogo.h"

#include "common/ui/Context.h"
#include "common/ui/PhotoView.h"
#include "common/ui/PictureButton.h"
#include "contracts/CompanyLogo.h"

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

} // namespace

TfrmLogo::TfrmLogo(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmLogo"), QStringLiteral(" Impostazione logo"),
                  QSize(ClientWidth, ClientHeight))
{
    setStyleSheet(Style::sheet(
        QStringLiteral("QFrame#panLogo, QFrame#panComandi { background: @PanelWash;"
                       " border: 1px solid @PanelBorder; border-radius: 6px; }"
                       "QFrame#shpLogo { background: white; border: 1px solid @SheetBorder; }")));

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
    m_btnSfoglia = Style::button(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), QSize(120, 28));
    m_imgEuro = PictureButton::create(QStringLiteral(":/contracts/euro_icon.svg"), QStringLiteral("imgEuro"),
                                      QSize(IconSize, IconSize), QStringLiteral("Logo predefinito"));
    m_btnCancLogo =
        PictureButton::create(QStringLiteral(":/contracts/eraser_icon.svg"), QStringLiteral("btnCancLogo"),
                              QSize(IconSize, IconSize), QStringLiteral("Nessun logo"));
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

    m_btnApplica = Style::button(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"),
                                 QSize(ColumnWidth, 28));
    m_btnAnnulla =
        Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(ColumnWidth, 28));
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
    connect(m_imgEuro, &PictureButton::clicked, this, [this] { setLogo(CompanyLogo::builtInLogo()); });
    connect(m_btnCancLogo, &PictureButton::clicked, this, [this] { setLogo(CompanyLogo::blankLogo()); });
    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLogo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        setLogo(CompanyLogo::loadLogo(m_context.dataFolder()));
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
        Style::ImageFileFilter);
    if (chosen.isEmpty())
        return;
    const QImage picture = CompanyLogo::loadPicture(chosen);
    setLogo(picture.isNull() ? CompanyLogo::builtInLogo() : picture);
}

void TfrmLogo::btnApplicaClick()
{
    if (!CompanyLogo::saveLogo(m_context.dataFolder(), m_logo))
        setLogo(CompanyLogo::builtInLogo());
    accept();
}

} // namespace rf
