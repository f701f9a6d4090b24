#include "Form.h"

#include "common/ui/Context.h"

#include "storage/Amounts.h"
#include "storage/RecordLayout.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include <memory>
#include <optional>

namespace rf::Form {
namespace {

// An event filter given as a function, owned by the watched object.
class FunctionFilter final : public QObject {
public:
    FunctionFilter(QObject* watched, std::function<bool(QEvent*)> handler)
        : QObject(watched), m_handler(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return m_handler(event); }

private:
    std::function<bool(QEvent*)> m_handler;
};

constexpr int RectangleMargin = 4; // the highlight rectangle's reach beyond its edit

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys every filter leaves to the window: Enter (handled by the Enter chain), focus movement,
// lone modifiers and shortcuts with Ctrl or Alt.
bool passesThrough(const QKeyEvent* key)
{
    if (isEnter(key->key()) || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Escape)
        return true;
    switch (key->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
        return true;
    default:
        break;
    }
    return key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool isDigitKey(const QKeyEvent* key)
{
    const QString text = key->text();
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

bool isEditingKey(int key)
{
    return key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right;
}

} // namespace

void onEvent(QObject* watched, std::function<bool(QEvent*)> handler)
{
    new FunctionFilter(watched, std::move(handler));
}

void showsTextStart(QLineEdit* edit)
{
    if (edit->property("rfShowsTextStart").toBool())
        return;
    edit->setProperty("rfShowsTextStart", true);
    // A text the user typed or pasted marks the edit modified; one set from outside does not.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->hasFocus() && !edit->isModified())
            edit->setCursorPosition(0);
    });
    // The cursor and selection the edit had when it lost the focus, with its text then: coming back
    // to an unchanged text (after a message, or the focus given back by the window) the user goes
    // on typing where they were, not before the text's start that was only being shown.
    struct Left {
        QString text;
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    auto left = std::make_shared<std::optional<Left>>();
    onEvent(edit, [edit, left](QEvent* e) {
        if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
            *left = Left{edit->text(), edit->cursorPosition(), edit->selectionStart(),
                         int(edit->selectedText().size())};
            edit->setCursorPosition(0);
        } else if (e->type() == QEvent::FocusIn && *left) {
            const Left was = **left;
            left->reset();
            if (was.text != edit->text())
                return false;
            if (was.selectionLength > 0 && was.cursor == was.selectionStart)
                edit->setSelection(was.selectionStart + was.selectionLength, -was.selectionLength);
            else if (was.selectionLength > 0)
                edit->setSelection(was.selectionStart, was.selectionLength);
            else
                edit->setCursorPosition(was.cursor);
        }
        return false;
    });
}

void wideEnoughFor(QLineEdit* edit, const QString& sample)
{
    // The frame, the padding of the highlights' style sheets and the line edit's own text margin.
    constexpr int Chrome = 2 * (1 + 3 + 2) + 4;
    edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(sample) + Chrome);
}

void highlightByBackground(QLineEdit* edit, QRgb idleFill)
{
    showsTextStart(edit);
    edit->setStyleSheet(
        Style::sheet(
            QStringLiteral("QLineEdit { background-color: %1; border: 1px solid @EditBorder;"
                           " padding: 1px 3px; } QLineEdit:focus { background-color: @FocusYellow; }"))
            .arg(Style::css(idleFill)));
}

QWidget* highlightByRectangle(QLineEdit* edit, const QString& effName)
{
    showsTextStart(edit);
    auto* holder = new QWidget(edit->parentWidget());
    // Never taller than the edit and its frame, so the frame hugs the edit in any layout.
    holder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(RectangleMargin, RectangleMargin, RectangleMargin, RectangleMargin);
    auto* eff = new QFrame(holder);
    eff->setObjectName(effName);
    eff->setAttribute(Qt::WA_TransparentForMouseEvents);
    eff->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame { background-color: @FocusYellow; border: 2px solid;"
                                    " border-color: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                                    " stop:0 @FocusYellow, stop:1 @White); }")));
    eff->hide();
    layout->addWidget(edit);
    QPointer<QFrame> frame(eff);
    onEvent(holder, [holder, frame](QEvent* e) {
        if (e->type() == QEvent::Resize && frame)
            frame->setGeometry(holder->rect());
        return false;
    });
    onEvent(edit, [frame](QEvent* e) {
        if (!frame)
            return false;
        if (e->type() == QEvent::FocusIn) {
            frame->show();
            frame->lower();
        } else if (e->type() == QEvent::FocusOut) {
            frame->hide();
        }
        return false;
    });
    return holder;
}

