#include "TfrmIntervallo.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "planner/BookedDays.h"
#include "planner/ui/BookingText.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"
#include "storage/MessageBreaks.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rf {

namespace {

// "/01/" ... "/12/" for a month name, compared trimmed and in lower case; empty when unknown.
QString monthPiece(const QString& name)
{
    for (int m = 1; m <= 12; ++m) {
        if (monthNameInText(m) == name.trimmed().toLower())
            return QStringLiteral("/%1/").arg(m, 2, 10, QLatin1Char('0'));
    }
    return {};
}

} // namespace

TfrmIntervallo::TfrmIntervallo(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmIntervallo"),
                  QStringLiteral(" Prenotazione noleggio veicolo per intervallo di tempo"), QSize(778, 366))
{
    setStyleSheet(Style::sheet(QStringLiteral(
        "QGroupBox { background: @PanelWash; border: 1px solid @PanelBorder; border-radius: 6px; margin-top: "
        "10px;"
        " font-weight: bold; color: @Ink; } QGroupBox::title { subcontrol-origin: margin; left: 10px; }"
        "QComboBox { background: @IdleFill; border: 1px solid @EditBorder; padding: 2px 6px; min-height: "
        "22px; }"
        "QComboBox:focus { background: @FocusYellow; }")));

    m_infCamera = new QLabel(this);
    m_infCamera->setObjectName(QStringLiteral("infCamera"));
    m_infCamera->setAlignment(Qt::AlignCenter);
    // A long make and model wraps onto more lines instead of losing the vehicle's number.
    m_infCamera->setWordWrap(true);
    m_infCamera->setMinimumHeight(40);
    m_infCamera->setFont(Style::font(Style::Family::Verdana, 15, true));
    m_infCamera->setStyleSheet(
        Style::sheet(QStringLiteral("background: @Navy; color: white; border-radius: 4px;")));

    m_txtGiornoInizio = makeDayPicker(QStringLiteral("txtGiornoInizio"));
    m_txtMeseInizio = makeMonthPicker(QStringLiteral("txtMeseInizio"));
    m_txtGiornoFine = makeDayPicker(QStringLiteral("txtGiornoFine"));
    m_txtMeseFine = makeMonthPicker(QStringLiteral("txtMeseFine"));
    m_lblAnnoInizio = new QLabel;
    m_lblAnnoInizio->setObjectName(QStringLiteral("lblAnnoInizio"));
    m_lblAnnoFine = new QLabel;
    m_lblAnnoFine->setObjectName(QStringLiteral("lblAnnoFine"));

    m_booking = new BookingText(context);
    QPushButton* btnChiudi =
        Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Applica e chiudi"), QSize(150, 32), this);
    btnChiudi->setAutoDefault(true); // Enter in the text leads here; Enter here applies
    QPushButton* btnAnnulla =
        Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(150, 32), this);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmIntervallo::btnChiudiClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    Form::enterChain({m_txtGiornoInizio, m_txtMeseInizio, m_txtGiornoFine, m_txtMeseFine, m_booking->edit()});
    Form::enterMovesTo(m_booking->edit(), btnChiudi);

    auto* dates = new QHBoxLayout;
    dates->setSpacing(16);
    dates->addWidget(dateGroup(QStringLiteral(" Data inizio intervallo: "), m_txtGiornoInizio,
                               m_txtMeseInizio, m_lblAnnoInizio));
    dates->addWidget(
        dateGroup(QStringLiteral(" Data fine intervallo: "), m_txtGiornoFine, m_txtMeseFine, m_lblAnnoFine));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(m_infCamera);
    layout->addWidget(Style::caption(
        QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da prenotare."), 12));
    layout->addLayout(dates);
    layout->addWidget(
        Style::caption(QStringLiteral("Indicare il nome del cliente nel campo sottostante."), 12));
    layout->addWidget(m_booking);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnChiudi, btnAnnulla}));
}

QComboBox* TfrmIntervallo::makeDayPicker(const QString& name)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    for (int d = 1; d <= 31; ++d)
        picker->addItem(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));
    picker->setCurrentIndex(-1);
    picker->setMinimumWidth(80);
    Form::filterPicker(picker);
    return picker;
}

QComboBox* TfrmIntervallo::makeMonthPicker(const QString& name)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    for (int m = 1; m <= 12; ++m)
        picker->addItem(monthName(m));
    picker->setCurrentIndex(-1);
    picker->setMinimumWidth(150);
    Form::filterPicker(picker);
    return picker;
}

QWidget* TfrmIntervallo::dateGroup(const QString& title, QComboBox* day, QComboBox* month, QLabel* year)
{
    auto* group = new QGroupBox(title);
    year->setFont(Style::font(Style::Family::Verdana, 24, true));
    year->setStyleSheet(Style::sheet(QStringLiteral("color: @SteelBlue; background: transparent;")));
    auto* grid = new QHBoxLayout(group);
    grid->setContentsMargins(12, 16, 12, 10);
    grid->setSpacing(10);
    auto* dayColumn = new QVBoxLayout;
    dayColumn->addWidget(Style::caption(QStringLiteral("Giorno:"), 11));
    dayColumn->addWidget(day);
    auto* monthColumn = new QVBoxLayout;
    monthColumn->addWidget(Style::caption(QStringLiteral("Mese:"), 11));
    monthColumn->addWidget(month);
    grid->addLayout(dayColumn);
    grid->addLayout(monthColumn);
    grid->addStretch(1);
    grid->addWidget(year, 0, Qt::AlignBottom);
    return group;
}

