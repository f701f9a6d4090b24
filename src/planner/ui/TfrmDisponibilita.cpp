#include "TfrmDisponibilita.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/Style.h"
#include "common/ui/WaitCursor.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/Availability.h"
#include "planner/PlannerVehicles.h"
#include "planner/ui/PlanningMessages.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/MessageBreaks.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <iterator>

namespace rf {

namespace {

using State = Planning::Availability::State;

constexpr int StatusWidth = 18; // the status word's column, "NON PIANIFICABILE" and a blank
constexpr int DaysWidth = 30;   // the days' column after the vehicle number
constexpr int LongestSpan = 366;

QRgb inkOf(State state)
{
    switch (state) {
    case State::Free:
        return Style::FreeGreen;
    case State::Partial:
        return Style::PartlyAmber;
    case State::Full:
        return Style::TakenRed;
    case State::Unreadable:
        return Style::UnreadableViolet;
    case State::NotPlannable:
        break;
    }
    return Style::UnplannableGrey;
}

// The groups the vehicles are listed in, in this order.
enum Group : std::size_t {
    FreeGroup,
    PartialGroup,
    FullGroup,
    WorkshopGroup,
    UnreadableGroup,
    UnplannableGroup
};
constexpr std::size_t GroupCount = 6;

// The group of a vehicle whose bookings are in state; one in the workshop on a day of the span is
// listed apart, unless its bookings are not known.
std::size_t groupOf(State state, bool inWorkshop)
{
    switch (state) {
    case State::Free:
    case State::Partial:
    case State::Full:
        return inWorkshop ? WorkshopGroup : std::size_t(state);
    case State::Unreadable:
        return UnreadableGroup;
    case State::NotPlannable:
        break;
    }
    return UnplannableGroup;
}

// The short form of workshop stays for the days' column: "02/05-04/05 officina".
QString workshopColumn(const std::vector<Service::WorkshopSpan>& spans)
{
    QStringList parts;
    for (const Service::WorkshopSpan& span : spans)
        parts.append(span.from == span.to ? span.from.toString(QStringLiteral("dd/MM"))
                                          : span.from.toString(QStringLiteral("dd/MM")) + QLatin1Char('-') +
                                                span.to.toString(QStringLiteral("dd/MM")));
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" officina");
}

// text in a column of width characters, cut with an ellipsis when longer.
QString fitted(const QString& text, int width)
{
    return text.size() <= width ? text.leftJustified(width) : text.left(width - 1) + QChar(0x2026);
}

} // namespace

TfrmDisponibilita::TfrmDisponibilita(Context& context, QWidget* owner)
    : ListWindow(context, owner,
                 {QStringLiteral("frmDisponibilita"), QStringLiteral(" Disponibilità veicoli"),
                  QStringLiteral("Disponibilità veicoli"), QString(),
                  QStringLiteral("Fare doppio clic su una voce in elenco per aprire il planning del veicolo"),
                  QStringLiteral("Veicoli in elenco: %1")},
                 {QString::fromLatin1(Fleet::ArchiveName), &TSchedaVeicolo(),
                  [this](const RecordView& card) { return lineOf(card); }})
{
    model().setItemWidth(1200);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, buildDates());
    // The picked line's booked days with their texts, or why its bookings are not known.
    m_lblGiorni = new QLabel(this);
    m_lblGiorni->setObjectName(QStringLiteral("lblGiorni"));
    m_lblGiorni->setWordWrap(true);
    addBottomLabel(m_lblGiorni);
    connect(m_lstRecords->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showDaysOf(current.row()); });
}

void TfrmDisponibilita::showDaysOf(int row)
{
    const auto& entries = lines().entries();
    const auto found = row >= 0 && row < int(entries.size())
                           ? m_parts.constFind(entries[std::size_t(row)].position)
                           : m_parts.constEnd();
    m_lblGiorni->setText(found == m_parts.constEnd() ? QString() : found->detail);
}

