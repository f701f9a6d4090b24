#include "TfrmRiepPrenotazioni.h"

#include <QLineEdit>
#include <QShowEvent>

namespace rf {

TfrmRiepPrenotazioni::TfrmRiepPrenotazioni(Context& context, QWidget* owner, const QStringList& lines,
                                           const QString& title, QString& lastSearch)
    : ListWindow(context, owner, {QStringLiteral("frmRiepPrenotazioni"), QStringLiteral(" Riepilogo prenotazioni veicolo"),
                                  title, QString(), QString(), QString()})
{
    keepSearchKeyIn(lastSearch);
    model().setItemWidth(760);
    std::vector<ListEntry> entries;
    for (const QString& line : lines)
        entries.push_back({line, 0});
    setLines(std::move(entries));
}

void TfrmRiepPrenotazioni::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (!event->spontaneous())
        showResults();
}

} // namespace rf
