#include "TfrmPlanning.h"

#include "common/ui/CommandBar.h"
#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/RunDialog.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UserTexts.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/PlannerGuide.h"
#include "planner/ui/DayTile.h"
#include "planner/ui/PlanningMessages.h"
#include "planner/ui/TfrmAnteprimaPlanning.h"
#include "planner/ui/TfrmGiorno.h"
#include "planner/ui/TfrmIntervallo.h"
#include "planner/ui/TfrmRiepPrenotazioni.h"
#include "planner/ui/TfrmStampaPlanning.h"
#include "storage/CalendarNames.h"
#include "storage/MessageBreaks.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>

namespace rf {

namespace {

// The window is designed for WorkWindow::DesignSize and scaled to the window, up or down, so
// that it fits a laptop's screen less its taskbar as well as a large one.
constexpr int DesignWidth = WorkWindow::DesignSize.width();
constexpr int DesignHeight = WorkWindow::DesignSize.height();
constexpr int TileWidth = 24;
constexpr int TileHeight = 33;
// Where the pieces sit in the design area: the command bar, the vehicle band, the status strip;
// then one row per month, its title at the left and a tile per day after it.
constexpr QRect CommandBarPlace(10, 6, 996, 58);
constexpr QRect VehicleBandPlace(10, 72, 996, 68);
constexpr QRect StatusStripPlace(10, 680, 996, 26);
constexpr int FirstMonthTop = 152;
constexpr int MonthPitch = 40;
constexpr int MonthTitleLeft = 24;
constexpr int MonthTitleWidth = 136;
constexpr int FirstTileLeft = 166;
constexpr int TilePitch = 26;

QRect monthTitlePlace(int month)
{
    return QRect(MonthTitleLeft, FirstMonthTop + MonthPitch * (month - 1), MonthTitleWidth, TileHeight);
}

QRect tilePlace(int month, int day)
{
    return QRect(FirstTileLeft + TilePitch * (day - 1), FirstMonthTop + MonthPitch * (month - 1), TileWidth,
                 TileHeight);
}

} // namespace

TfrmPlanning::TfrmPlanning(Context& context, QWidget* parent)
    : WorkWindow(context, QStringLiteral("frmPlanning"), QString(), parent)
{
    setMinimumSize(DesignWidth * 3 / 4, DesignHeight * 3 / 4); // the tiles' figures stay legible
    buildWindow();
}

void TfrmPlanning::buildWindow()
{
    Style::gradientBackground(this);
    place(buildStatusStrip(), StatusStripPlace);
    place(buildCommandBar(), CommandBarPlace);
    place(buildVehicleBand(), VehicleBandPlace);
    buildMonthRows();
    placeCanvas();
}

// Every widget is made a child of the window when it is created: one shown without a parent would
// become a window of its own for a moment.
void TfrmPlanning::place(QWidget* widget, const QRect& designRect)
{
    Q_ASSERT(widget->parentWidget() == this);
    m_placed.emplace_back(widget, designRect);
}

QWidget* TfrmPlanning::buildStatusStrip()
{
    QWidget* strip = nullptr;
    m_panInfo = Status::makeStrip(this, QStringLiteral("Pronto per archiviare una nuova scheda..."), &strip);
    Status::clears(this, m_panInfo);
    // A notice of its own at the right of the strip, which hints and backgrounds leave alone.
    m_lblAvviso = new QLabel(strip);
    m_lblAvviso->setObjectName(QStringLiteral("lblAvviso"));
    m_lblAvviso->setFont(Style::font(Style::Family::Tahoma, 12, true));
    m_lblAvviso->setStyleSheet(m_panInfo->styleSheet());
    m_lblAvviso->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblAvviso->hide();
    if (auto* stripLayout = qobject_cast<QHBoxLayout*>(strip->layout()))
        stripLayout->addWidget(m_lblAvviso);
    return strip;
}

QWidget* TfrmPlanning::buildCommandBar()
{
    auto* bar = new CommandBar(m_panInfo, this);
    bar->add(QStringLiteral("cmdIntervallo"), QStringLiteral(":/planner/interval.svg"),
             QStringLiteral("Prenota intervallo di tempo."), [this] { cmdIntervalloClick(); });
    bar->add(QStringLiteral("cmdRiepilogo"), QStringLiteral(":/planner/summary.svg"),
             QStringLiteral("Visualizza il riepilogo delle prenotazioni registrate."),
             [this] { cmdRiepilogoClick(); });
    bar->addSeparator();
    bar->add(QStringLiteral("cmdAnteprima"), QStringLiteral("preview"),
             QStringLiteral("Visualizza l'anteprima di stampa del planning corrente."),
             [this] { runDialog<TfrmAnteprimaPlanning>(m_context, this, shownPlanning()); });
    bar->add(QStringLiteral("cmdStampa"), QStringLiteral("print"),
             QStringLiteral("Stampa il planning corrente."),
             [this] { runDialog<TfrmStampaPlanning>(m_context, this, shownPlanning()); });
    m_cmdIntervallo = bar->findChild<QWidget*>(QStringLiteral("cmdIntervallo"));
    addClosingCommands(bar, QStringLiteral("Visualizza la guida in linea."), [this] { cmdGuidaClick(); });
    // The exit command of this window has its own hint.
    if (auto* exit = bar->findChild<QWidget*>(QStringLiteral("cmdEsci")))
        Status::hint(exit, m_panInfo, QStringLiteral("Esci da questa schermata di lavoro."));
    return bar;
}

// Four read-only fields and the year.
QWidget* TfrmPlanning::buildVehicleBand()
{
    auto* band = new QFrame(this);
    band->setObjectName(QStringLiteral("panVeicolo"));
    band->setStyleSheet(Style::sheet(QStringLiteral("#panVeicolo { background: @PanelWash; border: 1px solid"
                                                    " @PanelBorder; border-radius: 6px; }")));
    Status::clears(band, m_panInfo);
    auto* bandLayout = new QGridLayout(band);
    bandLayout->setContentsMargins(12, 6, 12, 6);
    bandLayout->setHorizontalSpacing(10);
    bandLayout->setVerticalSpacing(2);
    const auto field = [&](const char* name, const char* caption, int capacity, int column, int stretch) {
        auto* edit = new QLineEdit(band);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        edit->setMaxLength(capacity);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setFont(Style::font(Style::Family::Verdana, 12, true));
        Form::highlightByBackground(edit);
        bandLayout->addWidget(Style::caption(QString::fromUtf8(caption), 11, band), 0, column);
        bandLayout->addWidget(edit, 1, column);
        bandLayout->setColumnStretch(column, stretch);
        return edit;
    };
    m_txtBiciNum = field("txtBiciNum", "Bicicletta n.", 30, 0, 2);
    m_txtMarca = field("txtMarca", "Marca e modello:", 120, 1, 5);
    m_txtColore = field("txtColore", "Colore:", 50, 2, 2);
    m_txtTaglia = field("txtTaglia", "Taglia:", 30, 3, 1);
    m_txtAnno = new QLabel(band);
    m_txtAnno->setObjectName(QStringLiteral("txtAnno"));
    m_txtAnno->setAlignment(Qt::AlignCenter);
    m_txtAnno->setFont(Style::font(Style::Family::Verdana, 34, true));
    m_txtAnno->setStyleSheet(Style::sheet(QStringLiteral("color: @FocusYellow; background: @SteelBlue;"
                                                         " border-radius: 6px; padding: 0 14px;")));
    bandLayout->addWidget(m_txtAnno, 0, 4, 2, 1);
    return band;
}

// Twelve month rows: the title, then a free and a booked tile for every day.
ShownPlanning TfrmPlanning::shownPlanning() const
{
    ShownPlanning planning{year(), m_txtBiciNum->text(), m_txtMarca->text(), m_txtTaglia->text(), {}};
    for (int slot = 0; slot < Planning::DayCount; ++slot)
        planning.booked.push_back(isBooked(slot));
    return planning;
}

void TfrmPlanning::buildMonthRows()
{
    const QString tileHint =
        QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una prenotazione.");
    for (int m = 1; m <= 12; ++m) {
        const Planning::Month& month = Planning::months()[std::size_t(m - 1)];
        auto* title = new QLabel(monthNameInText(m).toUpper() + QLatin1Char(':'), this);
        title->setObjectName(QStringLiteral("tit") + QLatin1String(month.control));
        title->setAlignment(Qt::AlignCenter);
        title->setFont(Style::font(Style::Family::Verdana, 13, true));
        title->setStyleSheet(
            Style::sheet(QStringLiteral("background: @SteelBlue; color: white; border-radius: 3px;")));
        Status::clears(title, m_panInfo);
        place(title, monthTitlePlace(m));
        for (int d = 1; d <= month.days; ++d) {
            const int slot = Planning::slotOf(m, d);
            for (const bool booked : {false, true}) {
                auto* tile = new DayTile(slot, d, booked, this);
                tile->setObjectName((booked ? QStringLiteral("occ") : QStringLiteral("lib")) +
                                    Planning::controlSuffix(slot));
                if (booked)
                    tile->hide();
                Status::hint(tile, m_panInfo, tileHint);
                connect(tile, &DayTile::clicked, this, &TfrmPlanning::dayClick);
                place(tile, tilePlace(m, d));
                (booked ? m_booked : m_free)[std::size_t(slot)] = tile;
            }
        }
    }
}

void TfrmPlanning::placeCanvas()
{
    const double scale = std::min(double(width()) / DesignWidth, double(height()) / DesignHeight);
    const QPoint offset((width() - int(DesignWidth * scale)) / 2, (height() - int(DesignHeight * scale)) / 2);
    for (const auto& [widget, rect] : m_placed) {
        widget->setGeometry(QRect(offset + QPoint(int(rect.x() * scale), int(rect.y() * scale)),
                                  QSize(int(rect.width() * scale), int(rect.height() * scale))));
    }
}

void TfrmPlanning::resizeEvent(QResizeEvent* event)
{
    WorkWindow::resizeEvent(event);
    placeCanvas();
}

void TfrmPlanning::setTarget(const PlanningTarget& target)
{
    m_target = target;
    setWindowTitle(QStringLiteral(" Rotaflux - Planner prenotazioni anno ") + target.year);
    m_txtAnno->setText(target.year);
}

void TfrmPlanning::reset()
{
    for (int slot = 0; slot < Planning::DayCount; ++slot) {
        m_days[std::size_t(slot)].clear();
        m_free[std::size_t(slot)]->setVisible(true);
        m_booked[std::size_t(slot)]->setVisible(false);
    }
    m_loaded = m_days;
    lblPosizione.clear();
    m_loadedStatus = Planning::Loaded::Status::Empty;
    showSaveable();
}

void TfrmPlanning::showSaveable(const QString& notice)
{
    const bool saveable = isSaveable();
    for (int slot = 0; slot < Planning::DayCount; ++slot) {
        m_free[std::size_t(slot)]->setEnabled(saveable);
        m_booked[std::size_t(slot)]->setEnabled(saveable);
    }
    if (m_cmdIntervallo)
        m_cmdIntervallo->setEnabled(saveable);
    m_lblAvviso->setText(notice);
    m_lblAvviso->setVisible(!notice.isEmpty());
}

void TfrmPlanning::showEvent(QShowEvent* event)
{
    WorkWindow::showEvent(event);
    if (event->spontaneous())
        return;
    reset();
    m_txtBiciNum->setText(m_target.vehicle.number);
    m_txtMarca->setText(m_target.vehicle.make);
    m_txtColore->setText(m_target.vehicle.colour);
    m_txtTaglia->setText(m_target.vehicle.size);
    // A field too narrow for its text shows the start; the whole text is under the pointer.
    for (QLineEdit* field : {m_txtBiciNum, m_txtMarca, m_txtColore, m_txtTaglia})
        field->setToolTip(field->text());
    m_txtBiciNum->setFocus(Qt::OtherFocusReason);
    load();
}

void TfrmPlanning::load()
{
    const Planning::Loaded loaded = Planning::load(m_target.file);
    m_loadedStatus = loaded.status;
    m_workshop = Service::read(m_context.dataFolder(), m_target.vehicle.number).entries;
    lblPosizione = QStringLiteral("1");
    QString warning;
    if (loaded.status == Planning::Loaded::Status::Unreadable) {
        // Nothing will be written over the file: booking here would only be thrown away.
        showSaveable(QStringLiteral("Prenotazioni non leggibili: le modifiche non possono essere salvate."));
        warning =
            PlanningMessages::unreadableYear(m_target.year) +
            QStringLiteral(RF_BREAK_LF_CR "Le modifiche apportate in questa schermata non verranno salvate.");
    } else {
        for (int slot = 0; slot < Planning::DayCount; ++slot)
            setDay(slot, loaded.days[std::size_t(slot)]);
        m_loaded = m_days;
        if (loaded.status == Planning::Loaded::Status::ReadOnly) {
            showSaveable(QStringLiteral("Sola consultazione: le modifiche non possono essere salvate."));
            warning = PlanningMessages::readOnlyYear(m_target.year, m_target.file, loaded.why, loaded.notice);
        } else if (!loaded.notice.isEmpty()) {
            warning = Texts::archiveNotice(loaded.notice);
        }
    }
    if (!warning.isEmpty())
        // Shown once the grid is on screen.
        QTimer::singleShot(0, this, [this, warning] { m_context.messages().warning(this, warning); });
}

void TfrmPlanning::setDay(int slot, const QString& text)
{
    const std::size_t i = std::size_t(slot);
    m_days[i] = text.trimmed();
    const bool booked = !m_days[i].isEmpty();
    m_free[i]->setVisible(!booked);
    m_booked[i]->setVisible(booked);
}

bool TfrmPlanning::save()
{
    if (!isSaveable())
        return true; // the stored bookings were not read or cannot be written: they are left as they are
    Messages& messages = m_context.messages();
    for (;;) {
        const Planning::SaveResult result =
            Planning::saveMerged(m_target.file, m_target.vehicle, m_loaded, m_days, m_loadedStatus);
        if (!PlanningMessages::tellWritten(messages, this, {{{m_target.file, result}}})) {
            lblPosizione = QStringLiteral("1");
            return true;
        }
        if (messages.confirm(
                this,
                QStringLiteral("Attenzione: non è stato possibile salvare le prenotazioni." RF_BREAK_LF_CR) +
                    PlanningMessages::saveFailureReason(m_target.file, result) +
                    QStringLiteral(RF_BREAK_LF_CR "Riprovare il salvataggio?")))
            continue;
        return messages.confirm(
            this, QStringLiteral("Chiudere il planner senza salvare? Le prenotazioni inserite o "
                                 "modificate in questa schermata andranno perse."));
    }
}

bool TfrmPlanning::beforeClose()
{
    return save();
}

QString TfrmPlanning::vehicleLine() const
{
    return Fleet::vehicleLabel(m_txtBiciNum->text().trimmed(), m_txtMarca->text().trimmed());
}

void TfrmPlanning::dayClick(int slot)
{
    if (!isSaveable())
        return;
    const QString year = m_target.year.trimmed();
    if (!Planning::isDayOf(slot, year.toInt())) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: la data 29/02/") + year +
                      QStringLiteral(" non esiste." RF_BREAK_LF_CR "Per poter effettuare la "
                                     "prenotazione è necessario indicare una data valida."));
        return;
    }
    const QDate date(year.toInt(), Planning::monthOf(slot), Planning::dayOf(slot)); // valid: checked above
    if (m_days[std::size_t(slot)].isEmpty() && !workshopAgreed(date, date))
        return;
    TfrmGiorno dialog(m_context, this);
    dialog.setDay(slot, PlanningMessages::dayTitle(slot, year), vehicleLine(), m_days[std::size_t(slot)]);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.lblMemory >= 0)
        setDay(dialog.lblMemory, dialog.text());
}