QWidget* TfrmDisponibilita::buildDates()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("panDate"));
    panel->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame#panDate { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                    "stop:0 %1, stop:1 @White);"
                                    " border: 1px solid @PanelBorder; border-radius: 6px; }"))
            .arg(Style::css(Style::FilterTop)));
    const auto dateEdit = [](const QString& name) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMaxLength(10);
        edit->setFixedSize(130, 28);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFont(Style::font(Style::Family::Verdana, 12, true));
        edit->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
        Form::highlightByBackground(edit);
        return edit;
    };
    m_txtDataInizio = dateEdit(QStringLiteral("txtDataInizio"));
    m_txtDataFine = dateEdit(QStringLiteral("txtDataFine"));
    QLabel* titDataInizio = Style::caption(QStringLiteral("Dal giorno:"), 12);
    titDataInizio->setObjectName(QStringLiteral("titDataInizio"));
    titDataInizio->setBuddy(m_txtDataInizio);
    QLabel* titDataFine = Style::caption(QStringLiteral("al giorno:"), 12);
    titDataFine->setObjectName(QStringLiteral("titDataFine"));
    titDataFine->setBuddy(m_txtDataFine);
    QPushButton* btnCerca =
        Style::button(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QSize(110, 32));
    btnCerca->setAutoDefault(true); // Enter in the last date leads here; Enter here searches
    Form::enterMovesTo(m_txtDataInizio, m_txtDataFine);
    Form::enterMovesTo(m_txtDataFine, btnCerca);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmDisponibilita::btnCercaClick);
    // Lines found for other dates are never left on show under the dates being typed.
    for (QLineEdit* date : {m_txtDataInizio, m_txtDataFine})
        connect(date, &QLineEdit::textChanged, this, &TfrmDisponibilita::clearResults);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 10, 16, 10);
    row->setSpacing(10);
    row->addWidget(titDataInizio);
    row->addWidget(m_txtDataInizio);
    row->addSpacing(16);
    row->addWidget(titDataFine);
    row->addWidget(m_txtDataFine);
    row->addSpacing(16);
    row->addWidget(btnCerca);
    row->addStretch(1);
    return panel;
}

void TfrmDisponibilita::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (event->spontaneous())
        return;
    const QString today = formatDate(m_context.clock().today());
    m_txtDataInizio->setText(today);
    m_txtDataFine->setText(today);
    m_parts.clear();
    m_searchedStart = {};
    showResults();
    // Today's availability is on show at once; an empty fleet is told only when Cerca is pressed.
    if (QFileInfo(m_context.path(QString::fromLatin1(Fleet::ArchiveName))).size() >= TSchedaVeicolo().size())
        btnCercaClick();
    m_txtDataInizio->setFocus(Qt::OtherFocusReason);
    m_txtDataInizio->selectAll();
}

void TfrmDisponibilita::clearResults()
{
    m_parts.clear();
    m_searchedStart = {};
    model().clear();
    m_lblGiorni->clear();
    if (m_lblTrovate)
        m_lblTrovate->setText(QStringLiteral("Veicoli in elenco: 0"));
}

bool TfrmDisponibilita::refuse(const QString& message, QLineEdit* focus)
{
    m_context.messages().warning(this, message);
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TfrmDisponibilita::readDate(QLineEdit* edit, const QString& which, QDate& date)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return refuse(QStringLiteral("Attenzione: indicare la data di %1 del periodo nel formato gg/mm/aaaa.")
                          .arg(which),
                      edit);
    date = parseDate(text);
    if (!date.isValid())
        return refuse(QStringLiteral("Attenzione: la data ") + text +
                          QStringLiteral(" di %1 periodo non esiste." RF_BREAK_LF_CR
                                         "Per verificare la disponibilità è "
                                         "necessario indicare una data valida nel formato gg/mm/aaaa.")
                              .arg(which),
                      edit);
    return true;
}

