#pragma once

#include <QWidget>

class QLineEdit;

namespace rf {

class Context;
class PictureButton;

// The booking text of the day and interval dialogs: the edit txtPrenotazione (at most 50
// characters) with its two small commands, cmdClipboard (copy the text as typed) and cmdCancella
// (empty it).
class BookingText : public QWidget {
    Q_OBJECT
public:
    BookingText(Context& context, QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_txtPrenotazione; }
    QString text() const;
    // The text without blanks at either end, as it is stored.
    QString trimmed() const;
    void setText(const QString& text);

    void cmdClipboardClick();
    void cmdCancellaClick();

signals:
    void textChanged(const QString& text);

private:
    Context& m_context;
    QLineEdit* m_txtPrenotazione;
};

} // namespace rf
