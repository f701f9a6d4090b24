#include "TfrmTabellone.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/ReportPreview.h"
#include "common/ui/Style.h"
#include "common/ui/WaitCursor.h"
#include "fleet/FleetNumbers.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/BookingBoard.h"
#include "planner/DayBooking.h"
#include "planner/documents/BoardSheet.h"
#include "planner/ui/BoardView.h"
#include "planner/ui/PlanningMessages.h"
#include "planner/ui/TfrmGiorno.h"
#include "storage/Amounts.h"
#include "storage/MessageBreaks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace rf {

namespace {
constexpr QSize Largest(1340, 720);
constexpr int RowsPerPrintedPage = 24;
const QString Caption = QStringLiteral(" Tabellone prenotazioni");
} // namespace

TfrmTabellone::TfrmTabellone(Context& context, QWidget* owner, const std::optional<BoardPlace>& place)
    : QDialog(owner), m_context(context)
{
    setObjectName(QStringLiteral("frmTabellone"));
    setWindowTitle(Caption);
    Style::gradientBackground(this);

    QLayout* commands = buildCommands();
    buildBoard();
    QLabel* hint = buildInfo();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 8);
    layout->setSpacing(8);
    layout->addLayout(commands);
    layout->addWidget(m_board, 1);
    layout->addWidget(m_lblInfo);
    layout->addWidget(hint);

    // As large as the screen allows, up to a size that shows three months at a glance.
    QSize size = Largest;
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(20, 40));
    resize(size);
    setMinimumSize(760, 420);

    m_txtDal->setText(formatDate(place ? place->start : m_context.clock().today()));
    if (place)
        m_cboPeriodo->setCurrentIndex(place->span);
    reload();
    goTo(place);
}

void TfrmTabellone::goTo(const std::optional<BoardPlace>& place)
{
    if (place) {
        const auto& rows = m_board->rows();
        const auto found = std::find_if(rows.begin(), rows.end(), [&](const Planning::BoardRow& row) {
            return row.vehicle.position == place->vehicle;
        });
        if (found != rows.end())
            m_board->setCurrent(int(found - rows.begin()), place->day);
    }
    m_board->setFocus(Qt::OtherFocusReason);
}

