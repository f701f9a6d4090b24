#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// What the login and change-password windows share: a fixed frame on the gradient, the banner,
// masked password fields, and OK (enabled only while every field holds a password) beside the
// button that leaves. The first field has the focus whenever the window shows.
class PasswordWindow : public QWidget {
    Q_OBJECT
protected:
    // leaveCaption is the leaving button's ("Esci", "Chiudi").
    PasswordWindow(Context& context, QWidget* parent, const QString& objectName, const QString& title,
                   const QSize& size, const QString& leaveCaption);

    // The banner picture imgLogo, scaled to fit a box of the given size.
    QLabel* makeBanner(const QSize& box);
    // A masked password field, in the order the fields are filled.
    QLineEdit* makeField(const QString& objectName);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    virtual void cmdOKClick() = 0;
    // The window is closing (by its button or the title bar).
    virtual void closing() = 0;

    Context& m_context;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdEsci;
    std::vector<QLineEdit*> m_fields;

private:
    void updateOK();
};

} // namespace rf
