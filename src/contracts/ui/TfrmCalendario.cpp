#include "TfrmCalendario.h"

#include "common/ui/Context.h"
#include "storage/Amounts.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 330;
constexpr int ClientHeight = 318;

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

} // namespace

TfrmCalendario::TfrmCalendario(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmCalendario"), QStringLiteral(" Importazione data"),
                  QSize(ClientWidth, ClientHeight))
{
    setStyleSheet(Style::sheet(QStringLiteral(
        "QCalendarWidget QWidget#qt_calendar_navigationbar { background: @NavigationBar;"
        " border-bottom: 1px solid @NavigationRule; }"
        "QCalendarWidget QToolButton { color: white; background: transparent; border: none;"
        " font-weight: bold; padding: 2px 6px; }"
        "QCalendarWidget QToolButton:hover { background: @LightWash; border-radius: 3px; }"
        "QCalendarWidget QToolButton::menu-indicator { image: none; }"
        "QCalendarWidget QSpinBox { background: white; selection-background-color: @SteelBlue; }"
        "QCalendarWidget QAbstractItemView { background: white; selection-background-color: @SteelBlue;"
        " selection-color: white; }")));

    QLabel* lblImportare = Style::caption(QStringLiteral("Importare una data:"), 13);
    lblImportare->setObjectName(QStringLiteral("lblImportare"));
    lblImportare->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    m_calAppuntamenti = makeCalendar();
    // Always today, whatever the edit holds.
    m_calAppuntamenti->setSelectedDate(context.clock().today());
    lblImportare->setBuddy(m_calAppuntamenti);

    m_btnImportaData =
        Style::button(QStringLiteral("btnImportaData"), QStringLiteral("Importa"), QSize(100, 28));
    m_btnAnnulla = Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(100, 28));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    layout->addWidget(lblImportare);
    layout->addWidget(m_calAppuntamenti, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_btnImportaData);
    buttons->addWidget(m_btnAnnulla);
    layout->addLayout(buttons);

    connect(m_btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    m_calAppuntamenti->setFocus();
}

void TfrmCalendario::btnImportaDataClick()
{
    if (lblMemory == DateFor::None)
        return;
    m_importedDate = formatDate(m_calAppuntamenti->selectedDate());
    accept();
}

} // namespace rf
