#include "common/ui/CommandBar.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Status.h"
#include "common/ui/Style.h"
#include "common/ui/TfrmGuida.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace rf;
using namespace rf::Test;

namespace {

// The colour of a control's left edge, halfway down: where its focus frame is drawn.
QRgb leftEdge(QWidget* control)
{
    const QImage image = control->grab().toImage();
    return image.pixel(1, image.height() / 2);
}

// A window with a status strip, a command bar of three commands and an edit below it.
struct Bar {
    QWidget window;
    QLabel* panInfo = Status::makeStrip(&window, QStringLiteral("Pronto."));
    CommandBar* bar = new CommandBar(panInfo, &window);
    QLineEdit* edit = nullptr;
    int exported = 0;
    int saved = 0;
    PictureButton* cmdEsporta = bar->add(QStringLiteral("cmdEsporta"), QStringLiteral("export"),
                                         QStringLiteral("Esporta."), [this] { ++exported; });
    PictureButton* cmdSalva = bar->add(
        QStringLiteral("cmdSalva"), QStringLiteral("save"), QStringLiteral("Salva."), [this] { ++saved; },
        QKeySequence(Qt::CTRL | Qt::Key_A));
    PictureButton* cmdNuovo =
        bar->add(QStringLiteral("cmdNuovo"), QStringLiteral("new"), QStringLiteral("Nuovo."), {});

    Bar()
    {
        edit = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addWidget(edit);
        layout->addWidget(panInfo->parentWidget());
        window.show();
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void enterPressesTheFocusedButtonOnly_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }

    void enterPressesTheFocusedButtonOnly()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QDialog dialog;
        auto* edit = new QLineEdit(&dialog);
        QPushButton* ok = Style::button(QStringLiteral("btnOk"), QStringLiteral("OK"), {}, &dialog);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(edit);
        layout->addWidget(ok);
        int pressed = 0;
        connect(ok, &QPushButton::clicked, [&pressed] { ++pressed; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // Enter in an edit never reaches a button: the button is nobody's default.
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key), modifiers);
        QCOMPARE(pressed, 0);
        QVERIFY(dialog.isVisible());
        const QRgb unfocused = leftEdge(ok);
        ok->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ok, Qt::Key(key), modifiers);
        QCOMPARE(pressed, 1);
        // The focused button is framed in the focus colour, plainly unlike its usual border.
        QTRY_COMPARE(leftEdge(ok), Style::FocusRing);
        QVERIFY(unfocused != Style::FocusRing);
    }

    void tabAndEnterCloseTheGuide()
    {
        FakeContext fake;
        TfrmGuida guide(fake.context(), nullptr);
        guide.setTopic(QStringLiteral("Argomento"), QStringLiteral("Testo"));
        guide.show();
        QVERIFY(QTest::qWaitForWindowActive(&guide));
        child<QPlainTextEdit>(&guide, QStringLiteral("txtGuida"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(&guide, QStringLiteral("btnChiudi")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!guide.isVisible());
        QCOMPARE(guide.result(), int(QDialog::Accepted));
    }

    void commandShortcutsFireFromAnEditAndAreNamedInTheHints()
    {
        Bar w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.edit->setText(QStringLiteral("Rossi"));
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.exported, 1);
        // A key the edit has a use for too (here "select all") presses the command.
        QTest::keyClick(w.edit, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!w.edit->hasSelectedText());
        QTest::keyClick(w.edit, Qt::Key_S, Qt::ControlModifier); // replaced by the shortcut given
        QCOMPARE(w.saved, 1);
        QTest::keyClick(w.edit, Qt::Key_N, Qt::ControlModifier); // a command not available
        QCOMPARE(w.edit->text(), QStringLiteral("Rossi"));
        QCOMPARE(Status::hintOf(w.cmdEsporta), QStringLiteral("Esporta. (Ctrl+E)"));
        QCOMPARE(Status::hintOf(w.cmdSalva), QStringLiteral("Salva. (Ctrl+A)"));
        QCOMPARE(Status::hintOf(w.cmdNuovo), QStringLiteral("Nuovo. (Ctrl+N)"));
        QCOMPARE(CommandBar::keyText(CommandBar::defaultShortcut(QStringLiteral("cmdUltimo"))),
                 QStringLiteral("Alt+Fine"));
        QCOMPARE(CommandBar::keyText(CommandBar::defaultShortcut(QStringLiteral("cmdEsci"))),
                 QStringLiteral("Esc"));
    }

    void commandPicturesAreReachedByTabAndPressedByEnterOrSpace()
    {
        Bar w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.cmdEsporta);
        QCOMPARE(w.panInfo->text(), QStringLiteral("Esporta. (Ctrl+E)")); // the hint, as under the pointer
        QTRY_COMPARE(leftEdge(w.cmdEsporta), Style::FocusRing);
        QTest::keyClick(w.cmdEsporta, Qt::Key_Return);
        QTest::keyClick(w.cmdEsporta, Qt::Key_Space);
        QCOMPARE(w.exported, 2);
        QTest::keyClick(w.cmdEsporta, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.cmdSalva);
        QTRY_VERIFY(leftEdge(w.cmdEsporta) != Style::FocusRing);
        // A click does not take the focus from where the user is typing.
        w.edit->setFocus();
        QVERIFY(click(&w.window, QStringLiteral("cmdSalva")));
        QCOMPARE(w.saved, 1);
        QVERIFY(w.edit->hasFocus());
    }

    void commandPicturesAreNamedByTheirHints_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("newHint");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("a command and its keys") << "cmdEsporta" << QString() << "Esporta"
                                                << "Esporta. (Ctrl+E)";
        QTest::newRow("hint replaced by the window") << "cmdSalva"
                                                     << "Salva la scheda. Resta aperta."
                                                     << "Salva la scheda"
                                                     << "Salva la scheda. Resta aperta. (Ctrl+A)";
        QTest::newRow("a picture with no keys") << "btnLogo" << QString() << "Carica il logo" << QString();
    }
    // Screen readers and test tools read a picture button by the hint the status strip shows.
    void commandPicturesAreNamedByTheirHints()
    {
        QFETCH(QString, button);
        QFETCH(QString, newHint);
        QFETCH(QString, name);
        QFETCH(QString, description);
        Bar w;
        PictureButton* logo = PictureButton::create(QStringLiteral(":/toolbar/logo.svg"),
                                                    QStringLiteral("btnLogo"), QSize(32, 32), {}, &w.window);
        Status::hint(logo, w.panInfo, QStringLiteral("Carica il logo."));
        auto* picture = child<PictureButton>(&w.window, button);
        QVERIFY(picture);
        if (!newHint.isEmpty())
            Status::hint(picture, w.panInfo, newHint);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(read);
        QCOMPARE(read->text(QAccessible::Name), name);
        QCOMPARE(read->text(QAccessible::Description), description);
    }
};

RF_REGISTER_TEST(KeyboardTest)
#include "KeyboardTest.moc"