QLayout* TfrmTabellone::buildCommands()
{
    QLabel* titDal = Style::caption(QStringLiteral("Dal:"), 14, this);
    m_txtDal = new QLineEdit(this);
    m_txtDal->setObjectName(QStringLiteral("txtDal"));
    m_txtDal->setFixedSize(110, 28);
    m_txtDal->setMaxLength(10);
    m_txtDal->setFont(Style::font(Style::Family::Verdana, 13, true));
    Form::highlightByBackground(m_txtDal);
    m_txtDal->setToolTip(QStringLiteral("Il primo giorno del tabellone (gg/mm/aaaa); Invio per aggiornare."));
    titDal->setBuddy(m_txtDal);

    m_cboPeriodo = new QComboBox(this);
    m_cboPeriodo->setObjectName(QStringLiteral("cboPeriodo"));
    m_cboPeriodo->addItems(
        {QStringLiteral("2 settimane"), QStringLiteral("1 mese"), QStringLiteral("3 mesi")});
    m_cboPeriodo->setCurrentIndex(int(Span::OneMonth));
    m_cboPeriodo->setFixedHeight(28);

    m_chkSoloLiberi = new QCheckBox(QStringLiteral("Solo liberi"), this);
    m_chkSoloLiberi->setObjectName(QStringLiteral("chkSoloLiberi"));
    m_chkSoloLiberi->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_chkSoloLiberi->setStyleSheet(Style::sheet(QStringLiteral("QCheckBox { color: @Ink; }")));
    m_chkSoloLiberi->setToolTip(QStringLiteral(
        "Mostra solo i veicoli liberi in tutti i giorni segnati (o nel giorno corrente) (Ctrl+L)"));
    auto* freeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(freeKey, &QShortcut::activated, m_chkSoloLiberi, &QCheckBox::toggle);
    connect(m_chkSoloLiberi, &QCheckBox::toggled, this, &TfrmTabellone::showFreeOnly);

    QPushButton* btnPrecedente =
        Style::button(QStringLiteral("btnPrecedente"), QStringLiteral("◀ Precedente"), QSize(120, 30), this);
    QPushButton* btnOggi =
        Style::button(QStringLiteral("btnOggi"), QStringLiteral("Oggi"), QSize(80, 30), this);
    QPushButton* btnSuccessivo =
        Style::button(QStringLiteral("btnSuccessivo"), QStringLiteral("Successivo ▶"), QSize(120, 30), this);
    QPushButton* btnStampa =
        Style::button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QSize(90, 30), this);
    QPushButton* btnPdf =
        Style::button(QStringLiteral("btnPdf"), QStringLiteral("Salva PDF"), QSize(100, 30), this);
    QPushButton* btnManutenzioni = Style::button(QStringLiteral("btnManutenzioni"),
                                                 QStringLiteral("Manutenzioni"), QSize(120, 30), this);
    btnManutenzioni->setToolTip(
        QStringLiteral("Il registro delle manutenzioni del veicolo corrente (Ctrl+M)"));
    auto* logKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
    connect(logKey, &QShortcut::activated, btnManutenzioni, &QPushButton::click);
    connect(btnManutenzioni, &QPushButton::clicked, this,
            [this] { chooseServiceLog(m_board->currentRow()); });
    QPushButton* btnChiudi =
        Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(90, 30), this);
    connect(btnPrecedente, &QPushButton::clicked, this, &TfrmTabellone::btnPrecedenteClick);
    connect(btnOggi, &QPushButton::clicked, this, &TfrmTabellone::btnOggiClick);
    connect(btnSuccessivo, &QPushButton::clicked, this, &TfrmTabellone::btnSuccessivoClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmTabellone::btnStampaClick);
    connect(btnPdf, &QPushButton::clicked, this, &TfrmTabellone::btnPdfClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_txtDal, &QLineEdit::returnPressed, this, &TfrmTabellone::reload);
    connect(m_cboPeriodo, &QComboBox::activated, this, [this] { reload(); });

    auto* commands = new QHBoxLayout;
    commands->setSpacing(8);
    commands->addWidget(titDal);
    commands->addWidget(m_txtDal);
    commands->addSpacing(6);
    commands->addWidget(m_cboPeriodo);
    commands->addSpacing(6);
    commands->addWidget(m_chkSoloLiberi);
    commands->addSpacing(12);
    commands->addWidget(btnPrecedente);
    commands->addWidget(btnOggi);
    commands->addWidget(btnSuccessivo);
    commands->addStretch(1);
    commands->addWidget(btnManutenzioni);
    commands->addWidget(btnStampa);
    commands->addWidget(btnPdf);
    commands->addWidget(btnChiudi);
    return commands;
}

void TfrmTabellone::buildBoard()
{
    m_board = new BoardView(this);
    connect(m_board, &BoardView::dayChosen, this, &TfrmTabellone::bookDay);
    connect(m_board, &BoardView::spanChosen, this, &TfrmTabellone::bookSpan);
    connect(m_board, &BoardView::markChanged, this, [this] {
        if (m_chkSoloLiberi->isChecked())
            showRows();
        showCurrent(m_board->currentRow(), m_board->currentDay());
    });
    connect(m_board, &BoardView::vehicleChosen, this, &TfrmTabellone::chooseVehicle);
    connect(m_board, &BoardView::codeTyped, this, &TfrmTabellone::goToVehicleNumbered);
    connect(m_board, &BoardView::currentChanged, this, [this](int, int day) {
        // Without a mark "Solo liberi" means the current day: it follows the cursor.
        if (m_chkSoloLiberi->isChecked() && !m_board->hasMark() && day >= 0 && day != m_freeDays.first)
            showRows();
        showCurrent(m_board->currentRow(), m_board->currentDay());
    });
}

