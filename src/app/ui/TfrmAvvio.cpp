#include "TfrmAvvio.h"

#include "app/GuideTexts.h"
#include "app/Product.h"
#include "app/ui/TfrmInfo.h"
#include "app/ui/TfrmSplash.h"
#include "common/ui/Context.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Style.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/WorkWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace rf {

namespace {
constexpr QSize CornerIcon(48, 48);
constexpr QSize CreditsIcon(34, 34);
constexpr QSize TilePicture(200, 200);
constexpr QSize TileButton(200, 39);
constexpr QSize TileCard(226, 290);

} // namespace

TfrmAvvio::TfrmAvvio(Context& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmAvvio"));
    setWindowTitle(QStringLiteral(" Rotaflux"));
    setMinimumSize(WorkWindow::DesignSize);
    Style::gradientBackground(this);

    // The panel keeps its size and sits in the middle of the window, maximised or not.
    auto* centre = new QHBoxLayout;
    centre->addStretch(1);
    centre->addWidget(buildPanel());
    centre->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addLayout(centre);
    layout->addStretch(1);
    // Tab goes from tile to tile, in the order they are shown.
    for (std::size_t i = 1; i < m_tiles.size(); ++i)
        setTabOrder(m_tiles[i - 1], m_tiles[i]);
}

void TfrmAvvio::showWindow()
{
    showMaximized();
    raise();
    activateWindow();
    if (!m_tiles.empty() && !std::count(m_tiles.begin(), m_tiles.end(), focusWidget()))
        m_tiles.front()->setFocus(Qt::OtherFocusReason);
}

void TfrmAvvio::keyPressEvent(QKeyEvent* event)
{
    // The arrows move along the row of tiles, round from the last to the first.
    const int key = event->key();
    const int step = key == Qt::Key_Right || key == Qt::Key_Down ? 1
                     : key == Qt::Key_Left || key == Qt::Key_Up  ? -1
                                                                 : 0;
    const auto current = std::find(m_tiles.begin(), m_tiles.end(), focusWidget());
    if (step == 0 || m_tiles.empty() || event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int count = int(m_tiles.size());
    const int at = current == m_tiles.end() ? (step > 0 ? -1 : 0) : int(current - m_tiles.begin());
    m_tiles[std::size_t((at + step + count) % count)]->setFocus(Qt::TabFocusReason);
    event->accept();
}

void TfrmAvvio::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit exitRequested();
}

QWidget* TfrmAvvio::buildPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("panAvvio"));
    panel->setFixedSize(PanelWidth, PanelHeight);
    QLayout* top = buildTop();
    QLayout* tiles = buildTiles();
    QLayout* bottom = buildBottom();

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(SvgPicture::create(QStringLiteral(":/app/subtitle.svg"),
                                         QStringLiteral("imgSottotitolo"), QSize(920, 44)),
                      0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addLayout(tiles);
    layout->addStretch(1);
    layout->addLayout(bottom);
    return panel;
}

