#include "CardWindow.h"

#include "common/ui/CardArchive.h"
#include "common/ui/CommandBar.h"
#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmAllegaCartella.h"
#include "storage/RecordLayout.h"

#include <QApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace rf {

namespace {
const QKeySequence RecoverKey(Qt::CTRL | Qt::Key_Z);
// How long the status strip says that a left card can be recovered.
constexpr int KeptNoticeMs = 6000;
} // namespace

CardWindow::CardWindow(Context& context, const QString& objectName, const QString& caption,
                       const RecordLayout& layout, int editCount, const QString& archiveName, QWidget* parent)
    : WorkWindow(context, objectName, caption, parent), m_layout(layout),
      m_edits(Form::recordEdits(layout, editCount)), m_archiveName(archiveName)
{
    for (QLineEdit* e : m_edits)
        connect(e, &QLineEdit::textChanged, this, [this] { updateRecoverCommand(); });
}

CardWindow::~CardWindow() = default;

void CardWindow::connectArchive(std::function<void()> afterRead, std::function<void()> afterSave)
{
    CardArchive::Callbacks callbacks;
    callbacks.showTexts = [this](const QStringList& texts) { showTexts(texts); };
    callbacks.collectTexts = [this] { return cardTexts(); };
    callbacks.afterRead = [this, afterRead = std::move(afterRead)] {
        if (afterRead)
            afterRead();
        markClean();
    };
    callbacks.afterSave = [this, afterSave = std::move(afterSave)] {
        if (afterSave)
            afterSave();
        markClean();
    };
    callbacks.beforeReplace = [this] { keepIfEdited(); };
    addRecoverCommand();
    m_card = std::make_unique<CardArchive>(m_context, this, m_archiveName, m_layout, m_lblPosizione,
                                           std::move(callbacks));
}

QLineEdit* CardWindow::edit(const QString& fieldName) const
{
    const int i = m_layout.indexOf(fieldName);
    return i >= 0 && i < int(m_edits.size()) ? m_edits[std::size_t(i)] : nullptr;
}

QString CardWindow::position() const
{
    return m_lblPosizione->text();
}

QStringList CardWindow::cardTexts() const
{
    QStringList texts;
    for (const QLineEdit* e : m_edits)
        texts.append(e->text());
    texts += ownTexts();
    for (const QString& f : m_attachments.file)
        texts.append(f);
    for (const QString& d : m_attachments.desc)
        texts.append(d);
    return texts;
}

ShownCard CardWindow::shownCard() const
{
    ShownCard card;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        card.edits.insert(m_layout.name(int(i)), m_edits[i]->text());
    card.position = position();
    return card;
}

void CardWindow::showTexts(const QStringList& texts)
{
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(texts.value(int(i)));
    const int own = int(m_edits.size());
    showOwnTexts(texts.mid(own, ownFieldCount()));
    const int first = own + ownFieldCount();
    for (int n = 0; n < 3; ++n) {
        m_attachments.file[n] = texts.value(first + n);
        m_attachments.desc[n] = texts.value(first + 3 + n);
    }
}

void CardWindow::detachCard()
{
    m_attachments = {};
    m_lblPosizione->clear();
    markClean();
}

// ---- the card left with unsaved edits ------------------------------------------------------

QStringList CardWindow::snapshot() const
{
    return cardTexts() << position();
}

bool CardWindow::isEdited() const
{
    return m_clean && snapshot() != *m_clean;
}

void CardWindow::markClean()
{
    m_clean = snapshot();
    updateRecoverCommand();
}

CardWindow::KeptCard CardWindow::cardNow() const
{
    KeptCard card{cardTexts(), position().trimmed(), {}, 0, ownState()};
    const CardArchive::Ground ground = m_card->ground();
    // The ground is the record this card was read from; any other leaves the save without one.
    if (!card.position.isEmpty() && ground.at == card.position.toLongLong()) {
        card.groundTexts = ground.texts;
        card.groundAt = ground.at;
    }
    return card;
}

void CardWindow::keep(KeptCard card)
{
    m_kept = std::move(card);
    updateRecoverCommand();
    announceKeptCard();
}

void CardWindow::keepIfEdited()
{
    if (isEdited())
        keep(cardNow());
}

void CardWindow::replaceCard(const std::function<void()>& command)
{
    const QStringList before = snapshot();
    const bool edited = isEdited();
    KeptCard card = edited ? cardNow() : KeptCard{};
    command();
    if (snapshot() == before)
        return; // the command left the card as it was
    if (edited)
        keep(std::move(card));
    markClean();
}

void CardWindow::duplicateCard()
{
    const std::optional<QStringList> ground = m_clean;
    const bool edited = isEdited();
    cmdDuplicaClick();
    // Edits carried into the copy are still unsaved: the copy counts as edited.
    if (edited && ground && position().isEmpty()) {
        m_clean = ground;
        updateRecoverCommand();
    }
}

