#include "BookingText.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "storage/CountedString.h"

#include <QHBoxLayout>
#include <QLineEdit>

namespace rf {

BookingText::BookingText(Context& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    m_txtPrenotazione = new QLineEdit;
    m_txtPrenotazione->setObjectName(QStringLiteral("txtPrenotazione"));
    m_txtPrenotazione->setMaxLength(50);
    m_txtPrenotazione->setFont(Style::font(Style::Family::Verdana, 14, true));
    m_txtPrenotazione->setMinimumHeight(30);
    Form::highlightByBackground(m_txtPrenotazione);
    PictureButton* copy =
        PictureButton::create(QStringLiteral(":/planner/copy.svg"), QStringLiteral("cmdClipboard"),
                              QSize(26, 26), QStringLiteral("Copia il testo in memoria"));
    PictureButton* clear =
        PictureButton::create(QStringLiteral(":/toolbar/clear.svg"), QStringLiteral("cmdCancella"),
                              QSize(26, 26), QStringLiteral("Cancella il testo"));
    connect(copy, &PictureButton::clicked, this, &BookingText::cmdClipboardClick);
    connect(clear, &PictureButton::clicked, this, &BookingText::cmdCancellaClick);
    connect(m_txtPrenotazione, &QLineEdit::textChanged, this, &BookingText::textChanged);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(m_txtPrenotazione, 1);
    row->addWidget(copy);
    row->addWidget(clear);
    setFocusProxy(m_txtPrenotazione);
}

QString BookingText::text() const
{
    return m_txtPrenotazione->text();
}

QString BookingText::trimmed() const
{
    return trimControl(text());
}

void BookingText::setText(const QString& text)
{
    m_txtPrenotazione->setText(text);
}

void BookingText::cmdClipboardClick()
{
    if (trimmed().isEmpty()) {
        m_context.messages().warning(
            window(),
            QStringLiteral("Attenzione: il campo di testo non contiene nessun dato da copiare in memoria."));
        m_txtPrenotazione->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_context.clipboard().setText(text());
    m_context.messages().information(
        window(), QStringLiteral("Il contenuto del campo di testo è stato copiato in memoria."));
}

void BookingText::cmdCancellaClick()
{
    m_txtPrenotazione->clear();
    m_txtPrenotazione->setFocus(Qt::OtherFocusReason);
}

} // namespace rf
