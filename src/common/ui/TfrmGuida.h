#pragma once

#include "common/ui/FixedDialog.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace rf {

namespace Guide {
// Paragraphs separated by one blank line (CR LF CR LF), nothing after the last one.
QString join(const QStringList& paragraphs);
} // namespace Guide

// The modal help window: a topic title, its text, and a link to the help document.
class TfrmGuida : public FixedDialog {
    Q_OBJECT
public:
    // Client area inside the fixed single border; with the border the window measures 676 x 598.
    static constexpr int ClientWidth = 670;
    static constexpr int ClientHeight = 572;

    TfrmGuida(Context& context, QWidget* parent);

    void setTopic(const QString& title, const QString& body);

    // Creates the window over owner, shows the topic (its paragraphs, or its whole text) modally and
    // destroys the window.
    static void showGuide(Context& context, QWidget* owner, const QString& title,
                          const QStringList& paragraphs);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_lblTitolo;
    QPlainTextEdit* m_txtGuida;
};

} // namespace rf