void CardWindow::recoverCard()
{
    if (!m_kept)
        return;
    std::optional<KeptCard> current;
    if (isEdited())
        current = cardNow();
    const KeptCard card = *m_kept;
    if (card.position.isEmpty()) {
        cmdNuovoClick();
        if (!position().isEmpty())
            return; // no new card could be started: the card on screen stays
    } else {
        m_card->restore({card.groundTexts, card.groundAt}, card.position);
    }
    markClean();
    showTexts(card.texts);
    restoreOwnState(card.own);
    m_kept = std::move(current);
    updateRecoverCommand();
    if (m_kept)
        announceKeptCard();
}

// The command sits at the end of the status strip, where the news of a left card is told, and
// shows only while there is a card to recover: the toolbars have no room to spare.
void CardWindow::addRecoverCommand()
{
    QWidget* strip = m_panInfo->parentWidget();
    m_cmdRecupera = PictureButton::create(QStringLiteral(":/toolbar/recover.svg"),
                                          QStringLiteral("cmdRecupera"), QSize(22, 22), {}, strip);
    m_cmdRecupera->setFocusPolicy(Qt::TabFocus);
    strip->layout()->addWidget(m_cmdRecupera);
    Status::hint(m_cmdRecupera, m_panInfo,
                 QStringLiteral("Recupera l'ultima scheda lasciata con modifiche non salvate."));
    Status::setKeys(m_cmdRecupera,
                    CommandBar::keyText(RecoverKey) + QStringLiteral(" se la scheda non è stata modificata"));
    connect(m_cmdRecupera, &PictureButton::clicked, this, [this] { recoverCard(); });
    m_recoverKey = new QShortcut(RecoverKey, m_cmdRecupera);
    m_recoverKey->setContext(Qt::WindowShortcut);
    connect(m_recoverKey, &QShortcut::activated, this, [this] { recoverCard(); });
    // Ctrl+Z is an edit's undo too: the recovery takes it only while the card shows no edits.
    qApp->installEventFilter(this);
    updateRecoverCommand();
}

bool CardWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && m_recoverKey && m_recoverKey->isEnabled() &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
        QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == RecoverKey)
        return true; // not taken by the edit: the shortcut fires
    return WorkWindow::eventFilter(watched, event);
}

void CardWindow::updateRecoverCommand()
{
    if (!m_cmdRecupera)
        return;
    m_cmdRecupera->setVisible(m_kept.has_value());
    // Ctrl+Z recovers only while the card shows no edits of its own; otherwise it undoes typing.
    if (m_recoverKey)
        m_recoverKey->setEnabled(m_kept.has_value() && !isEdited());
}

void CardWindow::announceKeptCard()
{
    if (!isVisible()) {
        m_announceOnShow = true;
        return;
    }
    m_announceOnShow = false;
    const QString text =
        QStringLiteral("Le modifiche non salvate della scheda lasciata possono essere recuperate con "
                       "Recupera (Ctrl+Z).");
    m_panInfo->setText(text);
    QTimer::singleShot(KeptNoticeMs, m_panInfo, [label = QPointer<QLabel>(m_panInfo), text] {
        if (label && label->text() == text)
            label->clear();
    });
}

bool CardWindow::event(QEvent* event)
{
    const bool done = WorkWindow::event(event);
    if (event->type() == QEvent::Show && m_announceOnShow)
        announceKeptCard();
    return done;
}

void CardWindow::hideEvent(QHideEvent* event)
{
    // Leaving the window leaves its card: the next visit starts a new one.
    if (!event->spontaneous())
        keepIfEdited();
    WorkWindow::hideEvent(event);
}

void CardWindow::browse(BrowseButton button)
{
    m_card->browse(button);
}

void CardWindow::showRecord(qint64 position)
{
    m_card->showRecord(position);
}

void CardWindow::editAttachments(AttachmentOwner owner)
{
    TfrmAllegaCartella dialog(m_context, this);
    dialog.lblMemory = owner;
    dialog.setValues(m_attachments);
    if (dialog.exec() == QDialog::Accepted)
        m_attachments = dialog.values();
}

void CardWindow::placePanel(QWidget* toolbar, QWidget* content)
{
    WorkWindow::placePanel(toolbar, content);
    for (std::size_t i = 1; i < m_edits.size(); ++i)
        setTabOrder(m_edits[i - 1], m_edits[i]);
}

void CardWindow::addCardCommands(CommandBar* bar, const std::array<QString, 4>& hints,
                                 std::function<void()> find)
{
    bar->add(QStringLiteral("cmdNuovo"), QStringLiteral("new"), hints[0],
             [this] { replaceCard([this] { cmdNuovoClick(); }); });
    bar->add(QStringLiteral("cmdDuplica"), QStringLiteral("duplicate"), hints[1],
             [this] { duplicateCard(); });
    bar->add(QStringLiteral("cmdSalva"), QStringLiteral("save"), hints[2], [this] { cmdSalvaClick(); });
    bar->add(QStringLiteral("cmdTrova"), QStringLiteral("find"), hints[3], std::move(find));
    updateRecoverCommand();
}

void CardWindow::addBrowseGroup(CommandBar* bar, const std::array<QString, 4>& hints)
{
    m_lblPosizione = bar->addBrowseGroup(hints, [this](BrowseButton b) { browse(b); });
}

} // namespace rf