bool TfrmDisponibilita::readSpan(QDate& start, QDate& end)
{
    if (!readDate(m_txtDataInizio, QStringLiteral("inizio"), start) ||
        !readDate(m_txtDataFine, QStringLiteral("fine"), end))
        return false;
    if (end < start)
        return refuse(QStringLiteral("Attenzione: la data di fine periodo (") + formatDate(end) +
                          QStringLiteral(") non può essere anteriore a quella di inizio periodo (") +
                          formatDate(start) +
                          QStringLiteral(")." RF_BREAK_LF_CR
                                         "Per verificare la disponibilità è necessario indicare un "
                                         "intervallo di tempo valido."),
                      m_txtDataFine);
    if (start.daysTo(end) + 1 > LongestSpan)
        return refuse(
            QStringLiteral("Attenzione: il periodo indicato supera i 366 giorni." RF_BREAK_LF_CR
                           "Per verificare la "
                           "disponibilità è necessario indicare un periodo di al massimo 366 giorni."),
            m_txtDataFine);
    return true;
}

void TfrmDisponibilita::btnCercaClick()
{
    QDate start, end;
    const bool valid = readSpan(start, end);
    // The lines of an earlier span are never left on show under other dates.
    clearResults();
    if (!valid)
        return;

    // The vehicles as the planner entry lists them.
    const std::vector<Planning::FleetVehicle> vehicles =
        Planning::fleetVehicles(m_context.path(QString::fromLatin1(Fleet::ArchiveName)));
    if (vehicles.empty()) {
        m_context.messages().warning(this, PlanningMessages::noVehicles());
        return;
    }

    QString counts;
    {
        const WaitCursor wait;
        std::array<std::vector<ListEntry>, GroupCount> groups;
        LineListModel::Inks inks;
        // The service log is read once: a vehicle in the workshop is not available.
        const QHash<QString, std::vector<Service::Entry>> workshop =
            Service::byVehicle(Service::read(m_context.dataFolder()));
        for (const Planning::FleetVehicle& vehicle : vehicles) {
            const QString& biciNum = vehicle.vehicle.number;
            const Planning::Availability availability =
                Planning::availabilityOf(m_context.dataFolder(), biciNum, start, end);
            LineParts parts = partsOf(availability, biciNum, start.year());
            const std::vector<Service::WorkshopSpan> stays =
                Service::workshopSpans(workshop.value(biciNum.trimmed()), start, end);
            const std::size_t group = groupOf(availability.state, !stays.empty());
            if (group == WorkshopGroup)
                markWorkshop(parts, stays);
            groups[group].push_back({composeLine(parts, vehicle.line), vehicle.position});
            inks.insert(vehicle.position,
                        group == WorkshopGroup ? Style::WorkshopInk : inkOf(availability.state));
            m_parts.insert(vehicle.position, parts);
        }
        counts = QStringLiteral("Libere: %1   Parziali: %2   Occupate: %3")
                     .arg(groups[FreeGroup].size())
                     .arg(groups[PartialGroup].size())
                     .arg(groups[FullGroup].size());
        // The vehicles in the workshop, and those whose bookings are not known, are counted
        // apart, when there are any.
        if (!groups[WorkshopGroup].empty())
            counts += QStringLiteral("   In officina: %1").arg(groups[WorkshopGroup].size());
        if (!groups[UnreadableGroup].empty())
            counts += QStringLiteral("   Illeggibili: %1").arg(groups[UnreadableGroup].size());
        if (!groups[UnplannableGroup].empty())
            counts += QStringLiteral("   Non pianificabili: %1").arg(groups[UnplannableGroup].size());
        std::vector<ListEntry> entries;
        entries.reserve(vehicles.size());
        for (std::vector<ListEntry>& group : groups)
            std::move(group.begin(), group.end(), std::back_inserter(entries));
        model().setEntries(std::move(entries), /*sorted=*/false, std::move(inks));
    }

    m_searchedStart = start;
    setPrintTitle(QStringLiteral("Disponibilità veicoli dal ") + formatDate(start) + QStringLiteral(" al ") +
                  formatDate(end));
    if (m_lblTrovate)
        m_lblTrovate->setText(counts);
}

