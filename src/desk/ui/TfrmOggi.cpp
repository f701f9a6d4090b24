#include "TfrmOggi.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/Style.h"
#include "common/ui/UserTexts.h"
#include "contracts/SchedaContratto.h"
#include "desk/TodayWork.h"
#include "fleet/ServiceLog.h"
#include "storage/MessageBreaks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {
constexpr QSize Client(1000, 690);
struct ListLook {
    const char* name;
    const char* title;
};
const std::array<ListLook, TfrmOggi::ListCount> Looks{{
    {"lstFuori", "Fuori"},
    {"lstOggi", "Da riconsegnare oggi"},
    {"lstRitardo", "In ritardo"},
    {"lstRitiri", "Ritiri di oggi"},
    {"lstRevisione", "Da revisionare"},
}};
constexpr int LineWidth = 940; // a day's line whole, in the list's fixed-pitch font
} // namespace

TfrmOggi::TfrmOggi(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmOggi"), QStringLiteral(" Oggi"), Client)
{
    m_lblData = Style::caption(QString(), 20, this);
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_lblData->setStyleSheet(Style::sheet(QStringLiteral("color: white; background: transparent;")));
    m_txtScansione = new QLineEdit(this);
    m_txtScansione->setObjectName(QStringLiteral("txtScansione"));
    m_txtScansione->setFixedSize(180, 28);
    m_txtScansione->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_txtScansione->setPlaceholderText(QStringLiteral("numero o codice"));
    m_txtScansione->setToolTip(QStringLiteral(
        "Leggere l'etichetta del veicolo con lo scanner, oppure scriverne il numero e premere Invio."));
    Form::highlightByBackground(m_txtScansione);
    connect(m_txtScansione, &QLineEdit::returnPressed, this, [this] { scan(m_txtScansione->text()); });

    QGridLayout* grid = buildLists();

    QPushButton* btnRiconsegna =
        Style::button(QStringLiteral("btnRiconsegna"), QStringLiteral("Riconsegnato"), QSize(140, 32), this);
    m_btnRiconsegna = btnRiconsegna;
    btnRiconsegna->setToolTip(
        QStringLiteral("Segna come riconsegnato il veicolo del contratto selezionato."));
    QPushButton* btnAggiorna =
        Style::button(QStringLiteral("btnAggiorna"), QStringLiteral("Aggiorna"), QSize(110, 32), this);
    QPushButton* btnChiudi = makeCloseButton();
    connect(btnRiconsegna, &QPushButton::clicked, this, &TfrmOggi::btnRiconsegnaClick);
    connect(btnAggiorna, &QPushButton::clicked, this, &TfrmOggi::reload);
    disconnect(btnChiudi, nullptr, this, nullptr);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    auto* hint = new QLabel(
        QStringLiteral(
            "Invio o doppio clic su una riga: apre il contratto, il planning del veicolo per i ritiri, la "
            "scheda del veicolo da revisionare."),
        this);
    hint->setObjectName(QStringLiteral("lblIstruzioni"));
    hint->setFont(Style::font(Style::Family::Verdana, 11));
    hint->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->addWidget(m_lblData, 1);
    QLabel* titScansione = Style::caption(QStringLiteral("Scansione:"), 14, this);
    titScansione->setStyleSheet(Style::sheet(QStringLiteral("color: white; background: transparent;")));
    titScansione->setBuddy(m_txtScansione);
    top->addWidget(titScansione);
    top->addWidget(m_txtScansione);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    layout->addWidget(hint);
    layout->addLayout(buttonRow({btnRiconsegna, btnAggiorna, btnChiudi}));
    reload();
    setTabOrder(m_txtScansione, m_lists[0]);
    m_txtScansione->setFocus(Qt::OtherFocusReason);
}

// The five lists under their titles, one under the other.
QGridLayout* TfrmOggi::buildLists()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < ListCount; ++i) {
        const List list = List(i);
        m_titles[std::size_t(i)] = Style::caption(QString(), 14, this);
        m_titles[std::size_t(i)]->setObjectName(QStringLiteral("tit") +
                                                QLatin1String(Looks[std::size_t(i)].name).mid(3));
        m_models[std::size_t(i)].setItemWidth(LineWidth);
        QListView* view = makeLineList(&m_models[std::size_t(i)]);
        view->setParent(this);
        view->setObjectName(QLatin1String(Looks[std::size_t(i)].name));
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_titles[std::size_t(i)]->setBuddy(view);
        connect(view, &QListView::doubleClicked, this,
                [this, list](const QModelIndex& index) { choose(list, index.row()); });
        m_lists[std::size_t(i)] = view;
        // One under the other, each as wide as the window, so that a line is read whole; the long
        // lists (all out, late, the fleet's work due) take more room.
        grid->addWidget(m_titles[std::size_t(i)], i * 2, 0);
        grid->addWidget(view, i * 2 + 1, 0);
        grid->setRowStretch(i * 2 + 1, list == List::DueToday || list == List::Pickups ? 2 : 3);
    }

    // The list last used is the one a line was last chosen in (with the mouse or the arrows), not
    // the last one the focus crossed on its way to a button: that line alone stays selected.
    for (int i = 0; i < ListCount; ++i) {
        connect(m_lists[std::size_t(i)]->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, i](const QItemSelection& selected) {
                    if (selected.isEmpty())
                        return;
                    m_lastList = List(i);
                    for (int other = 0; other < ListCount; ++other) {
                        if (other != i)
                            m_lists[std::size_t(other)]->clearSelection();
                    }
                });
    }
    return grid;
}