QLabel* TfrmTabellone::buildInfo()
{
    m_lblInfo = new QLabel(this);
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_lblInfo->setFont(Style::font(Style::Family::Verdana, 12));
    m_lblInfo->setStyleSheet(Style::sheet(QStringLiteral("color: @Ink; background: transparent;")));
    auto* hint = new QLabel(
        QStringLiteral(
            "Clic o Invio su un giorno: prenota o libera. Maiusc+frecce o trascinare: segna più giorni, "
            "Invio li prenota. Ctrl+L: Solo liberi. Doppio clic sul veicolo o Maiusc+Invio: "
            "planning annuale. Numero del veicolo (o etichetta letta) e Invio: va al veicolo."),
        this);
    hint->setObjectName(QStringLiteral("lblIstruzioni"));
    hint->setFont(Style::font(Style::Family::Verdana, 11));
    hint->setWordWrap(true);
    hint->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));
    return hint;
}

BoardPlace TfrmTabellone::place() const
{
    const int row = m_board->currentRow();
    return {m_start, m_cboPeriodo->currentIndex(),
            row >= 0 && row < int(m_board->rows().size()) ? m_board->rows()[std::size_t(row)].vehicle.position
                                                          : 0,
            std::max(0, m_board->currentDay())};
}

QDate TfrmTabellone::spanEnd(const QDate& start) const
{
    switch (Span(m_cboPeriodo->currentIndex())) {
    case Span::TwoWeeks:
        return start.addDays(13);
    case Span::ThreeMonths:
        return start.addMonths(3).addDays(-1);
    case Span::OneMonth:
        break;
    }
    return start.addMonths(1).addDays(-1);
}

bool TfrmTabellone::reload()
{
    const QDate start = parseDate(m_txtDal->text().trimmed());
    if (!start.isValid()) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: la data indicata non è valida." RF_BREAK_LF_CR
                                 "Indicare il primo giorno del tabellone nel formato gg/mm/aaaa."));
        m_txtDal->setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_start = start;
    m_count = int(start.daysTo(spanEnd(start))) + 1;
    m_txtDal->setText(formatDate(start));
    {
        const WaitCursor wait;
        m_rows =
            Planning::boardRows(m_context.dataFolder(),
                                m_context.path(QString::fromLatin1(Fleet::ArchiveName)), m_start, m_count);
        showRows();
    }
    if (m_rows.empty())
        m_lblInfo->setText(PlanningMessages::noVehicles().section(QLatin1Char('\n'), 0, 0));
    return true;
}

// Gives the board every row, or with "Solo liberi" those free on the marked days; the current
// vehicle keeps the cursor when it is still shown.
void TfrmTabellone::showRows()
{
    const BoardPlace here = place();
    std::vector<Planning::BoardRow> shown;
    if (m_chkSoloLiberi->isChecked()) {
        // A mark on another span is gone with it (the board drops it when given the new span).
        const bool sameSpan = m_board->dayCount() == m_count && m_board->start() == m_start;
        const auto [marked, markedTo] = sameSpan ? m_board->marked() : std::pair<int, int>{-1, -1};
        const int first = marked >= 0 ? marked : std::clamp(m_board->currentDay(), 0, m_count - 1);
        const int last = marked >= 0 ? markedTo : first;
        m_freeDays = {first, last};
        std::copy_if(m_rows.begin(), m_rows.end(), std::back_inserter(shown),
                     [&](const Planning::BoardRow& row) { return Planning::freeThrough(row, first, last); });
    } else {
        shown = m_rows;
    }
    const auto found = std::find_if(shown.begin(), shown.end(), [&](const Planning::BoardRow& row) {
        return row.vehicle.position == here.vehicle;
    });
    m_board->setRows(std::move(shown), m_start, m_count, m_context.clock().today());
    if (found != m_board->rows().end() && here.vehicle != 0)
        m_board->setCurrent(int(found - m_board->rows().begin()), m_board->currentDay());
    m_board->viewport()->update();
}

void TfrmTabellone::showFreeOnly(bool freeOnly)
{
    if (m_chkSoloLiberi->isChecked() != freeOnly)
        m_chkSoloLiberi->setChecked(freeOnly);
    showRows();
    m_board->setFocus(Qt::OtherFocusReason);
}