TfrmDisponibilita::LineParts TfrmDisponibilita::partsOf(const Planning::Availability& availability,
                                                        const QString& number, int startYear)
{
    LineParts parts;
    parts.status = Cp1252::encode(Planning::statusWord(availability.state).leftJustified(StatusWidth));
    parts.days = Cp1252::encode(fitted(Planning::daysColumn(availability), DaysWidth));
    const QString booked = availability.booked.empty() ? QString()
                                                       : QStringLiteral("Giorni prenotati: ") +
                                                             Planning::bookedDaysText(availability);
    switch (availability.state) {
    case State::Free:
        break;
    case State::Partial:
    case State::Full:
        parts.detail = booked;
        break;
    case State::Unreadable: {
        QStringList files;
        for (const int year : availability.unreadableYears)
            files.append(QLatin1Char('"') + Planning::fileName(number, QString::number(year)) +
                         QLatin1Char('"'));
        parts.detail = QStringLiteral("Non leggibile: ") + files.join(QStringLiteral(", ")) +
                       (booked.isEmpty() ? QString() : QLatin1Char('\n') + booked);
        const auto& years = availability.unreadableYears;
        if (std::find(years.begin(), years.end(), startYear) != years.end())
            parts.refusal =
                QStringLiteral("Attenzione: le prenotazioni della bicicletta n. ") + number +
                QStringLiteral(" per l'anno ") + QString::number(startYear) +
                QStringLiteral(" non possono essere lette: il file \"") +
                Planning::fileName(number, QString::number(startYear)) +
                QStringLiteral("\" è danneggiato o non accessibile." RF_BREAK_LF_CR "Il planning del veicolo "
                               "non può essere aperto.");
        break;
    }
    case State::NotPlannable:
        parts.detail =
            QStringLiteral("Il numero contiene caratteri che non possono far parte del nome di un file (") +
            availability.problem + QStringLiteral(").");
        parts.refusal =
            QStringLiteral("Attenzione: il planning della bicicletta n. ") + number +
            QStringLiteral(" non può essere aperto: il numero del veicolo contiene caratteri che non "
                           "possono far parte del nome di un file (") +
            availability.problem +
            QStringLiteral(")." RF_BREAK_LF_CR "Per utilizzare il planner è necessario modificare il numero "
                           "nella scheda del veicolo.");
        break;
    }
    return parts;
}

void TfrmDisponibilita::markWorkshop(LineParts& parts, const std::vector<Service::WorkshopSpan>& stays)
{
    parts.status = Cp1252::encode(QStringLiteral("IN OFFICINA").leftJustified(StatusWidth));
    parts.days = Cp1252::encode(fitted(workshopColumn(stays), DaysWidth));
    QStringList lines;
    for (const Service::WorkshopSpan& stay : stays)
        lines.append(Service::workshopText(stay.entry));
    if (!parts.detail.isEmpty())
        lines.append(parts.detail);
    parts.detail = lines.join(QLatin1Char('\n'));
}

QByteArray TfrmDisponibilita::composeLine(const LineParts& parts, const QByteArray& vehicleLine)
{
    // The days come right after the number, where they are seen without scrolling.
    return parts.status + vehicleLine.left(Planning::VehicleNumberEnd) + "  " + parts.days +
           vehicleLine.mid(Planning::VehicleNumberEnd);
}

QByteArray TfrmDisponibilita::lineOf(const RecordView& card) const
{
    // A card not on show, or one that changed since, gives a line that matches none on show.
    const auto found = m_parts.constFind(card.position());
    if (found == m_parts.constEnd())
        return {};
    return composeLine(*found, Planning::vehicleLine(card));
}

void TfrmDisponibilita::done(int result)
{
    if (result == QDialog::Accepted) {
        const auto found = m_parts.constFind(chosenPosition());
        if (found != m_parts.constEnd() && !found->refusal.isEmpty()) {
            // The results stay on show, to pick another vehicle.
            m_context.messages().warning(this, found->refusal);
            return;
        }
    }
    ListWindow::done(result);
}

} // namespace rf
