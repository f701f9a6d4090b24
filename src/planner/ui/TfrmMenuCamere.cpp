#include "TfrmMenuCamere.h"

TfrmMenuCamere::TfrmMenuCamere(rf::Context& context, QWidget* parent)
    : rf::WorkWindow(context, QStringLiteral("frmMenuCamere"), QStringLiteral(" Rotaflux - Planner Prenotazioni"),
                     parent),
      lblMemory(QStringLiteral("avvio"))
{
}

void TfrmMenuCamere::showEvent(QShowEvent* event)
{
    lblMemory = QStringLiteral("avvio");
    rf::WorkWindow::showEvent(event);
}
