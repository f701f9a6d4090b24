#include "CardWindow.h"

#include "common/ui/CardArchive.h"
#include "common/ui/CommandBar.h"
#include "common/ui/Form.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmAllegaCartella.h"
#include "storage/RecordLayout.h"

#include <QLabel>
#include <QLineEdit>

namespace rf {

CardWindow::CardWindow(Context& context, const QString& objectName, const QString& caption,
                       const RecordLayout& layout, int editCount, const QString& archiveName, QWidget* parent)
    : WorkWindow(context, objectName, caption, parent), m_layout(layout),
      m_edits(Form::recordEdits(layout, editCount)), m_archiveName(archiveName)
{
}

CardWindow::~CardWindow() = default;

void CardWindow::connectArchive(std::function<void()> afterRead, std::function<void()> afterSave)
{
    CardArchive::Callbacks callbacks;
    callbacks.showTexts = [this](const QStringList& texts) { showTexts(texts); };
    callbacks.collectTexts = [this] { return cardTexts(); };
    callbacks.afterRead = std::move(afterRead);
    callbacks.afterSave = std::move(afterSave);
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
    bar->add(QStringLiteral("cmdNuovo"), QStringLiteral("new"), hints[0], [this] { cmdNuovoClick(); });
    bar->add(QStringLiteral("cmdDuplica"), QStringLiteral("duplicate"), hints[1],
             [this] { cmdDuplicaClick(); });
    bar->add(QStringLiteral("cmdSalva"), QStringLiteral("save"), hints[2], [this] { cmdSalvaClick(); });
    bar->add(QStringLiteral("cmdTrova"), QStringLiteral("find"), hints[3], std::move(find));
}

void CardWindow::addBrowseGroup(CommandBar* bar, const std::array<QString, 4>& hints)
{
    m_lblPosizione = bar->addBrowseGroup(hints, [this](BrowseButton b) { browse(b); });
}

} // namespace rf
