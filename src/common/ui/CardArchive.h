#pragma once

#include "storage/ArchiveFile.h"
#include "storage/CardBrowsing.h"

#include <QStringList>

#include <functional>

class QLabel;
class QWidget;

namespace rf {

class ArchiveFile;
struct CardSave;

class Context;
class RecordLayout;

// The browsing and save patterns shared by the card windows: opens the archive for one action,
// moves records between the file and the window through the record layout, keeps the position
// label and shows the fixed messages. The window supplies how its controls are read and filled.
class CardArchive {
public:
    enum class Box { Warning, Error };
    enum class Action { First, Previous, Next, Last, Save };

    struct Callbacks {
        std::function<void(const QStringList& texts)> showTexts; // fill the controls, in record order
        std::function<QStringList()> collectTexts;               // read the controls, in record order
        std::function<void()> afterRead;                         // e.g. load the photo of the card
        std::function<void()> afterSave;                         // e.g. save the photo under the position
        std::function<void()> beforeReplace; // a record read is about to replace the card on screen
    };

    // What the record held when the card on screen was read or saved, and its position: the ground
    // a save is compared with.
    struct Ground {
        QStringList texts;
        qint64 at = 0;
    };

    CardArchive(Context& context, QWidget* window, QString fileName, const RecordLayout& layout,
                QLabel* lblPosizione, Callbacks callbacks);

    // The message box kind for an archive failure in each action (the fleet uses errors throughout).
    void setFailureBox(Action action, Box box);

    // Each returns true when the action completed (also when it rightly did nothing).
    bool browse(BrowseButton button);
    bool save();
    // Reads and shows the record at position (as chosen in a search list).
    bool showRecord(qint64 position);

    Ground ground() const { return {m_loaded, m_loadedAt}; }
    // Puts a card back at position (empty for a new card) over the ground it was read from, without
    // reading the archive: the controls show the ground and afterRead runs, then the window shows
    // the card's own texts. A later save is compared with that ground as if the card never left.
    void restore(const Ground& ground, const QString& position);

    QString archivePath() const;
    // The position label's value, 0 for a new card.
    qint64 position() const;

private:
    void fail(Action action);
    // Opens the archive and tells the user, once, what its journal means for it (a rewrite that
    // could not be undone keeps it read-only; a journal of other data was kept aside).
    bool open(ArchiveFile& archive);
    bool showRecordFor(Action action, qint64 position);
    bool append(const QStringList& mine);
    QString conflictText(const CardSave& found, const QStringList& mine) const;

    Context& m_context;
    QWidget* m_window;
    QString m_fileName;
    const RecordLayout& m_layout;
    QLabel* m_label;
    Callbacks m_callbacks;
    Box m_boxes[5] = {Box::Error, Box::Error, Box::Error, Box::Error, Box::Error};
    ArchiveNotice m_toldNotice;
    // The record's texts as last read or saved, and its position: the ground a save is compared with.
    QStringList m_loaded;
    qint64 m_loadedAt = 0;
};

} // namespace rf
