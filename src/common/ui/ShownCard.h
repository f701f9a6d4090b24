#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace rf {

// A card's edits as they stand on screen, taken when a print or preview dialog opens: the dialog
// fills its document from these values and never looks into the window that opened it.
struct ShownCard {
    QHash<QString, QString> edits; // by record field name
    QString position;              // empty for a card not saved yet

    // The text of a field's edit; none for a field the card has no edit for.
    std::optional<QString> text(const QString& field) const
    {
        const auto found = edits.constFind(field);
        return found == edits.constEnd() ? std::nullopt : std::optional<QString>(*found);
    }
};

} // namespace rf
