#include "TfrmCalendario.h"

#include "storage/Amounts.h"
#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 330;
constexpr int ClientHeight = 318;

QPushButton* makeButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setFixedSize(100, 28);
    button->setCursor(Qt::PointingHandCursor);
    // Enter on the calendar must not fire a button by itself.
    button->setAutoDefault(false);
    return button;
}

// A white chevron for the month arrows, which the platform draws in colours of its own.
QIcon chevron(bool left, qreal ratio)
{
    constexpr int Size = 16;
    QPixmap pixmap(QSize(Size, Size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal tip = left ? 5.0 : 11.0;
    const qreal back = left ? 10.5 : 5.5;
    const QPointF points[] = {{back, 3.0}, {tip, 8.0}, {back, 13.0}};
    painter.drawPolyline(points, 3);
    painter.end();
    return QIcon(pixmap);
}

QCalendarWidget* makeCalendar(qreal ratio)
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
    header.setForeground(QColor(0x1F, 0x2A, 0x44));
    header.setBackground(QColor(0xDD, 0xE8, 0xF3));
    header.setFontWeight(QFont::Bold);
    calendar->setHeaderTextFormat(header);
    QTextCharFormat weekend;
    weekend.setForeground(QColor(0xB0, 0x20, 0x20));
    calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    calendar->setWeekdayTextFormat(Qt::Sunday, weekend);

    if (auto* previous = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setIcon(chevron(true, ratio));
    if (auto* next = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setIcon(chevron(false, ratio));
    return calendar;
}

} // namespace

TfrmCalendario::TfrmCalendario(Context& context, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, Form::SteelBlue, Form::WhiteFill);
    setStyleSheet(QStringLiteral(
        "QCalendarWidget QWidget#qt_calendar_navigationbar { background: #2B5C87;"
        " border-bottom: 1px solid #1F4566; }"
        "QCalendarWidget QToolButton { color: white; background: transparent; border: none;"
        " font-weight: bold; padding: 2px 6px; }"
        "QCalendarWidget QToolButton:hover { background: rgba(255, 255, 255, 50); border-radius: 3px; }"
        "QCalendarWidget QToolButton::menu-indicator { image: none; }"
        "QCalendarWidget QSpinBox { background: white; selection-background-color: #4682B4; }"
        "QCalendarWidget QAbstractItemView { background: white; selection-background-color: #4682B4;"
        " selection-color: white; }"));

    auto* lblImportare = new QLabel(QStringLiteral("Importare una data:"));
    lblImportare->setObjectName(QStringLiteral("lblImportare"));
    QFont captionFont(QStringLiteral("Verdana"));
    captionFont.setPixelSize(13);
    captionFont.setBold(true);
    lblImportare->setFont(captionFont);
    lblImportare->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    m_calAppuntamenti = makeCalendar(devicePixelRatioF());
    // Always today, whatever the edit holds.
    m_calAppuntamenti->setSelectedDate(context.clock().today());
    lblImportare->setBuddy(m_calAppuntamenti);

    m_btnImportaData = makeButton(QStringLiteral("btnImportaData"), QStringLiteral("Importa"));
    m_btnAnnulla = makeButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));

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
    static const QString modes[] = {QStringLiteral("doz_datainizio"), QStringLiteral("doz_datafine"),
                                    QStringLiteral("doz_data")};
    for (const QString& mode : modes) {
        if (lblMemory == mode) {
            m_importedDate = FormatDate(m_calAppuntamenti->selectedDate());
            accept();
            return;
        }
    }
}

} // namespace rf
