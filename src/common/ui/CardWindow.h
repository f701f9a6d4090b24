#pragma once

#include "common/ui/ShownCard.h"
#include "common/ui/WorkWindow.h"
#include "storage/Attachments.h"
#include "storage/CardBrowsing.h"

#include <any>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QShortcut;

namespace rf {

class CardArchive;
class CommandBar;
class PictureButton;
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

    // A card left with unsaved edits (by New, browsing, a record chosen in a list, reloading it
    // after a conflict, or leaving the window) is kept, the last one only, without a question.
    bool hasKeptCard() const { return m_kept.has_value(); }
    // Puts the kept card back: its texts, attachments and position, over the record as it was read,
    // so a save goes to the same record through the usual checks. A card on screen with edits of its
    // own takes the kept card's place, so nothing is lost by recovering either.
    void recoverCard();
    // The card differs from what was last read, saved or started.
    bool isEdited() const;

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // What else a window keeps with a left card (the fleet's photo) and puts back on recovery.
    virtual std::any ownState() const { return {}; }
    virtual void restoreOwnState(const std::any& state) { Q_UNUSED(state); }

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
    struct KeptCard {
        QStringList texts;
        QString position;
        QStringList groundTexts;
        qint64 groundAt = 0;
        std::any own;
    };
    // The card's texts and its position, as compared to tell an edited card.
    QStringList snapshot() const;
    KeptCard cardNow() const;
    // The card on screen is now its own ground: not edited.
    void markClean();
    void keepIfEdited();
    void keep(KeptCard card);
    // Runs a command that may replace the card, keeping the card it replaced if it was edited.
    void replaceCard(const std::function<void()>& command);
    void duplicateCard();
    void addRecoverCommand();
    void updateRecoverCommand();
    void announceKeptCard();

    QString m_archiveName;
    std::unique_ptr<CardArchive> m_card;
    std::optional<QStringList> m_clean;
    std::optional<KeptCard> m_kept;
    bool m_announceOnShow = false;
    PictureButton* m_cmdRecupera = nullptr;
    QShortcut* m_recoverKey = nullptr;
};

} // namespace rf
