#include "TfrmMenuCamere.h"

#include "common/ui/Style.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

TfrmMenuCamere::TfrmMenuCamere(Context& context, QWidget* parent)
    : WorkWindow(context, QStringLiteral("frmMenuCamere"), QStringLiteral(" Rotaflux - Planner Prenotazioni"),
                     parent),
      lblMemory(QStringLiteral("avvio"))
{
    Style::gradientBackground(this);
    // The yearly planner is not part of this release: the area says so and leads back.
    auto* note = new QLabel(QStringLiteral("Il planner delle prenotazioni sarà disponibile in una prossima versione."),
                            this);
    note->setObjectName(QStringLiteral("lblAvviso"));
    note->setAlignment(Qt::AlignCenter);
    note->setStyleSheet(QStringLiteral("color: white; font-size: 18px; font-weight: bold;"));
    QPushButton* back =
        Style::button(QStringLiteral("imgEsci"), QStringLiteral("Torna al menu principale"), QSize(240, 36), this);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(note);
    layout->addSpacing(20);
    layout->addWidget(back, 0, Qt::AlignHCenter);
    layout->addStretch(1);
}

void TfrmMenuCamere::showEvent(QShowEvent* event)
{
    lblMemory = QStringLiteral("avvio");
    WorkWindow::showEvent(event);
}

} // namespace rf
