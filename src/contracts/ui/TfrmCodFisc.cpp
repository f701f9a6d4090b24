#include "TfrmCodFisc.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "contracts/FiscalChecks.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>

namespace rf {

namespace {

constexpr int ClientWidth = 440;
constexpr int ClientHeight = 292;
const QSize BannerBox(420, 96);

const QString WrongLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString Valid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString Wrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");

QLabel* makeBanner(QWidget* parent, const QString& resource)
{
    auto* imgBanner = new QLabel(parent);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setFixedSize(BannerBox);
    imgBanner->setAlignment(Qt::AlignCenter);
    imgBanner->setStyleSheet(QStringLiteral("background: white; border: 1px solid #8FAFCB;"));
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        renderer.load(QStringLiteral(":/app/banner.svg"));
    if (!renderer.isValid())
        return imgBanner;
    // Drawn at twice the size so it stays sharp on high-density screens.
    constexpr qreal ratio = 2.0;
    const QSize picture = renderer.defaultSize().scaled(BannerBox - QSize(2, 2), Qt::KeepAspectRatio);
    QPixmap pixmap(picture * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    imgBanner->setPixmap(pixmap);
    return imgBanner;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFixedSize(110, 32);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

CheckDialogControls buildCheckDialog(QDialog* dialog, const QString& banner, const QString& prompt,
                                     const QString& editName, const QString& effName, int maxLength)
{
    Form::dialogFrame(dialog, ClientWidth, ClientHeight);
    Form::gradientBackground(dialog, Form::SteelBlue, Form::WhiteFill);

    auto* lblIstruzioni = new QLabel(prompt, dialog);
    lblIstruzioni->setObjectName(QStringLiteral("lblIstruzioni"));
    lblIstruzioni->setWordWrap(true);
    lblIstruzioni->setAlignment(Qt::AlignCenter);
    QFont promptFont(QStringLiteral("Verdana"));
    promptFont.setPixelSize(12);
    promptFont.setBold(true);
    lblIstruzioni->setFont(promptFont);
    lblIstruzioni->setStyleSheet(QStringLiteral("color: #1F2A44; background: transparent;"));
    // Two lines of about even length read better than a long line and a lone last word.
    const int textWidth = QFontMetrics(promptFont).horizontalAdvance(prompt);
    lblIstruzioni->setFixedWidth(std::min(ClientWidth - 40, textWidth / 2 + 80));

    CheckDialogControls controls;
    controls.edit = new QLineEdit(dialog);
    controls.edit->setObjectName(editName);
    controls.edit->setMaxLength(maxLength);
    controls.edit->setAlignment(Qt::AlignCenter);
    QFont editFont(QStringLiteral("Verdana"));
    editFont.setPixelSize(16);
    editFont.setBold(true);
    editFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    controls.edit->setFont(editFont);
    controls.edit->setFixedSize(280, 30);
    controls.edit->setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: #1F2A44; border: 1px solid #87CEEB; border-radius: 3px; }"));
    QWidget* editHolder = Form::highlightByRectangle(controls.edit, effName);

    controls.btnControlla = makeButton(dialog, QStringLiteral("btnControlla"), QStringLiteral("Controlla"));
    controls.btnChiudi = makeButton(dialog, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    Form::enterMovesTo(controls.edit, controls.btnControlla);
    QObject::connect(controls.btnChiudi, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(10, 10, 10, 16);
    layout->setSpacing(6);
    layout->addWidget(makeBanner(dialog, banner), 0, Qt::AlignHCenter);
    layout->addStretch(1);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(4);
    column->addWidget(lblIstruzioni, 0, Qt::AlignHCenter);
    column->addWidget(editHolder, 0, Qt::AlignHCenter);
    layout->addLayout(column);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch(1);
    buttons->addWidget(controls.btnControlla);
    buttons->addWidget(controls.btnChiudi);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    dialog->setTabOrder(controls.edit, controls.btnControlla);
    dialog->setTabOrder(controls.btnControlla, controls.btnChiudi);
    return controls;
}

TfrmCodFisc::TfrmCodFisc(Context& context, QWidget* owner) : QDialog(owner), m_context(context)
{
    setObjectName(QStringLiteral("frmCodFisc"));
    setWindowTitle(QStringLiteral(" Controllo codice fiscale"));
    const CheckDialogControls controls = buildCheckDialog(
        this, QStringLiteral(":/contracts/fiscal_codice.svg"),
        QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
        QStringLiteral("txtCodFisc"), QStringLiteral("effCodFisc"), 16);
    txtCodFisc = controls.edit;
    btnControlla = controls.btnControlla;
    btnChiudi = controls.btnChiudi;
    Form::capitalsWhileTyping(txtCodFisc, true);
    connect(btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
}

void TfrmCodFisc::setCode(const QString& code)
{
    txtCodFisc->setText(code);
}

void TfrmCodFisc::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::btnControllaClick()
{
    const QString code = Form::capitalsAtoZ(txtCodFisc->text());
    if (code.size() != 16) {
        m_context.messages().warning(this, WrongLength);
        txtCodFisc->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (Fiscal::isValidFiscalCode(code))
        m_context.messages().information(this, Valid);
    else
        m_context.messages().warning(this, Wrong);
    accept();
}

} // namespace rf
