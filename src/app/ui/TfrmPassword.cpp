#include "TfrmPassword.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"

#include "app/PasswordStore.h"
#include "app/Product.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace rf {

QLabel* makePasswordBanner(QWidget* parent, const QSize& box)
{
    auto* imgLogo = new QLabel(parent);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(box);
    imgLogo->setAlignment(Qt::AlignCenter);
    QSvgRenderer renderer(QStringLiteral(":/app/banner.svg"));
    if (!renderer.isValid())
        return imgLogo;
    // Drawn at twice the size so it stays sharp on high-density screens.
    constexpr qreal ratio = 2.0;
    const QSize picture = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap(picture * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    imgLogo->setPixmap(pixmap);
    return imgLogo;
}

QLineEdit* makePasswordEdit(QWidget* parent, const QString& objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(14);
    font.setBold(true);
    edit->setFont(font);
    edit->setMinimumHeight(28);
    return edit;
}

namespace {
const QString WrongPassword = QStringLiteral("Attenzione: password errata.");
const QString ReadError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                   "della password. Si consiglia di reinstallare il software.");

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text, int width)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFixedSize(width, 32);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
} // namespace

TfrmPassword::TfrmPassword(Context& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral(" %1 - Accesso").arg(QLatin1String(Product::Name)));
    Form::dialogFrame(this, 388, 405);
    Form::gradientBackground(this, Form::SteelBlue, 0xFFFFFFFF);

    auto* prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    QFont promptFont(QStringLiteral("Verdana"));
    promptFont.setPixelSize(13);
    promptFont.setBold(true);
    prompt->setFont(promptFont);
    prompt->setStyleSheet(QStringLiteral("color: #1F2A44;"));

    txtPassword = makePasswordEdit(this, QStringLiteral("txtPassword"));
    QWidget* passwordHolder = Form::highlightByRectangle(txtPassword, QStringLiteral("effPassword"));

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 110);
    cmdOK->setEnabled(false);
    cmdEsci = makeButton(this, QStringLiteral("cmdEsci"), QStringLiteral("Esci"), 110);
    btnCambiaPassword =
        makeButton(this, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), 236);

    // The banner spans the window; the controls below sit in a narrower column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 20);
    layout->setSpacing(6);
    layout->addWidget(makePasswordBanner(this, QSize(372, 110)), 0, Qt::AlignHCenter);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(6);
    column->addStretch(2);
    column->addWidget(prompt);
    column->addWidget(passwordHolder);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addSpacing(10);
    column->addWidget(btnCambiaPassword, 0, Qt::AlignHCenter);
    column->addStretch(1);
    layout->addLayout(column, 1);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::updateOK);
    connect(txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (cmdOK->isEnabled())
            cmdOKClick();
    });
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::changePasswordRequested);
}

void TfrmPassword::resetForReturn()
{
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_granted)
        emit exitRequested();
}

void TfrmPassword::updateOK()
{
    cmdOK->setEnabled(!PasswordStore::trimmed(txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    const std::optional<QString> expected =
        PasswordStore(m_context.path(QLatin1String(PasswordStore::FileName))).read();
    if (!expected) {
        m_context.messages().plain(this, ReadError);
        return;
    }
    if (PasswordStore::storedForm(txtPassword->text()) == *expected) {
        m_granted = true;
        emit accessGranted();
        return;
    }
    m_context.messages().plain(this, WrongPassword);
    resetForReturn();
}

} // namespace rf