void TfrmIntervallo::setUp(const QString& year, const QString& vehicleLine)
{
    m_year = year.trimmed();
    m_lblAnnoInizio->setText(m_year);
    m_lblAnnoFine->setText(m_year);
    m_infCamera->setText(vehicleLine);
    for (QComboBox* picker : {m_txtGiornoInizio, m_txtMeseInizio, m_txtGiornoFine, m_txtMeseFine})
        picker->setCurrentIndex(-1);
}

QString TfrmIntervallo::text() const
{
    return m_booking->trimmed();
}

void TfrmIntervallo::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    m_booking->edit()->setFocus(Qt::OtherFocusReason);
}

void TfrmIntervallo::refuse(bool plain, const QString& message, QWidget* focus)
{
    if (plain)
        m_context.messages().plain(this, message);
    else
        m_context.messages().warning(this, message);
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

bool TfrmIntervallo::pickersFilled()
{
    const auto blank = [](const QComboBox* picker) { return picker->currentText().trimmed().isEmpty(); };
    const auto missing = [this](const QString& message, QWidget* picker) {
        refuse(false, message, picker);
        return false;
    };
    if (blank(m_txtGiornoInizio))
        return missing(
            QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco "
                           "a cascata."),
            m_txtGiornoInizio);
    if (blank(m_txtMeseInizio))
        return missing(
            QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a "
                           "cascata."),
            m_txtMeseInizio);
    if (blank(m_txtGiornoFine))
        return missing(
            QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a "
                           "cascata."),
            m_txtGiornoFine);
    if (blank(m_txtMeseFine))
        return missing(
            QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
                           "cascata."),
            m_txtMeseFine);
    return true;
}

std::optional<std::pair<QDate, QDate>> TfrmIntervallo::checkedDates()
{
    lblDataInizio = m_txtGiornoInizio->currentText().trimmed() + monthPiece(m_txtMeseInizio->currentText()) +
                    m_lblAnnoInizio->text().trimmed();
    const QDate start = parseDate(lblDataInizio);
    if (!start.isValid()) {
        refuse(true,
               QStringLiteral("Attenzione: la data ") + lblDataInizio +
                   QStringLiteral(" di inizio intervallo non esiste." RF_BREAK_LF_CR
                                  "Per poter effettuare la "
                                  "prenotazione è necessario indicare una data valida."),
               m_txtGiornoInizio);
        return std::nullopt;
    }
    lblDataFine = m_txtGiornoFine->currentText().trimmed() + monthPiece(m_txtMeseFine->currentText()) +
                  m_lblAnnoFine->text().trimmed();
    const QDate end = parseDate(lblDataFine);
    if (!end.isValid()) {
        refuse(true,
               QStringLiteral("Attenzione: la data ") + lblDataFine +
                   QStringLiteral(" di fine intervallo non esiste." RF_BREAK_LF_CR
                                  "Per effettuare la prenotazione è "
                                  "necessario indicare una data valida."),
               m_txtGiornoFine);
        return std::nullopt;
    }
    if (start > end) {
        refuse(
            true,
            QStringLiteral("Attenzione: la data di fine intervallo (") + lblDataFine +
                QStringLiteral(") non può essere anteriore a quella di inizio intervallo (") + lblDataInizio +
                QStringLiteral(")." RF_BREAK_LF_CR "Per effettuare la prenotazione è necessario indicare un "
                               "intervallo di tempo valido."),
            nullptr);
        return std::nullopt;
    }
    return std::make_pair(start, end);
}

void TfrmIntervallo::btnChiudiClick()
{
    lblDataInizio.clear();
    lblDataFine.clear();
    if (!pickersFilled())
        return;
    const std::optional<std::pair<QDate, QDate>> dates = checkedDates();
    if (!dates)
        return;
    const auto [start, end] = *dates;
    if (text().isEmpty())
        return refuse(
            false,
            QStringLiteral("Attenzione: per effettuare la prenotazione è necessario indicare il nome del "
                           "cliente."),
            m_booking->edit());
    const int first = Planning::slotOfDate(start);
    const int last = Planning::slotOfDate(end);
    const std::vector<Planning::BookedDay> taken =
        Planning::bookedOtherwise(m_booked, start.year(), first, last, text());
    const QString warning = taken.empty()
                                ? QString()
                                : QStringLiteral("Attenzione: nell'intervallo risultano già prenotati i "
                                                 "giorni ") +
                                      Planning::listDays(taken) +
                                      QStringLiteral(", che verranno sostituiti." RF_BREAK_CR_LF);
    if (!m_context.messages().confirm(this,
                                      warning + QStringLiteral("INTERVALLO SELEZIONATO:  DAL  ") +
                                          lblDataInizio + QStringLiteral(" AL ") + lblDataFine +
                                          QStringLiteral("." RF_BREAK_CR_LF "Si conferma la prenotazione?")))
        return;
    m_first = first;
    m_last = last;
    accept();
}

} // namespace rf
