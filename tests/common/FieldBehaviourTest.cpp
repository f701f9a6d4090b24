#include "common/ui/Form.h"
#include "common/ui/Status.h"
#include "storage/Amounts.h"
#include "support/Gui.h"
#include "support/TestMain.h"
#include "support/Typing.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>

using namespace rf;

namespace {

// A pointer move over widget to the given point, as the window system reports it.
void moveOver(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class FieldBehaviourTest : public QObject {
    Q_OBJECT
private slots:
    void amountNormalisation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("integer") << "12"
                                 << "12,00";
        QTest::newRow("one decimal") << "0,5"
                                     << "0,50";
        QTest::newRow("leading zeros") << "007"
                                       << "7,00";
        QTest::newRow("third decimal rounds up") << "12,345"
                                                 << "12,35";
        QTest::newRow("tiny") << "0,004"
                              << "0,00";
        QTest::newRow("carry into integer") << "99,995"
                                            << "100,00";
        QTest::newRow("binary 1,005 stays down") << "1,005"
                                                 << "1,00";
        QTest::newRow("binary 2,675 stays down") << "2,675"
                                                 << "2,67";
        QTest::newRow("2,125 goes up") << "2,125"
                                       << "2,13";
        QTest::newRow("2,124 goes down") << "2,124"
                                         << "2,12";
        QTest::newRow("empty") << ""
                               << "0,00";
        QTest::newRow("blanks") << "   "
                                << "0,00";
        QTest::newRow("not a number") << "1,2,3"
                                      << "0,00";
        QTest::newRow("already normal") << "0,00"
                                        << "0,00";
        QTest::newRow("trailing comma") << "5,"
                                        << "5,00";
        QTest::newRow("dot is not a separator") << "5.5"
                                                << "0,00";
        QTest::newRow("large") << "12345678"
                               << "12345678,00";
    }
    void amountNormalisation()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(normaliseAmount(typed), normalised);
    }

