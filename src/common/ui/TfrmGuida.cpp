#include "TfrmGuida.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "common/ui/LinkLabel.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

QString Guide::join(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

namespace {
constexpr QRgb Crimson = 0xFFDC143C;
}

TfrmGuida::TfrmGuida(Context& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, Form::SteelBlue, Form::WhiteFill);

    auto* imgLogo =
        pictureLabel(QStringLiteral(":/app/banner.svg"), QSize(620, 84), QStringLiteral("imgLogo"));
    imgLogo->setFixedHeight(96);
    imgLogo->setStyleSheet(
        QStringLiteral("QLabel#imgLogo { background: white; border: 1px solid #8FAFCB; }"));

    m_lblTitolo = new QLabel(QStringLiteral("Argomento della guida."));
    m_lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont titleFont(QStringLiteral("Arial"), 16);
    titleFont.setBold(true);
    m_lblTitolo->setFont(titleFont);
    QPalette titlePalette = m_lblTitolo->palette();
    titlePalette.setColor(QPalette::WindowText, QColor::fromRgba(Crimson));
    m_lblTitolo->setPalette(titlePalette);

    m_txtGuida = new QPlainTextEdit;
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont textFont(QStringLiteral("Verdana"), 12);
    textFont.setBold(true);
    m_txtGuida->setFont(textFont);

    auto* imgPDF =
        pictureLabel(QStringLiteral(":/app/icon_pdf.svg"), QSize(32, 32), QStringLiteral("imgPDF"));
    imgPDF->setFixedSize(36, 36);
    m_lnkWeb = new LinkLabel(context, QStringLiteral("Visualizza guida in formato PDF"),
                             QLatin1Char('"') + context.programFolder() + QStringLiteral("Guida.pdf\""));
    m_lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    m_lnkWeb->attachIcon(imgPDF);

    m_btnChiudi = new QPushButton(QStringLiteral("Chiudi"));
    m_btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    m_btnChiudi->setMinimumSize(110, 32);
    m_btnChiudi->setAutoDefault(false);
    connect(m_btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* footer = new QHBoxLayout;
    footer->setSpacing(6);
    footer->addWidget(imgPDF);
    footer->addWidget(m_lnkWeb);
    footer->addStretch(1);
    footer->addWidget(m_btnChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(imgLogo);
    layout->addWidget(m_lblTitolo);
    layout->addWidget(m_txtGuida, 1);
    layout->addLayout(footer);
}

void TfrmGuida::setTopic(const QString& title, const QString& body)
{
    m_lblTitolo->setText(title);
    m_txtGuida->setPlainText(body);
}

void TfrmGuida::showGuide(Context& context, QWidget* owner, const QString& title, const QString& body)
{
    TfrmGuida guide(context, owner);
    guide.setTopic(title, body);
    guide.exec();
}

void TfrmGuida::showEvent(QShowEvent* event)
{
    // The size is set again on every show, whatever happened to the window before.
    setFixedSize(ClientWidth, ClientHeight);
    QDialog::showEvent(event);
}

} // namespace rf
