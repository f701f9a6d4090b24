#include "TfrmGiorno.h"

#include "common/ui/PictureButton.h"
#include "planner/ui/BookingText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rf {

TfrmGiorno::TfrmGiorno(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmGiorno"),
                  QStringLiteral(" Prenotazione noleggio veicolo"), QSize(660, 425))
{
    m_infCamera = new QLabel(QStringLiteral("Veicolo"), this);
    m_infCamera->setObjectName(QStringLiteral("infCamera"));
    m_infCamera->setAlignment(Qt::AlignCenter);
    // A long make and model wraps onto more lines instead of losing the vehicle's number.
    m_infCamera->setWordWrap(true);
    m_infCamera->setMinimumHeight(44);
    m_infCamera->setFont(Style::font(Style::Family::Verdana, 15, true));
    m_infCamera->setStyleSheet(QStringLiteral("background: black; color: white; border-radius: 4px;"));

    m_infGiorno = new QLabel(QStringLiteral("Data prenotazione"));
    m_infGiorno->setObjectName(QStringLiteral("infGiorno"));
    m_infGiorno->setAlignment(Qt::AlignCenter);
    m_infGiorno->setFont(Style::font(Style::Family::Verdana, 20, true));
    m_infGiorno->setStyleSheet(Style::sheet(QStringLiteral("color: @Brown; background: transparent;")));

    QLabel* prompt = Style::caption(QStringLiteral("Nome del cliente ed eventuale numero di telefono:"), 12);
    m_booking = new BookingText(context);
    connect(m_booking, &BookingText::textChanged, this, &TfrmGiorno::updateIndicator);

    m_icoLibera = SvgPicture::create(QStringLiteral(":/planner/badge_free.svg"), QStringLiteral("icoLibera"),
                                     QSize(150, 40));
    m_icoOccupata = SvgPicture::create(QStringLiteral(":/planner/badge_booked.svg"),
                                       QStringLiteral("icoOccupata"), QSize(150, 40));
    m_icoOccupata->hide();
    auto* indicator = new QHBoxLayout;
    indicator->addStretch(1);
    indicator->addWidget(m_icoLibera);
    indicator->addWidget(m_icoOccupata);
    indicator->addStretch(1);

    QPushButton* btnChiudi =
        Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Applica e chiudi"), QSize(150, 32), this);
    QPushButton* btnAnnulla =
        Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(150, 32), this);
    btnChiudi->setDefault(true); // Enter in the text applies
    connect(btnChiudi, &QPushButton::clicked, this, [this] {
        updateIndicator();
        accept();
    });
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(12);
    layout->addWidget(m_infCamera);
    layout->addWidget(m_infGiorno);
    layout->addStretch(1);
    layout->addWidget(prompt);
    layout->addWidget(m_booking);
    layout->addLayout(indicator);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnChiudi, btnAnnulla}));
}

void TfrmGiorno::setDay(int slot, const QString& dateLine, const QString& vehicleLine, const QString& text)
{
    lblMemory = slot;
    m_infGiorno->setText(dateLine);
    m_infCamera->setText(vehicleLine);
    m_booking->setText(text);
    updateIndicator();
}

QString TfrmGiorno::text() const
{
    return m_booking->trimmed();
}

bool TfrmGiorno::showsBooked() const
{
    return !m_icoOccupata->isHidden();
}

void TfrmGiorno::updateIndicator()
{
    const bool booked = !m_booking->trimmed().isEmpty();
    m_icoOccupata->setVisible(booked);
    m_icoLibera->setVisible(!booked);
}

void TfrmGiorno::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    m_booking->edit()->setFocus(Qt::OtherFocusReason);
}

} // namespace rf