void TfrmOggi::reload()
{
    const QDate today = m_context.clock().today();
    const QString date =
        QLocale(QLocale::Italian, QLocale::Italy).toString(today, QStringLiteral("dddd d MMMM yyyy"));
    m_lblData->setText(QStringLiteral("Oggi, ") + date);
    Today::Work work = Today::dayWork(m_context.dataFolder(), today);
    if (work.contracts == ScanResult::Failed)
        m_context.messages().plain(
            this,
            Texts::archiveAccess(m_context.path(QLatin1String(Contracts::ArchiveName)), Texts::Access::Read));
    if (work.serviceLog == ScanResult::Failed)
        m_context.messages().plain(
            this,
            Texts::archiveAccess(m_context.path(QLatin1String(Service::ArchiveName)), Texts::Access::Read));
    // Rentals past their end are written in red.
    LineListModel::Inks late;
    for (const ListEntry& entry : work.late)
        late.insert(entry.position, Style::TakenRed);
    std::array<std::vector<ListEntry>*, ListCount> lists{&work.out, &work.dueToday, &work.late, &work.pickups,
                                                         &work.service};
    for (int i = 0; i < ListCount; ++i) {
        m_titles[std::size_t(i)]->setText(QStringLiteral("%1 (%2)")
                                              .arg(QLatin1String(Looks[std::size_t(i)].title))
                                              .arg(lists[std::size_t(i)]->size()));
        m_models[std::size_t(i)].setEntries(std::move(*lists[std::size_t(i)]), /*sorted=*/false,
                                            lists[std::size_t(i)] == &work.late ? late
                                                                                : LineListModel::Inks{});
    }
    m_fleetCardOf = std::move(work.fleetCardOf);
    m_contractOutOf = std::move(work.contractOutOf);
    m_titles[std::size_t(List::Late)]->setStyleSheet(
        Style::sheet(QStringLiteral("color: @TakenRed; background: transparent;")));
}

void TfrmOggi::scan(const QString& code)
{
    const QString number = code.trimmed().toUpper();
    m_txtScansione->clear();
    if (number.isEmpty())
        return;
    // The line of a list made from the record at position, selected and shown; false when none is.
    const auto select = [this](List list, qint64 position) {
        const auto& entries = m_models[std::size_t(list)].entries();
        for (std::size_t row = 0; row < entries.size(); ++row) {
            if (entries[row].position != position)
                continue;
            QListView* view = m_lists[std::size_t(list)];
            view->setCurrentIndex(m_models[std::size_t(list)].index(int(row)));
            view->scrollTo(view->currentIndex());
            m_lastList = list;
            return true;
        }
        return false;
    };
    const auto out = m_contractOutOf.constFind(number);
    if (out != m_contractOutOf.constEnd() && select(List::Out, *out)) {
        m_btnRiconsegna->setFocus(Qt::OtherFocusReason);
        return;
    }
    const auto card = m_fleetCardOf.constFind(number);
    if (card == m_fleetCardOf.constEnd()) {
        m_context.messages().warning(this,
                                     QStringLiteral("Attenzione: il codice letto (") + code.trimmed() +
                                         QStringLiteral(") non è il numero di un veicolo della flotta."));
    } else if (select(List::Pickups, *card)) {
        m_lists[std::size_t(List::Pickups)]->setFocus(Qt::OtherFocusReason);
        return;
    } else {
        m_context.messages().information(this, QStringLiteral("La bicicletta n. ") + code.trimmed() +
                                                   QStringLiteral(" non è fuori e non ha ritiri oggi."));
    }
    m_txtScansione->setFocus(Qt::OtherFocusReason);
}

void TfrmOggi::choose(List list, int row)
{
    const LineListModel& model = m_models[std::size_t(list)];
    if (row < 0 || row >= model.rowCount())
        return;
    const Choice::Kind kind = list == List::Pickups   ? Choice::Kind::Vehicle
                              : list == List::Service ? Choice::Kind::FleetCard
                                                      : Choice::Kind::Contract;
    m_chosen = {kind, model.entries()[std::size_t(row)].position};
    accept();
}

std::pair<TfrmOggi::List, int> TfrmOggi::currentContract() const
{
    const QListView* view = m_lists[std::size_t(m_lastList)];
    const QModelIndex index = view->currentIndex();
    if (m_lastList == List::Pickups || m_lastList == List::Service || !index.isValid() ||
        !view->selectionModel()->isSelected(index))
        return {m_lastList, -1};
    return {m_lastList, index.row()};
}

void TfrmOggi::btnRiconsegnaClick()
{
    const auto [list, row] = currentContract();
    if (row < 0) {
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: selezionare un contratto negli elenchi Fuori, Da riconsegnare oggi o "
                           "In ritardo prima di premere il pulsante Riconsegnato."));
        return;
    }
    const ListEntry entry = m_models[std::size_t(list)].entries()[std::size_t(row)];
    if (!m_context.messages().confirm(
            this, QStringLiteral("Segnare come riconsegnato il veicolo di questo contratto?" RF_BREAK_CR_LF) +
                      entry.text().simplified()))
        return;
    switch (Today::markReturned(m_context.dataFolder(), entry.position, entry.line)) {
    case Contracts::Returned::Done:
        break;
    case Contracts::Returned::NotFound:
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: il contratto non è più in archivio come quando l'elenco è stato "
                           "letto." RF_BREAK_LF_CR "L'elenco viene aggiornato."));
        break;
    case Contracts::Returned::ReadOnly:
        m_context.messages().warning(this, Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        break;
    case Contracts::Returned::Failed:
        m_context.messages().plain(this,
                                   Texts::archiveAccess(m_context.path(QLatin1String(Contracts::ArchiveName)),
                                                        Texts::Access::Write));
        break;
    }
    reload();
}

} // namespace rf
