#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rf {

namespace Guide {
// Paragraphs separated by one blank line (CR LF CR LF), nothing after the last one.
QString join(const QStringList& paragraphs);
} // namespace Guide

class Context;
class LinkLabel;

// The modal help window: a topic title, its text, and a link to the help document.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    // Client area inside the fixed single border; with the border the window measures 676 x 598.
    static constexpr int ClientWidth = 670;
    static constexpr int ClientHeight = 572;

    TfrmGuida(Context& context, QWidget* parent);

    void setTopic(const QString& title, const QString& body);

    // Creates the window over owner, shows the topic modally and destroys the window.
    static void showGuide(Context& context, QWidget* owner, const QString& title, const QString& body);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Context& m_context;
    QLabel* m_lblTitolo;
    QPlainTextEdit* m_txtGuida;
    LinkLabel* m_lnkWeb;
    QPushButton* m_btnChiudi;
};

} // namespace rf
