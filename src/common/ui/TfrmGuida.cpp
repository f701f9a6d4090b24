#include "TfrmGuida.h"

#include "common/ui/Context.h"
#include "common/ui/LinkLabel.h"
#include "storage/MessageBreaks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

QString Guide::join(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral(RF_BREAK_CR_LF));
}

TfrmGuida::TfrmGuida(Context& context, QWidget* parent)
    : FixedDialog(context, parent, QStringLiteral("frmGuida"),
                  QStringLiteral(" Guida all'utilizzo del software"), QSize(ClientWidth, ClientHeight))
{
    QLabel* imgLogo =
        makeBanner(QStringLiteral(":/app/banner.svg"), QSize(620, 84), QStringLiteral("imgLogo"));
    imgLogo->setFixedHeight(96);

    m_lblTitolo = new QLabel(QStringLiteral("Argomento della guida."));
    m_lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    m_lblTitolo->setFont(Style::pointFont(Style::Family::Arial, 16, true));
    QPalette titlePalette = m_lblTitolo->palette();
    titlePalette.setColor(QPalette::WindowText, QColor::fromRgba(Style::Crimson));
    m_lblTitolo->setPalette(titlePalette);

    m_txtGuida = new QPlainTextEdit;
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setTabChangesFocus(true); // Tab leads on to Chiudi
    m_txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_txtGuida->setFont(Style::pointFont(Style::Family::Verdana, 12, true));

    QHBoxLayout* footer = linkRow(context, QStringLiteral("Visualizza guida in formato PDF"),
                                  QLatin1Char('"') + context.installFolder() + QStringLiteral("Guida.pdf\""),
                                  QStringLiteral(":/app/icon_pdf.svg"), QStringLiteral("imgPDF"), 32, 36);
    footer->addStretch(1);
    footer->addWidget(makeCloseButton());

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

void TfrmGuida::showGuide(Context& context, QWidget* owner, const QString& title,
                          const QStringList& paragraphs)
{
    TfrmGuida guide(context, owner);
    guide.setTopic(title, Guide::join(paragraphs));
    guide.exec();
}

void TfrmGuida::showEvent(QShowEvent* event)
{
    // The size is set again on every show, whatever happened to the window before.
    setFixedSize(ClientWidth, ClientHeight);
    QDialog::showEvent(event);
}

} // namespace rf