void enterMovesTo(QWidget* edit, QWidget* target)
{
    QPointer<QWidget> to(target);
    onEvent(edit, [to](QEvent* e) {
        if (e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(e)->key())) {
            // Reached by Enter as by Tab: an edit's whole text is selected, so typing replaces it.
            if (to)
                to->setFocus(qobject_cast<QLineEdit*>(to.data()) ? Qt::TabFocusReason : Qt::OtherFocusReason);
            return true;
        }
        return false;
    });
}

void enterChain(std::initializer_list<QWidget*> controls)
{
    enterChain(std::vector<QWidget*>(controls));
}

void enterChain(const std::vector<QWidget*>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        enterMovesTo(list[i], list[(i + 1) % list.size()]);
}

bool isVehicleNumberCharAllowed(QChar c)
{
    static const QString forbidden = QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1");
    return !forbidden.contains(c);
}

void filterKeys(QLineEdit* edit, Keys keys, std::function<void()> onOtherKey)
{
    onEvent(edit, [edit, keys, onOtherKey = std::move(onOtherKey)](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (passesThrough(key))
            return false;
        switch (keys) {
        case Keys::DigitsOnly:
            return !(isEditingKey(key->key()) || isDigitKey(key));
        case Keys::Amount:
            return !(isEditingKey(key->key()) || isDigitKey(key) || key->text() == QLatin1String(","));
        case Keys::VehicleNumber:
            for (const QChar c : key->text()) {
                if (!isVehicleNumberCharAllowed(c))
                    return true;
            }
            return false;
        case Keys::DateField:
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
                edit->clear();
            else if (onOtherKey)
                onOtherKey();
            return true;
        case Keys::PickList:
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
                edit->clear();
                return true;
            }
            return !(key->key() == Qt::Key_Left || key->key() == Qt::Key_Right);
        }
        return false;
    });
}

void filterDateKeys(QLineEdit* edit, std::function<void(const QString& keyText)> onOtherKey)
{
    onEvent(edit, [edit, onOtherKey = std::move(onOtherKey)](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (passesThrough(key))
            return false;
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
            edit->clear();
        else if (onOtherKey)
            onOtherKey(key->text().isEmpty() || !key->text().at(0).isPrint() ? QString() : key->text());
        return true;
    });
}

void filterPicker(QComboBox* picker)
{
    onEvent(picker, [picker](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (passesThrough(key))
            return false;
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            picker->setCurrentIndex(-1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_F4:
            return false;
        default:
            return true;
        }
    });
}

void normaliseAmountOnExit(QLineEdit* edit)
{
    onEvent(edit, [edit](QEvent* e) {
        if (e->type() == QEvent::FocusOut)
            edit->setText(normaliseAmount(edit->text()));
        return false;
    });
}

QString capitalsAtoZ(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

void capitalsWhileTyping(QLineEdit* edit, bool trimmed)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, trimmed](const QString& text) {
        QString result = capitalsAtoZ(text);
        int cursor = edit->cursorPosition();
        if (trimmed) {
            int lead = 0;
            while (lead < result.size() && result.at(lead) == QLatin1Char(' '))
                ++lead;
            result = result.trimmed();
            cursor = std::max(0, std::min(cursor - lead, int(result.size())));
        }
        if (result != text) {
            edit->setText(result);
            edit->setCursorPosition(cursor);
        }
    });
}

std::vector<QLineEdit*> recordEdits(const RecordLayout& layout, int count)
{
    const QFont font = Style::font(Style::Family::Verdana, 12, true);
    std::vector<QLineEdit*> edits;
    for (int i = 0; i < count; ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("txt") + layout.name(i));
        edit->setMaxLength(layout.capacity(i));
        edit->setFont(font);
        edit->setFixedHeight(21);
        highlightByBackground(edit);
        edits.push_back(edit);
    }
    for (std::size_t i = 0; i < edits.size(); ++i)
        enterMovesTo(edits[i], edits[(i + 1) % edits.size()]);
    return edits;
}

bool firstFailure(Context& context, QWidget* window, const std::vector<Check>& checks)
{
    for (const Check& check : checks) {
        if (check.failed) {
            context.messages().warning(window, check.message);
            check.focus->setFocus();
            return true;
        }
    }
    return false;
}

} // namespace rf::Form
