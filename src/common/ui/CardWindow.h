#pragma once

#include "common/ui/ShownCard.h"
#include "common/ui/WorkWindow.h"
#include "storage/Attachments.h"
#include "storage/CardBrowsing.h"

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;

namespace rf {

class CardArchive;
class CommandBar;
class RecordLayout;

// A work window that shows one archive card at a time: its edits (the record's first fields, in
// record order), the six attachment values held while the card is on screen, and the position
// label that ties the card to its record. Browsing, saving and the attachments dialog work the
// same for every card window; a window adds its own fields between the edits and the attachments.
class CardWindow : public WorkWindow {
    Q_OBJECT
public:
    // The edit of a record field ("txt" + field name), or null.
    QLineEdit* edit(const QString& fieldName) const;
    QString position() const;
    const AttachmentValues& attachments() const { return m_attachments; }
    // The card's texts in record order.
    QStringList cardTexts() const;
    // The edits' texts by field name and the position, for a print or preview dialog.
    ShownCard shownCard() const;

    // The card commands every card window has.
    virtual void cmdNuovoClick() = 0;
    virtual void cmdDuplicaClick() = 0;
    virtual void cmdSalvaClick() = 0;

    void browse(BrowseButton button);
    // Shows the record at position, as a chosen search result does.
    void showRecord(qint64 position);

protected:
    CardWindow(Context& context, const QString& objectName, const QString& caption,
               const RecordLayout& layout, int editCount, const QString& archiveName, QWidget* parent);
    ~CardWindow() override;

    // Called once the window has built its layout (the edits and lblPosizione exist by then).
    void connectArchive(std::function<void()> afterRead, std::function<void()> afterSave);
    CardArchive& archive() const { return *m_card; }

    // Fields the window keeps outside its edits, between them and the attachments in the record.
    virtual QStringList ownTexts() const { return {}; }
    virtual void showOwnTexts(const QStringList& texts) { Q_UNUSED(texts); }
    virtual int ownFieldCount() const { return 0; }

    void showTexts(const QStringList& texts);
    // Empties the attachments and the position label, so that the next save appends.
    void detachCard();
    // The attachments dialog for the given owner; applying it writes the six values back.
    void editAttachments(AttachmentOwner owner);
    // Places the panel as a work window does and puts Tab in record order, as Enter already is.
    void placePanel(QWidget* toolbar, QWidget* content);
    // The commands a card window's toolbar starts with: New, Duplicate, Save and Find, each explained
    // by its hint. Find does nothing yet when find is empty.
    void addCardCommands(CommandBar* bar, const std::array<QString, 4>& hints, std::function<void()> find);
    // The command bar's browsing arrows, wired to browse(), and the position label between them.
    void addBrowseGroup(CommandBar* bar, const std::array<QString, 4>& hints);

    const RecordLayout& m_layout;
    std::vector<QLineEdit*> m_edits;
    AttachmentValues m_attachments;
    QLabel* m_lblPosizione = nullptr;

private:
    QString m_archiveName;
    std::unique_ptr<CardArchive> m_card;
};

} // namespace rf
