#include "CommandBar.h"

#include "common/ui/PictureButton.h"
#include "common/ui/Status.h"
#include "common/ui/Style.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>

#include <map>

namespace rf {

namespace {

// A command's shortcut works wherever the focus is in its window: some platforms bind keys in
// edits that the commands use (Ctrl+E is "end of line" in an edit on X11), and the edit would
// take them first. Installed once on the application; looks only at keys with Ctrl or Alt.
class CommandKeysFirst final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QKeySequence pressed(key->keyCombination());
        for (const CommandBar* bar : static_cast<QWidget*>(watched)->window()->findChildren<CommandBar*>()) {
            for (const QShortcut* shortcut : bar->findChildren<QShortcut*>()) {
                const auto* button = qobject_cast<const QWidget*>(shortcut->parent());
                if (shortcut->key() == pressed && button && button->isEnabled())
                    return true; // not accepted by the edit: the shortcut fires
            }
        }
        return false;
    }
};

} // namespace

CommandBar::CommandBar(QLabel* panInfo, QWidget* parent) : QFrame(parent), m_panInfo(panInfo)
{
    static QObject* const keysFirst = [] {
        auto* filter = new CommandKeysFirst(qApp);
        qApp->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(keysFirst);
    setObjectName(QStringLiteral("panToolbar"));
    setStyleSheet(
        Style::sheet(QStringLiteral("#panToolbar { background-color: white; border-bottom: 1px solid"
                                    " @ToolbarRule; }")));
    setFixedHeight(58);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(12, 7, 12, 7);
    m_row->setSpacing(6);
}

QKeySequence CommandBar::defaultShortcut(const QString& name)
{
    static const std::map<QString, QKeySequence> known{
        {QStringLiteral("cmdNuovo"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {QStringLiteral("cmdDuplica"), QKeySequence(Qt::CTRL | Qt::Key_D)},
        {QStringLiteral("cmdSalva"), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {QStringLiteral("cmdTrova"), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {QStringLiteral("cmdFile"), QKeySequence(Qt::CTRL | Qt::Key_L)},
        {QStringLiteral("cmdAnteprima"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {QStringLiteral("cmdPrivacy"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {QStringLiteral("cmdStampa"), QKeySequence(Qt::CTRL | Qt::Key_P)},
        {QStringLiteral("cmdStatoVeicolo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
        {QStringLiteral("cmdPrimo"), QKeySequence(Qt::ALT | Qt::Key_Home)},
        {QStringLiteral("cmdIndietro"), QKeySequence(Qt::ALT | Qt::Key_Left)},
        {QStringLiteral("cmdAvanti"), QKeySequence(Qt::ALT | Qt::Key_Right)},
        {QStringLiteral("cmdUltimo"), QKeySequence(Qt::ALT | Qt::Key_End)},
        {QStringLiteral("cmdEsporta"), QKeySequence(Qt::CTRL | Qt::Key_E)},
        {QStringLiteral("cmdDaRiconsegnare"), QKeySequence(Qt::CTRL | Qt::Key_R)},
        {QStringLiteral("cmdStatistiche"), QKeySequence(Qt::CTRL | Qt::Key_T)},
        {QStringLiteral("cmdIntervallo"), QKeySequence(Qt::CTRL | Qt::Key_I)},
        {QStringLiteral("cmdRiepilogo"), QKeySequence(Qt::CTRL | Qt::Key_R)},
        {QStringLiteral("cmdGuida"), QKeySequence(Qt::Key_F1)},
        {QStringLiteral("cmdEsci"), QKeySequence(Qt::Key_Escape)},
    };
    const auto found = known.find(name);
    return found == known.end() ? QKeySequence() : found->second;
}

QString CommandBar::keyText(const QKeySequence& shortcut)
{
    static const std::map<QString, QString> italian{
        {QStringLiteral("Shift"), QStringLiteral("Maiusc")},
        {QStringLiteral("Home"), QStringLiteral("Inizio")},
        {QStringLiteral("End"), QStringLiteral("Fine")},
        {QStringLiteral("Left"), QStringLiteral("←")},
        {QStringLiteral("Right"), QStringLiteral("→")},
        {QStringLiteral("Up"), QStringLiteral("↑")},
        {QStringLiteral("Down"), QStringLiteral("↓")},
        {QStringLiteral("PgUp"), QStringLiteral("Pag↑")},
        {QStringLiteral("PgDown"), QStringLiteral("Pag↓")},
    };
    QStringList keys = shortcut.toString(QKeySequence::PortableText).split(QLatin1Char('+'));
    for (QString& key : keys) {
        if (const auto found = italian.find(key); found != italian.end())
            key = found->second;
    }
    return keys.join(QLatin1Char('+'));
}

PictureButton* CommandBar::add(const QString& name, const QString& picture, const QString& hint,
                               std::function<void()> action, const QKeySequence& shortcut, QSize size)
{
    const QString resource =
        picture.startsWith(QLatin1Char(':')) ? picture : QStringLiteral(":/toolbar/%1.svg").arg(picture);
    PictureButton* button = PictureButton::create(resource, name, size, {}, this);
    // Tab reaches the command, a click does not take the focus from the field being typed in.
    button->setFocusPolicy(Qt::TabFocus);
    const QKeySequence keys = shortcut.isEmpty() ? defaultShortcut(name) : shortcut;
    if (!keys.isEmpty()) {
        auto* key = new QShortcut(keys, button);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, button, &PictureButton::click);
        Status::setKeys(button, keyText(keys));
    }
    Status::hint(button, m_panInfo, hint);
    if (action)
        connect(button, &PictureButton::clicked, this, std::move(action));
    else
        button->setEnabled(false);
    m_row->addWidget(button);
    return button;
}

QLabel* CommandBar::addBrowseGroup(const std::array<QString, 4>& hints,
                                   std::function<void(BrowseButton)> browse)
{
    auto browseTo = [browse](BrowseButton b) { return [browse, b] { browse(b); }; };
    add(QStringLiteral("cmdPrimo"), QStringLiteral("first"), hints[0], browseTo(BrowseButton::First));
    add(QStringLiteral("cmdIndietro"), QStringLiteral("previous"), hints[1],
        browseTo(BrowseButton::Previous));
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblPosizione"));
    label->setFixedWidth(90);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Style::font(Style::Family::Verdana, 14, true));
    label->setStyleSheet(Style::sheet(QStringLiteral("color: @Ink; background: @IdleFill; border: 1px solid"
                                                     " @EditBorder; border-radius: 4px; padding: 4px;")));
    m_row->addWidget(label);
    add(QStringLiteral("cmdAvanti"), QStringLiteral("next"), hints[2], browseTo(BrowseButton::Next));
    add(QStringLiteral("cmdUltimo"), QStringLiteral("last"), hints[3], browseTo(BrowseButton::Last));
    return label;
}

void CommandBar::addSeparator()
{
    m_row->addSpacing(8);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(Style::sheet(QStringLiteral("color: @Mist;")));
    m_row->addWidget(line);
    m_row->addSpacing(8);
}

void CommandBar::addStretch()
{
    m_row->addStretch(1);
}

} // namespace rf