    void amountFieldNormalisesWhenItLosesTheFocus()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* amount = new QLineEdit(&w);
        auto* other = new QLineEdit(&w);
        layout->addWidget(amount);
        layout->addWidget(other);
        Form::filterKeys(amount, Form::Keys::Amount);
        Form::normaliseAmountOnExit(amount);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        amount->setFocus();
        QTest::keyClicks(amount, "1a2,-5 ");
        QCOMPARE(amount->text(), QStringLiteral("12,5"));
        other->setFocus();
        QCOMPARE(amount->text(), QStringLiteral("12,50"));
    }

    void keyFilters_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits only") << int(Form::Keys::DigitsOnly) << "a1 2,3-4"
                                     << "1234";
        QTest::newRow("amount keeps the comma") << int(Form::Keys::Amount) << "a1 2,3-4."
                                                << "12,34";
        QTest::newRow("vehicle number") << int(Form::Keys::VehicleNumber) << "BI/01*:<>?\"\\|°ÇÑçñ-x"
                                        << "BI01|-x";
        QTest::newRow("pick list discards typing") << int(Form::Keys::PickList) << "abc12"
                                                   << "";
    }
    void keyFilters()
    {
        QFETCH(int, rule);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QLineEdit edit;
        Form::filterKeys(&edit, Form::Keys(rule));
        Test::typeText(&edit, typed);
        QCOMPARE(edit.text(), kept);
    }

    void editingKeysActInFilteredFieldsAndPasteIsNotFiltered()
    {
        QLineEdit edit;
        Form::filterKeys(&edit, Form::Keys::DigitsOnly);
        QTest::keyClicks(&edit, "123");
        QTest::keyClick(&edit, Qt::Key_Left);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("13"));
        QTest::keyClick(&edit, Qt::Key_Home); // discarded: the caret stays before the 3
        QTest::keyClicks(&edit, "9");
        QCOMPARE(edit.text(), QStringLiteral("193"));
        edit.insert(QStringLiteral("ab")); // as a paste does
        QCOMPARE(edit.text(), QStringLiteral("19ab3"));
    }

    void dateAndPickListFieldsEmptyOnDeleteKeys()
    {
        QLineEdit date(QStringLiteral("05/03/2024"));
        int pickerOpened = 0;
        Form::filterKeys(&date, Form::Keys::DateField, [&] { ++pickerOpened; });
        QTest::keyClicks(&date, "7");
        QCOMPARE(pickerOpened, 1);
        QCOMPARE(date.text(), QStringLiteral("05/03/2024"));
        QTest::keyClick(&date, Qt::Key_Shift); // a lone modifier opens nothing
        QCOMPARE(pickerOpened, 1);
        QTest::keyClick(&date, Qt::Key_Delete);
        QCOMPARE(date.text(), QString());

        QLineEdit pick(QStringLiteral("Marzo"));
        Form::filterKeys(&pick, Form::Keys::PickList);
        QTest::keyClick(&pick, Qt::Key_Backspace);
        QCOMPARE(pick.text(), QString());
    }

    void capitalsWhileTyping_data()
    {
        QTest::addColumn<bool>("trimmed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("trimmed drops a trailing blank as typed") << true << "ab è" << QStringLiteral("ABè");
        QTest::newRow("trimmed keeps inner blanks") << true << " rm x"
                                                    << "RMX";
        QTest::newRow("untrimmed keeps blanks") << false << "m f "
                                                << "M F ";
    }
    void capitalsWhileTyping()
    {
        QFETCH(bool, trimmed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit edit;
        Form::capitalsWhileTyping(&edit, trimmed);
        Test::typeText(&edit, typed);
        QCOMPARE(edit.text(), shown);
    }

    void blankTypedBetweenCharactersStaysInTrimmedField()
    {
        QLineEdit edit;
        Form::capitalsWhileTyping(&edit, true);
        QTest::keyClicks(&edit, "ab");
        QTest::keyClick(&edit, Qt::Key_Left);
        QTest::keyClicks(&edit, " ");
        QCOMPARE(edit.text(), QStringLiteral("A B"));
    }

    void enterMovesAlongTheChainAndWrapsAround()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        QLineEdit* edits[3];
        for (auto*& e : edits) {
            e = new QLineEdit(&w);
            layout->addWidget(e);
        }
        Form::enterChain({edits[0], edits[1], edits[2]});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        edits[0]->setFocus();
        QTest::keyClick(edits[0], Qt::Key_Return);
        QTRY_VERIFY(edits[1]->hasFocus());
        QTest::keyClick(edits[1], Qt::Key_Enter);
        QTRY_VERIFY(edits[2]->hasFocus());
        QTest::keyClick(edits[2], Qt::Key_Return);
        QTRY_VERIFY(edits[0]->hasFocus());
    }

    void rectangleHighlightShowsOnlyWithTheFocus()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* a = new QLineEdit(&w);
        auto* b = new QLineEdit(&w);
        layout->addWidget(Form::highlightByRectangle(a, QStringLiteral("effA")));
        layout->addWidget(Form::highlightByRectangle(b, QStringLiteral("effB")));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* effA = w.findChild<QWidget*>(QStringLiteral("effA"));
        auto* effB = w.findChild<QWidget*>(QStringLiteral("effB"));
        a->setFocus();
        QTRY_VERIFY(effA->isVisible());
        QVERIFY(!effB->isVisible());
        QCOMPARE(effA->geometry().adjusted(4, 4, -4, -4), a->geometry());
        b->setFocus();
        QTRY_VERIFY(effB->isVisible());
        QVERIFY(!effA->isVisible());
    }

    void backgroundHighlightTurnsYellowWithTheFocus()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* a = new QLineEdit(&w);
        auto* b = new QLineEdit(&w);
        layout->addWidget(a);
        layout->addWidget(b);
        Form::highlightByBackground(a, Style::WhiteFill);
        Form::highlightByBackground(b);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto colourAt = [](QLineEdit* e) {
            return e->grab().toImage().pixelColor(e->width() - 4, e->height() / 2);
        };
        b->setFocus();
        QTRY_COMPARE(colourAt(a), QColor(Qt::white));
        QCOMPARE(colourAt(b), QColor::fromRgb(Style::FocusYellow));
        a->setFocus();
        QTRY_COMPARE(colourAt(b), QColor::fromRgb(Style::IdleFill));
    }

    void statusHintStaysWhenTheMouseMovesOntoAnEdit()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* cmd = new QLabel(QStringLiteral("cmd"), &w);
        auto* edit = new QLineEdit(&w);
        auto* panInfo = Status::makeStrip(&w, QStringLiteral("Pronto per registrare una nuova scheda..."));
        layout->addWidget(cmd);
        layout->addWidget(edit);
        layout->addWidget(panInfo->parentWidget());
        Status::hint(cmd, panInfo, QStringLiteral("Salva la scheda corrente."));
        Status::clears(&w, panInfo);
        QCOMPARE(panInfo->text(), QStringLiteral("Pronto per registrare una nuova scheda..."));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(cmd, &enter);
        QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente."));
        QApplication::sendEvent(edit, &enter);
        QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente."));
        // Coming back over the background clears the hint once the pointer really moves.
        QApplication::sendEvent(&w, &enter);
        QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente."));
        moveOver(&w, QPoint(5, 5));
        QCOMPARE(panInfo->text(), QString());
    }

    void idleTextStaysUntilThePointerMoves()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* panInfo = Status::makeStrip(&w, QStringLiteral("Pronto per registrare una nuova scheda..."));
        layout->addWidget(panInfo->parentWidget());
        Status::clears(&w, panInfo);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The window opening under a resting pointer: an Enter, then a move to the same point.
        const QPoint resting = w.mapToGlobal(QPoint(10, 10));
        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(resting));
        QApplication::sendEvent(&w, &enter);
        moveOver(&w, QPoint(10, 10));
        QCOMPARE(panInfo->text(), QStringLiteral("Pronto per registrare una nuova scheda..."));
        moveOver(&w, QPoint(12, 10));
        QCOMPARE(panInfo->text(), QString());
    }

    void enterSelectsTheNextEditsText()
    {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* first = new QLineEdit(&w);
        auto* amount = new QLineEdit(QStringLiteral("0,00"), &w);
        layout->addWidget(first);
        layout->addWidget(amount);
        Form::enterChain({first, amount});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        QTRY_VERIFY(amount->hasFocus());
        QTest::keyClicks(amount, QStringLiteral("12,5"));
        QCOMPARE(amount->text(), QStringLiteral("12,5"));
        // A click puts the caret where it lands and selects nothing.
        amount->setText(QStringLiteral("0,00"));
        first->setFocus();
        QTest::mouseClick(amount, Qt::LeftButton, {}, QPoint(amount->width() - 3, amount->height() / 2));
        QVERIFY(!amount->hasSelectedText());
    }

    // Style sheets name their colours; a misspelt name is found, and every named colour resolves.
    void styleSheetsNameColours()
    {
        QCOMPARE(
            Style::unknownColourNames(QStringLiteral("color: @Ink; border: 1px solid @Inkk; @FocusRing")),
            QStringList{QStringLiteral("Inkk")});
        QCOMPARE(Style::sheet(QStringLiteral("color: @Ink; background: @PanelWash;")),
                 QStringLiteral("color: #1F2A44; background: rgba(255, 255, 255, 200);"));
        QCOMPARE(Style::sheet(QStringLiteral("@LinkPressed @UnplannableGrey")),
                 QStringLiteral("#FFA500 #616161"));
    }

    void datesAreDayMonthYearWithSlashes()
    {
        QCOMPARE(formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
        QCOMPARE(parseDate(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
        QVERIFY(!parseDate(QStringLiteral("31/02/2024")).isValid());
        QVERIFY(!parseDate(QStringLiteral("2024-03-05")).isValid());
    }

    // A field shows its text's start while the focus is elsewhere; coming back, typing goes on
    // where the cursor was (202, a message, 4 reads 2024, not 4202).
    void typingGoesOnWhereItWasAfterTheFocusCameBack_data()
    {
        QTest::addColumn<bool>("messageBox");
        QTest::addColumn<QString>("leftSelected");
        QTest::newRow("a message over the window") << true << QString();
        QTest::newRow("focus moved on and given back") << false << QString();
        QTest::newRow("selection kept after a message") << true << QStringLiteral("02");
    }

    void typingGoesOnWhereItWasAfterTheFocusCameBack()
    {
        QFETCH(bool, messageBox);
        QFETCH(QString, leftSelected);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* year = new QLineEdit(&window);
        auto* other = new QLineEdit(&window);
        layout->addWidget(year);
        layout->addWidget(other);
        Form::highlightByBackground(year);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        year->setFocus();
        QTRY_VERIFY(year->hasFocus());
        QTest::keyClicks(year, QStringLiteral("202"));
        if (!leftSelected.isEmpty())
            year->setSelection(1, 2);

        if (messageBox) {
            QVERIFY(Test::driveModal<QMessageBox>(
                [&] {
                    QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("Attenzione"),
                                    QMessageBox::Ok, &window);
                    box.exec();
                },
                [&](QMessageBox* box) {
                    QTRY_VERIFY(!year->hasFocus());
                    QCOMPARE(year->cursorPosition(), 0); // the start is shown meanwhile
                    QTest::keyClick(box, Qt::Key_Return);
                }));
            window.activateWindow(); // as the window system does when the message closes
            QVERIFY(QTest::qWaitForWindowActive(&window));
        } else {
            other->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(other->hasFocus());
            QCOMPARE(year->cursorPosition(), 0);
        }
        year->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(year->hasFocus());
        QCOMPARE(year->selectedText(), leftSelected);
        QTest::keyClicks(year, QStringLiteral("4"));
        QCOMPARE(year->text(), leftSelected.isEmpty() ? QStringLiteral("2024") : QStringLiteral("24"));
    }
};

RF_REGISTER_TEST(FieldBehaviourTest)
#include "FieldBehaviourTest.moc"