void TfrmTabellone::moveBy(int direction)
{
    if (!m_start.isValid())
        return;
    QDate start;
    switch (Span(m_cboPeriodo->currentIndex())) {
    case Span::TwoWeeks:
        start = m_start.addDays(14 * direction);
        break;
    case Span::OneMonth:
        start = m_start.addMonths(direction);
        break;
    case Span::ThreeMonths:
        start = m_start.addMonths(3 * direction);
        break;
    }
    m_txtDal->setText(formatDate(start));
    reload();
}

void TfrmTabellone::btnPrecedenteClick()
{
    moveBy(-1);
}

void TfrmTabellone::btnSuccessivoClick()
{
    moveBy(1);
}

void TfrmTabellone::btnOggiClick()
{
    m_txtDal->setText(formatDate(m_context.clock().today()));
    reload();
}

void TfrmTabellone::goToVehicleNumbered(const QString& code)
{
    const auto& rows = m_board->rows();
    const auto found = std::find_if(rows.begin(), rows.end(), [&code](const Planning::BoardRow& row) {
        return Fleet::sameNumber(row.vehicle.vehicle.number, code);
    });
    if (found == rows.end()) {
        m_lblInfo->setText(
            QStringLiteral("Attenzione: il codice letto (%1) non è il numero di un veicolo del tabellone.")
                .arg(code.trimmed()));
        return;
    }
    m_board->setCurrent(int(found - rows.begin()), std::max(0, m_board->currentDay()));
    showCurrent(m_board->currentRow(), m_board->currentDay());
}

void TfrmTabellone::showCurrent(int row, int day)
{
    QString text = m_board->describe(row, day).replace(QLatin1Char('\n'), QStringLiteral("  —  "));
    if (m_board->hasMark()) {
        const auto [first, last] = m_board->marked();
        text += QStringLiteral("  —  Giorni segnati: dal %1 al %2 (%3)")
                    .arg(formatDate(m_start.addDays(first)), formatDate(m_start.addDays(last)))
                    .arg(last - first + 1);
    }
    if (m_chkSoloLiberi->isChecked())
        text += QStringLiteral("  —  Solo liberi: %1 veicoli").arg(m_board->rows().size());
    m_lblInfo->setText(text);
}

void TfrmTabellone::btnStampaClick()
{
    outputReport(
        m_context, this,
        Reports::boardSheet(m_board->rows(), m_start, m_count, RowsPerPrintedPage, &BoardView::barColour),
        Output::Print, {});
}

void TfrmTabellone::btnPdfClick()
{
    const Reports::Prepared prepared = Reports::prepare(
        Reports::boardSheet(m_board->rows(), m_start, m_count, RowsPerPrintedPage, &BoardView::barColour),
        m_context.clock().today());
    if (!prepared.ok) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: non è stato possibile preparare il documento."));
        return;
    }
    saveAsPdf(this, prepared.document, m_context.messages(), m_context.dialogs());
}

void TfrmTabellone::chooseServiceLog(int row)
{
    if (row < 0 || row >= int(m_board->rows().size()))
        return;
    m_chosenServiceLog = true;
    chooseVehicle(row);
}

void TfrmTabellone::chooseVehicle(int row)
{
    if (row < 0 || row >= int(m_board->rows().size()))
        return;
    const QDate day = m_board->currentDay() >= 0 ? m_start.addDays(m_board->currentDay()) : m_start;
    m_chosenPosition = m_board->rows()[std::size_t(row)].vehicle.position;
    m_chosenYear = QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0'));
    accept();
}

std::optional<Planning::DayBooking> TfrmTabellone::readBooking(int row, int first, int last,
                                                               const QString& refused)
{
    Planning::DayBooking booking =
        Planning::readDayBooking(m_context.dataFolder(), m_board->rows()[std::size_t(row)].vehicle,
                                 m_start.addDays(first), m_start.addDays(last));
    if (!booking.numberProblem.isEmpty()) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: il numero del veicolo contiene caratteri che non possono far "
                                 "parte del nome di un file (") +
                      booking.numberProblem + QStringLiteral(")."));
        return std::nullopt;
    }
    if (booking.unreadableYear != 0) {
        m_context.messages().warning(
            this, PlanningMessages::unreadableYear(QString::number(booking.unreadableYear)) + refused);
        return std::nullopt;
    }
    return booking;
}

