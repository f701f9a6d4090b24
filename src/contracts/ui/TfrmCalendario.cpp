#include "TfrmCalendario.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "contracts/DayCount.h"
#include "storage/Amounts.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 330;
constexpr int ClientHeight = 354;

QCalendarWidget* makeCalendar()
{
    auto* calendar = new QCalendarWidget;
    calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    // Italian names whatever the process default is; weeks start on Monday.
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendar->setGridVisible(false);
    // Dates are typed in the picker's own edit; the calendar's pop-up editor turned typed days
    // into other dates.
    calendar->setDateEditEnabled(false);

    QTextCharFormat header;
    header.setForeground(QColor::fromRgba(Style::Ink));
    header.setBackground(QColor::fromRgba(Style::HeaderFill));
    header.setFontWeight(QFont::Bold);
    calendar->setHeaderTextFormat(header);
    QTextCharFormat weekend;
    weekend.setForeground(QColor::fromRgba(Style::WeekendRed));
    calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    calendar->setWeekdayTextFormat(Qt::Sunday, weekend);

    if (auto* previous = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setIcon(Style::pictureIcon(QStringLiteral(":/common/chevron_left.svg"), QSize(16, 16)));
    if (auto* next = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setIcon(Style::pictureIcon(QStringLiteral(":/common/chevron_right.svg"), QSize(16, 16)));
    return calendar;
}

// The calendar's navigation bar and days in the dialog's colours.
QString calendarSheet()
{
    return Style::sheet(QStringLiteral(
        "QCalendarWidget QWidget#qt_calendar_navigationbar { background: @NavigationBar;"
        " border-bottom: 1px solid @NavigationRule; }"
        "QCalendarWidget QToolButton { color: white; background: transparent; border: none;"
        " font-weight: bold; padding: 2px 6px; }"
        "QCalendarWidget QToolButton:hover { background: @LightWash; border-radius: 3px; }"
        "QCalendarWidget QToolButton::menu-indicator { image: none; }"
        // Room for the longest month name in bold ("Settembre"), which the button's own size cuts.
        "QCalendarWidget QToolButton#qt_calendar_monthbutton { min-width: 96px; }"
        "QCalendarWidget QSpinBox { background: white; selection-background-color: @SteelBlue; }"
        "QCalendarWidget QAbstractItemView { background: white; selection-background-color: @SteelBlue;"
        " selection-color: white; }"));
}

} // namespace

TfrmCalendario::TfrmCalendario(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmCalendario"), QStringLiteral(" Importazione data"),
                  QSize(ClientWidth, ClientHeight))
{
    setStyleSheet(calendarSheet());

    QLabel* lblImportare = Style::caption(QStringLiteral("Importare una data:"), 13);
    lblImportare->setObjectName(QStringLiteral("lblImportare"));
    lblImportare->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    m_txtDigitata = new QLineEdit(this);
    m_txtDigitata->setObjectName(QStringLiteral("txtDataDigitata"));
    m_txtDigitata->setMaxLength(10);
    m_txtDigitata->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_txtDigitata->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    Form::highlightByBackground(m_txtDigitata);
    lblImportare->setBuddy(m_txtDigitata);

    m_calAppuntamenti = makeCalendar();
    m_calAppuntamenti->setParent(this);
    // Always today, whatever the edit holds.
    m_calAppuntamenti->setSelectedDate(context.clock().today());

    m_btnImportaData =
        Style::button(QStringLiteral("btnImportaData"), QStringLiteral("Importa"), QSize(100, 28));
    m_btnAnnulla = Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(100, 28));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    layout->addWidget(lblImportare);
    layout->addWidget(m_txtDigitata);
    layout->addWidget(m_calAppuntamenti, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_btnImportaData);
    buttons->addWidget(m_btnAnnulla);
    layout->addLayout(buttons);

    connectControls();
    m_txtDigitata->setFocus();
}

void TfrmCalendario::connectControls()
{
    connect(m_btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_txtDigitata, &QLineEdit::textChanged, this, &TfrmCalendario::followTyping);
    // A day chosen on the calendar replaces what was typed, so the two never disagree.
    connect(m_calAppuntamenti, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_following)
            m_txtDigitata->setText(formatDate(m_calAppuntamenti->selectedDate()));
    });
    // Enter (or a double click) on a calendar day imports it, as Enter in the typed date does.
    connect(m_calAppuntamenti, &QCalendarWidget::activated, this, [this] { btnImportaDataClick(); });
    Form::onEvent(m_txtDigitata, [this](QEvent* e) {
        // Reached as the picker opens, the key already typed is not selected: the next key
        // follows it instead of replacing it.
        if (e->type() == QEvent::FocusIn && m_txtDigitata->isModified()) {
            QTimer::singleShot(0, m_txtDigitata, [this] {
                m_txtDigitata->deselect();
                m_txtDigitata->end(false);
            });
            return false;
        }
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        btnImportaDataClick();
        return true;
    });
}

void TfrmCalendario::startTyping(const QString& firstKey)
{
    m_txtDigitata->setText(firstKey);
    m_txtDigitata->setModified(!firstKey.isEmpty()); // typed by the user
    m_txtDigitata->setCursorPosition(int(firstKey.size()));
    m_txtDigitata->setFocus();
}

void TfrmCalendario::followTyping()
{
    const QDate shown(m_calAppuntamenti->yearShown(), m_calAppuntamenti->monthShown(), 1);
    const TypedDate typed = readTypedDate(m_txtDigitata->text(), shown);
    if (!typed.date.isValid())
        return;
    m_following = true;
    m_calAppuntamenti->setSelectedDate(typed.date);
    m_following = false;
}

void TfrmCalendario::btnImportaDataClick()
{
    if (lblMemory == DateFor::None)
        return;
    const QString text = m_txtDigitata->text();
    if (text.trimmed().isEmpty()) {
        import(m_calAppuntamenti->selectedDate());
        return;
    }
    const TypedDate typed = readTypedDate(text);
    if (typed.reading == TypedDate::Reading::Date) {
        import(typed.date);
        return;
    }
    m_context.messages().warning(this, typedDateProblem(text, typed.reading));
    m_txtDigitata->setFocus();
}

void TfrmCalendario::import(const QDate& date)
{
    m_importedDate = formatDate(date);
    accept();
}

} // namespace rf
