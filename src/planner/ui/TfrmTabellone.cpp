#include "TfrmTabellone.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/ReportPreview.h"
#include "common/ui/Style.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/BookingBoard.h"
#include "planner/documents/BoardSheet.h"
#include "planner/ui/BoardView.h"
#include "planner/ui/PlanningMessages.h"
#include "planner/ui/TfrmGiorno.h"
#include "storage/Amounts.h"
#include "storage/MessageBreaks.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

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
    commands->addSpacing(12);
    commands->addWidget(btnPrecedente);
    commands->addWidget(btnOggi);
    commands->addWidget(btnSuccessivo);
    commands->addStretch(1);
    commands->addWidget(btnStampa);
    commands->addWidget(btnPdf);
    commands->addWidget(btnChiudi);

    m_board = new BoardView(this);
    connect(m_board, &BoardView::dayChosen, this, &TfrmTabellone::bookDay);
    connect(m_board, &BoardView::vehicleChosen, this, &TfrmTabellone::chooseVehicle);
    connect(m_board, &BoardView::currentChanged, this, &TfrmTabellone::showCurrent);

    m_lblInfo = new QLabel(this);
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_lblInfo->setFont(Style::font(Style::Family::Verdana, 12));
    m_lblInfo->setStyleSheet(Style::sheet(QStringLiteral("color: @Ink; background: transparent;")));
    auto* hint = new QLabel(
        QStringLiteral("Clic o Invio su un giorno: prenota o libera. Doppio clic sul veicolo o Maiusc+Invio: "
                       "planning annuale. Frecce, Pag su/giù, Inizio/Fine: spostarsi."),
        this);
    hint->setObjectName(QStringLiteral("lblIstruzioni"));
    hint->setFont(Style::font(Style::Family::Verdana, 11));
    hint->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));

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
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_board->setRows(Planning::boardRows(m_context.programFolder(),
                                         m_context.path(QString::fromLatin1(Fleet::ArchiveName)), m_start,
                                         m_count),
                     m_start, m_count, m_context.clock().today());
    QGuiApplication::restoreOverrideCursor();
    if (m_board->rows().empty())
        m_lblInfo->setText(PlanningMessages::noVehicles().section(QLatin1Char('\n'), 0, 0));
    return true;
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

void TfrmTabellone::showCurrent(int row, int day)
{
    m_lblInfo->setText(m_board->describe(row, day).replace(QLatin1Char('\n'), QStringLiteral("  —  ")));
}

void TfrmTabellone::btnStampaClick()
{
    outputReport(m_context, this, Reports::boardSheet(m_board->rows(), m_start, m_count, RowsPerPrintedPage),
                 Output::Print, {});
}

void TfrmTabellone::btnPdfClick()
{
    const Reports::Prepared prepared =
        Reports::prepare(Reports::boardSheet(m_board->rows(), m_start, m_count, RowsPerPrintedPage),
                         m_context.clock().today());
    if (!prepared.ok) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: non è stato possibile preparare il documento."));
        return;
    }
    saveAsPdf(this, prepared.document, m_context.messages(), m_context.dialogs());
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

void TfrmTabellone::bookDay(int row, int day)
{
    if (row < 0 || row >= int(m_board->rows().size()) || day < 0 || day >= m_count)
        return;
    const Planning::FleetVehicle vehicle = m_board->rows()[std::size_t(row)].vehicle;
    const QString problem = Planning::fileNameProblem(vehicle.vehicle.number);
    if (!problem.isEmpty()) {
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: il numero del veicolo contiene caratteri che non possono far parte "
                           "del nome di un file (") +
                problem + QStringLiteral(")."));
        return;
    }
    const QDate date = m_start.addDays(day);
    const QString year = QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    const int slot = Planning::slotOfDate(date);
    const QString path = m_context.path(Planning::fileName(vehicle.vehicle.number, year));
    // Read as the grid reads it (a missing file is made empty), so that what is stored is known.
    const Planning::Loaded loaded = Planning::load(path);
    if (loaded.status == Planning::Loaded::Status::Unreadable) {
        m_context.messages().warning(
            this, PlanningMessages::unreadableYear(year) +
                      QStringLiteral(RF_BREAK_LF_CR "Il giorno non può essere prenotato."));
        return;
    }
    if (loaded.status == Planning::Loaded::Status::ReadOnly) {
        m_context.messages().warning(this,
                                     PlanningMessages::readOnlyYear(year, path, loaded.why, loaded.notice));
        return;
    }
    TfrmGiorno dialog(m_context, this);
    dialog.setDay(slot, PlanningMessages::dayTitle(slot, year),
                  QStringLiteral("Bici n. ") + vehicle.vehicle.number + QStringLiteral("  ") +
                      vehicle.vehicle.make,
                  loaded.days[std::size_t(slot)]);
    if (dialog.exec() != QDialog::Accepted || dialog.lblMemory != slot)
        return;
    Planning::Days mine = loaded.days;
    mine[std::size_t(slot)] = dialog.text();
    if (mine[std::size_t(slot)] != loaded.days[std::size_t(slot)].trimmed()) {
        const Planning::SaveResult result =
            Planning::saveMerged(path, vehicle.vehicle, loaded.days, mine, loaded.status);
        if (!result.written) {
            m_context.messages().warning(
                this,
                QStringLiteral("Attenzione: non è stato possibile salvare la prenotazione." RF_BREAK_LF_CR) +
                    PlanningMessages::saveFailureReason(path, result));
        } else {
            for (const QString& text : {PlanningMessages::meanwhileText(path, result.meanwhile),
                                        PlanningMessages::conflictsText(result.conflicts)}) {
                if (!text.isEmpty())
                    m_context.messages().warning(this, text);
            }
        }
    }
    m_board->setRow(row, Planning::boardRow(m_context.programFolder(), vehicle, m_start, m_count));
}

} // namespace rf