void TfrmTabellone::book(int row, const Planning::DayBooking& booking, const QString& text)
{
    Planning::DaysBooked booked = Planning::bookDays(m_context.dataFolder(), booking, text, m_start, m_count);
    if (const Planning::BookingWritten::File* failed =
            PlanningMessages::tellWritten(m_context.messages(), this, booked.written))
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: non è stato possibile salvare la prenotazione." RF_BREAK_LF_CR) +
                PlanningMessages::saveFailureReason(failed->path, failed->result));
    showRow(row, std::move(booked.row));
}

void TfrmTabellone::showRow(int row, Planning::BoardRow fresh)
{
    for (Planning::BoardRow& all : m_rows) {
        if (all.vehicle.position == fresh.vehicle.position)
            all = fresh;
    }
    // A vehicle booked on the marked days is no longer free on them: "Solo liberi" lets it go.
    if (m_chkSoloLiberi->isChecked())
        showRows();
    else
        m_board->setRow(row, std::move(fresh));
}

bool TfrmTabellone::workshopAgreed(int row, int first, int last)
{
    const Planning::WorkshopBar* workshop =
        Planning::workshopOn(m_board->rows()[std::size_t(row)], first, last);
    return PlanningMessages::workshopAgreed(m_context.messages(), this,
                                            workshop ? &workshop->entry : nullptr);
}

void TfrmTabellone::bookDay(int row, int day)
{
    if (row < 0 || row >= int(m_board->rows().size()) || day < 0 || day >= m_count)
        return;
    // Only a free day is booked here; a booked one is changed or freed as it stands.
    if (m_board->rows()[std::size_t(row)].days[std::size_t(day)].isEmpty() && !workshopAgreed(row, day, day))
        return;
    const std::optional<Planning::DayBooking> booking =
        readBooking(row, day, day, QStringLiteral(RF_BREAK_LF_CR "Il giorno non può essere prenotato."));
    if (!booking)
        return;
    const QDate date = booking->first;
    const int slot = Planning::slotOfDate(date);
    TfrmGiorno dialog(m_context, this);
    dialog.setDay(slot, PlanningMessages::dayTitle(slot, QString::number(date.year())),
                  Fleet::vehicleLabel(booking->vehicle.vehicle.number, booking->vehicle.vehicle.make),
                  booking->textOn(date));
    if (dialog.exec() != QDialog::Accepted || dialog.lblMemory != slot)
        return;
    book(row, *booking, dialog.text());
}

void TfrmTabellone::bookSpan(int row, int first, int last)
{
    if (row < 0 || row >= int(m_board->rows().size()) || first < 0 || last < first || last >= m_count)
        return;
    if (first == last)
        return bookDay(row, first);
    const QString days = QStringLiteral("dal %1 al %2 (%3 giorni)")
                             .arg(formatDate(m_start.addDays(first)), formatDate(m_start.addDays(last)))
                             .arg(last - first + 1);
    // A run is booked only where nothing is: a booking already there is changed one day at a time.
    if (!Planning::freeThrough(m_board->rows()[std::size_t(row)], first, last, /*workshopFree=*/true)) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: il veicolo non è libero in tutti i giorni segnati (") + days +
                      QStringLiteral(")." RF_BREAK_LF_CR "Prenotare o liberare un giorno alla volta."));
        return;
    }
    if (!workshopAgreed(row, first, last))
        return;
    // Each year of the run is read before the dialog, so that nothing is asked for in vain.
    const std::optional<Planning::DayBooking> booking = readBooking(
        row, first, last, QStringLiteral(RF_BREAK_LF_CR "I giorni non possono essere prenotati."));
    if (!booking)
        return;
    const int slot = Planning::slotOfDate(booking->first);
    TfrmGiorno dialog(m_context, this);
    dialog.setDay(slot, QStringLiteral("Prenotazione ") + days,
                  Fleet::vehicleLabel(booking->vehicle.vehicle.number, booking->vehicle.vehicle.make),
                  QString());
    if (dialog.exec() != QDialog::Accepted || dialog.lblMemory != slot || dialog.text().isEmpty())
        return;
    // The mark stays, so that the same days can be booked for the next vehicle at once.
    book(row, *booking, dialog.text());
}

} // namespace rf
