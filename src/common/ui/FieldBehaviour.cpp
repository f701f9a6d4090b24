#include "FieldBehaviour.h"

#include "storage/Amounts.h"
#include "storage/RecordLayout.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

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

void onEvent(QObject* watched, std::function<bool(QEvent*)> handler)
{
    new FunctionFilter(watched, std::move(handler));
}

QString colourName(QRgb rgb)
{
    return QColor::fromRgba(rgb).name(QColor::HexRgb);
}

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

void highlightByBackground(QLineEdit* edit, QRgb idleFill)
{
    edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; padding: 1px 3px; }"
                                       "QLineEdit:focus { background-color: %3; }")
                            .arg(colourName(idleFill), colourName(EditBorder), colourName(FocusYellow)));
}

QWidget* highlightByRectangle(QLineEdit* edit, const QString& effName)
{
    auto* holder = new QWidget(edit->parentWidget());
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* eff = new QFrame(holder);
    eff->setObjectName(effName);
    eff->setAttribute(Qt::WA_TransparentForMouseEvents);
    eff->setStyleSheet(QStringLiteral("QFrame { background-color: %1; border: 2px solid; border-color: "
                                      "qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 %1, stop:1 #FFFFFF); }")
                           .arg(colourName(FocusYellow)));
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
            if (to)
                to->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    });
}

void enterChain(std::initializer_list<QWidget*> controls)
{
    const std::vector<QWidget*> list(controls);
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

void normaliseAmountOnExit(QLineEdit* edit)
{
    onEvent(edit, [edit](QEvent* e) {
        if (e->type() == QEvent::FocusOut)
            edit->setText(NormaliseAmount(edit->text()));
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

void statusHint(QWidget* source, QLabel* panInfo, const QString& hint)
{
    QPointer<QLabel> label(panInfo);
    onEvent(source, [label, hint](QEvent* e) {
        if (e->type() == QEvent::Enter && label)
            label->setText(hint);
        return false;
    });
}

void statusClears(QWidget* background, QLabel* panInfo)
{
    QPointer<QLabel> label(panInfo);
    background->setMouseTracking(true);
    onEvent(background, [label](QEvent* e) {
        if ((e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) && label && !label->text().isEmpty())
            label->clear();
        return false;
    });
}

QLabel* makeStatusStrip(QWidget* parent, const QString& idleText, QWidget** strip)
{
    auto* shpInfo = new QFrame(parent);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setStyleSheet(QStringLiteral("#shpInfo { background-color: %1; border: 1px solid %1; }")
                               .arg(colourName(StatusStrip)));
    shpInfo->setFixedHeight(26);
    auto* layout = new QHBoxLayout(shpInfo);
    layout->setContentsMargins(8, 0, 8, 0);
    auto* panInfo = new QLabel(idleText, shpInfo);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    panInfo->setFont(font);
    panInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    layout->addWidget(panInfo);
    if (strip)
        *strip = shpInfo;
    return panInfo;
}

std::vector<QLineEdit*> recordEdits(const RecordLayout& layout, int count)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(12);
    font.setBold(true);
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

void dialogFrame(QWidget* window, int clientWidth, int clientHeight)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(clientWidth, clientHeight);
    // Centred on the owner when there is one, otherwise on the screen, each time it is shown.
    onEvent(window, [window](QEvent* e) {
        if (e->type() == QEvent::Show && !static_cast<QShowEvent*>(e)->spontaneous()) {
            const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
            QRect area;
            if (owner && owner->isVisible())
                area = owner->frameGeometry();
            else if (const QScreen* screen = window->screen())
                area = screen->availableGeometry();
            if (area.isValid()) {
                QRect frame = window->frameGeometry();
                frame.moveCenter(area.center());
                window->move(frame.topLeft());
            }
        }
        return false;
    });
}

void gradientBackground(QWidget* window, QRgb top, QRgb bottom)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, QColor::fromRgba(top));
    gradient.setColorAt(1, QColor::fromRgba(bottom));
    QPalette palette = window->palette();
    palette.setBrush(QPalette::Window, QBrush(gradient));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

} // namespace rf::Form