void TfrmPlanning::cmdIntervalloClick()
{
    if (!isSaveable())
        return;
    TfrmIntervallo dialog(m_context, this);
    dialog.setUp(m_target.year, vehicleLine());
    dialog.setBooked(m_days);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int year = m_target.year.trimmed().toInt();
    // 29 February of a year without one stands for the day after it.
    const auto dateOf = [year](int slot) {
        const QDate date(year, Planning::monthOf(slot), Planning::dayOf(slot));
        return date.isValid() ? date : QDate(year, 3, 1);
    };
    if (!dialog.text().isEmpty() && !workshopAgreed(dateOf(dialog.firstSlot()), dateOf(dialog.lastSlot())))
        return;
    for (int slot = dialog.firstSlot(); slot >= 0 && slot <= dialog.lastSlot(); ++slot) {
        if (Planning::isDayOf(slot, year))
            setDay(slot, dialog.text());
    }
}

bool TfrmPlanning::workshopAgreed(const QDate& first, const QDate& last)
{
    const std::vector<Service::WorkshopSpan> stays = Service::workshopSpans(m_workshop, first, last);
    return PlanningMessages::workshopAgreed(m_context.messages(), this,
                                            stays.empty() ? nullptr : &stays.front().entry);
}

QStringList TfrmPlanning::summaryLines() const
{
    QStringList lines;
    for (int slot = 0; slot < Planning::DayCount; ++slot) {
        if (!m_days[std::size_t(slot)].trimmed().isEmpty())
            lines.append(Planning::summaryLine(slot, m_days[std::size_t(slot)]));
    }
    return lines;
}

void TfrmPlanning::cmdRiepilogoClick()
{
    TfrmRiepPrenotazioni summary(m_context, this, summaryLines(),
                                 QStringLiteral("Riepilogo prenotazioni bici n. ") +
                                     m_txtBiciNum->text().trimmed() + QLatin1Char(' ') +
                                     m_txtMarca->text().trimmed() + QStringLiteral(" anno ") +
                                     m_txtAnno->text().trimmed(),
                                 m_lastSummarySearch);
    summary.exec();
}

void TfrmPlanning::cmdGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, Guide::PlannerTitle, Guide::plannerParagraphs());
}

} // namespace rf