// The title between the information and guide icons.
QLayout* TfrmAvvio::buildTop()
{
    auto* imgInfo = PictureButton::create(QStringLiteral(":/app/icon_info.svg"), QStringLiteral("imgInfo"),
                                          CornerIcon, QStringLiteral("Informazioni su Rotaflux"));
    auto* imgGuida = PictureButton::create(QStringLiteral(":/app/icon_help.svg"), QStringLiteral("imgGuida"),
                                           CornerIcon, QStringLiteral("Guida all'utilizzo del software"));
    connect(imgInfo, &PictureButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmAvvio::imgGuidaClick);

    auto* top = new QHBoxLayout;
    top->addWidget(imgInfo, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(SvgPicture::create(QStringLiteral(":/app/title.svg"), QStringLiteral("icoTitoloApp"),
                                      QSize(420, 110)));
    top->addStretch(1);
    top->addWidget(imgGuida, 0, Qt::AlignTop);
    return top;
}

// The four work areas' tiles.
QLayout* TfrmAvvio::buildTiles()
{
    auto* tiles = new QHBoxLayout;
    tiles->setSpacing(0);
    tiles->addStretch(1);
    tiles->addWidget(buildTile(1, QStringLiteral("tile_fleet"), QStringLiteral("btn_fleet"),
                               QStringLiteral("Flotta Bici: le schede dei veicoli"), &TfrmAvvio::openFleet));
    tiles->addStretch(1);
    tiles->addWidget(buildTile(2, QStringLiteral("tile_planner"), QStringLiteral("btn_planner"),
                               QStringLiteral("Planner Prenotazioni: il planning e il tabellone"),
                               &TfrmAvvio::openPlanner));
    tiles->addStretch(1);
    tiles->addWidget(buildTile(3, QStringLiteral("tile_contracts"), QStringLiteral("btn_contracts"),
                               QStringLiteral("Contratti di Noleggio"), &TfrmAvvio::openContracts));
    tiles->addStretch(1);
    tiles->addWidget(buildTile(4, QStringLiteral("tile_today"), QStringLiteral("btn_today"),
                               QStringLiteral("Oggi: fuori, da riconsegnare, in ritardo e ritiri"),
                               &TfrmAvvio::openToday));
    tiles->addStretch(1);
    return tiles;
}

// Credits and backup on the left, the web site in the middle, statistics and exit on the right.
QLayout* TfrmAvvio::buildBottom()
{
    auto* imgCrediti =
        PictureButton::create(QStringLiteral(":/app/icon_credits.svg"), QStringLiteral("imgCrediti"),
                              CreditsIcon, QStringLiteral("Riconoscimenti"));
    auto* imgSito = PictureButton::create(QStringLiteral(":/app/footer_site.svg"), QStringLiteral("imgSito"),
                                          QSize(348, 44), QString::fromUtf8(Product::WebSite));
    auto* imgEsci = PictureButton::create(QStringLiteral(":/app/icon_exit.svg"), QStringLiteral("imgEsci"),
                                          CornerIcon, QStringLiteral("Esci"));
    auto* imgStatistiche = PictureButton::create(
        QStringLiteral(":/app/icon_stats.svg"), QStringLiteral("imgStatistiche"), CornerIcon,
        QStringLiteral("Statistiche della stagione: noleggi, incassi e veicoli"));
    auto* imgCopia =
        PictureButton::create(QStringLiteral(":/app/icon_backup.svg"), QStringLiteral("imgCopia"), CornerIcon,
                              QStringLiteral("Copia di sicurezza"));
    connect(imgStatistiche, &PictureButton::clicked, this, &TfrmAvvio::openStatistics);
    connect(imgCopia, &PictureButton::clicked, this, &TfrmAvvio::openBackup);
    connect(imgCrediti, &PictureButton::clicked, this, &TfrmAvvio::imgCreditiClick);
    connect(imgSito, &PictureButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &PictureButton::clicked, this, &QWidget::close);

    // The side icons take the same width so the strip between them stays centred.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(imgCrediti, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addSpacing(CornerIcon.width() - CreditsIcon.width() + 12);
    bottom->addWidget(imgCopia, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(imgSito, 0, Qt::AlignVCenter);
    bottom->addStretch(1);
    bottom->addWidget(imgStatistiche, 0, Qt::AlignBottom);
    bottom->addSpacing(12);
    bottom->addWidget(imgEsci, 0, Qt::AlignBottom);
    return bottom;
}

// A white card holding a work area's picture and its labelled button; both open the area.
QWidget* TfrmAvvio::buildTile(int number, const QString& tile, const QString& button, const QString& hint,
                              void (TfrmAvvio::*signal)())
{
    const QString suffix = QStringLiteral("App%1").arg(number, 2, 10, QLatin1Char('0'));
    auto* card = new QFrame;
    card->setObjectName(QStringLiteral("bkg") + suffix);
    card->setFixedSize(TileCard);
    card->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame#%1 { background: white; border: 1px solid @CardBorder;"
                                    " border-radius: 16px; }"))
            .arg(card->objectName()));
    auto* shadow = new QGraphicsDropShadowEffect(card);
    shadow->setBlurRadius(24);
    shadow->setOffset(0, 4);
    shadow->setColor(QColor::fromRgba(Style::Shadow));
    card->setGraphicsEffect(shadow);

    auto* img = PictureButton::create(QStringLiteral(":/app/%1.svg").arg(tile),
                                      QStringLiteral("img") + suffix, TilePicture, {});
    auto* btn = PictureButton::create(QStringLiteral(":/app/%1.svg").arg(button),
                                      QStringLiteral("btn") + suffix, TileButton, {});
    connect(img, &PictureButton::clicked, this, signal);
    connect(btn, &PictureButton::clicked, this, signal);

    // The labelled button is the tile's place in the keyboard's round: Tab and the arrows reach it,
    // Enter opens it, and its number opens it from anywhere in the launcher.
    const QString key = QString::number(number);
    const QString named = hint + QStringLiteral(" (tasto ") + key + QLatin1Char(')');
    btn->setFocusPolicy(Qt::StrongFocus);
    btn->setToolTip(named);
    img->setToolTip(named);
    btn->setAccessibleName(named);
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, btn, &PictureButton::click);
    m_tiles.push_back(btn);

    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(img, 0, Qt::AlignHCenter);
    layout->addWidget(btn, 0, Qt::AlignHCenter);
    return card;
}

void TfrmAvvio::imgInfoClick()
{
    TfrmInfo::showInfo(m_context, this);
}

void TfrmAvvio::imgGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, Guide::LauncherTitle, Guide::launcherParagraphs());
}

void TfrmAvvio::imgCreditiClick()
{
    TfrmSplash::showCredits(m_context, this);
}

void TfrmAvvio::imgSitoClick()
{
    m_context.shell().open(QString::fromUtf8(Product::WebSite));
}

} // namespace rf
