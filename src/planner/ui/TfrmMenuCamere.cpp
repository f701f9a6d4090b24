#include "TfrmMenuCamere.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmGuida.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlannerGuide.h"
#include "planner/PlannerVehicles.h"
#include "planner/ui/PlanningMessages.h"
#include "planner/ui/TfrmDisponibilita.h"
#include "planner/ui/TfrmTabellone.h"
#include "storage/ArchiveFile.h"
#include "storage/MessageBreaks.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace rf {

namespace {
// The characters of a vehicle line with a year of construction of up to four, and what the panel
// adds around the list's text: its margins, the list's frame and its vertical scroll bar.
constexpr int LongestLine = 8 + 15 + 2 + 28 + 10 + 12 + 10 + 24 + 8 + 4;
constexpr int ListChrome = 60 + 4 + 24;
const QString FourDigits = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
const QString NoneSelected =
    QStringLiteral("Attenzione: selezionare un veicolo dall'elenco prima di premere il pulsante Apri.");
} // namespace

TfrmMenuCamere::TfrmMenuCamere(Context& context, QWidget* parent)
    : WorkWindow(context, QStringLiteral("frmMenuCamere"), QStringLiteral(" Rotaflux - Planner Prenotazioni"),
                 parent)
{
    Style::gradientBackground(this);
    m_model.setItemWidth(910);

    auto* banner = SvgPicture::create(QStringLiteral(":/planner/entry_banner.svg"),
                                      QStringLiteral("imgTitolo"), QSize(900, 90));
    auto* lblInformazioni =
        new QLabel(QStringLiteral("Selezionare un anno solare e un veicolo e premere il pulsante Apri."));
    lblInformazioni->setObjectName(QStringLiteral("lblInformazioni"));
    lblInformazioni->setFont(Style::font(Style::Family::Verdana, 15, true));
    lblInformazioni->setStyleSheet(
        Style::sheet(QStringLiteral("color: @FocusYellow; background: transparent;")));
    QHBoxLayout* yearRow = buildYearRow();

    m_lstRecords = makeLineList(&m_model);
    // A line picked with the mouse or the keyboard names the vehicle to open.
    connect(m_lstRecords->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { pickVehicle(current.row()); });
    QHBoxLayout* bottom = buildCommandRow();

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panMain"));
    // As wide as a whole vehicle line where the screen allows, so that the last column (the year
    // of construction) is seen without scrolling; never narrower than the other work windows.
    const int lineWidth =
        QFontMetrics(Style::pointFont(Style::Family::CourierNew, 12)).horizontalAdvance(QLatin1Char('M')) *
        LongestLine;
    panel->setFixedHeight(PanelHeight);
    panel->setMinimumWidth(PanelWidth);
    panel->setMaximumWidth(std::max(PanelWidth, lineWidth + ListChrome));
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(30, 20, 30, 20);
    column->setSpacing(14);
    column->addWidget(banner, 0, Qt::AlignHCenter);
    column->addWidget(lblInformazioni);
    column->addLayout(yearRow);
    column->addWidget(m_lstRecords, 1);
    column->addLayout(bottom);
    // Centred; it takes the width it can up to its widest, the rest is shared by both sides.
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addStretch(1);
    outer->addWidget(panel, 1000, Qt::AlignVCenter);
    outer->addStretch(1);
}

QHBoxLayout* TfrmMenuCamere::buildYearRow()
{
    QLabel* titAnno = Style::caption(QStringLiteral("Anno:"), 15);
    titAnno->setObjectName(QStringLiteral("titAnno"));
    m_txtAnnoFatture = new QLineEdit;
    m_txtAnnoFatture->setObjectName(QStringLiteral("txtAnnoFatture"));
    m_txtAnnoFatture->setMaxLength(4);
    m_txtAnnoFatture->setFixedSize(90, 30);
    m_txtAnnoFatture->setAlignment(Qt::AlignCenter);
    m_txtAnnoFatture->setFont(Style::font(Style::Family::Verdana, 16, true));
    Form::highlightByBackground(m_txtAnnoFatture);
    Form::filterKeys(m_txtAnnoFatture, Form::Keys::DigitsOnly);
    m_btnApriFatture =
        Style::button(QStringLiteral("btnApriFatture"), QStringLiteral("Apri"), QSize(110, 32));
    m_btnApriFatture->setAutoDefault(true); // Enter in the year leads here; Enter here opens
    Form::enterMovesTo(m_txtAnnoFatture, m_btnApriFatture);
    connect(m_btnApriFatture, &QPushButton::clicked, this, &TfrmMenuCamere::btnApriFattureClick);
    m_icoMano =
        SvgPicture::create(QStringLiteral(":/planner/hand.svg"), QStringLiteral("icoMano"), QSize(36, 36));
    m_icoMano->hide();
    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(10);
    yearRow->addWidget(titAnno);
    yearRow->addWidget(m_txtAnnoFatture);
    yearRow->addSpacing(10);
    yearRow->addWidget(m_btnApriFatture);
    yearRow->addWidget(m_icoMano);
    yearRow->addSpacing(10);
    QPushButton* btnDisponibilita =
        Style::button(QStringLiteral("btnDisponibilita"), QStringLiteral("Disponibilità"), QSize(130, 32));
    connect(btnDisponibilita, &QPushButton::clicked, this, &TfrmMenuCamere::btnDisponibilitaClick);
    yearRow->addWidget(btnDisponibilita);
    QPushButton* btnTabellone =
        Style::button(QStringLiteral("btnTabellone"), QStringLiteral("Tabellone"), QSize(120, 32));
    btnTabellone->setToolTip(QStringLiteral("Le prenotazioni di tutti i veicoli, giorno per giorno."));
    connect(btnTabellone, &QPushButton::clicked, this, &TfrmMenuCamere::btnTabelloneClick);
    yearRow->addWidget(btnTabellone);
    yearRow->addStretch(1);
    return yearRow;
}

QHBoxLayout* TfrmMenuCamere::buildCommandRow()
{
    auto* imgGuida = PictureButton::create(QStringLiteral(":/toolbar/help.svg"), QStringLiteral("imgGuida"),
                                           QSize(44, 44), QStringLiteral("Visualizza la guida in linea."));
    auto* imgEsci = PictureButton::create(QStringLiteral(":/toolbar/exit.svg"), QStringLiteral("imgEsci"),
                                          QSize(44, 44), QStringLiteral("Esci da questa schermata."));
    connect(imgGuida, &PictureButton::clicked, this, &TfrmMenuCamere::imgGuidaClick);
    connect(imgEsci, &PictureButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(imgGuida);
    bottom->addWidget(imgEsci);
    return bottom;
}

void TfrmMenuCamere::showEvent(QShowEvent* event)
{
    WorkWindow::showEvent(event);
    if (event->spontaneous())
        return;
    lblBiciNum.clear();
    lblMarca.clear();
    lblColore.clear();
    lblTaglia.clear();
    m_icoMano->hide();
    fillList();
    m_lstRecords->clearSelection();
    m_lstRecords->setCurrentIndex({});
    m_txtAnnoFatture->setText(
        QStringLiteral("%1").arg(m_context.clock().today().year(), 4, 10, QLatin1Char('0')));
    lblMemory = Next::Launcher;
    m_txtAnnoFatture->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuCamere::fillList()
{
    // A failure keeps the lines read before it, without a message.
    std::vector<ListEntry> entries;
    for (Planning::FleetVehicle& vehicle :
         Planning::fleetVehicles(m_context.path(QString::fromLatin1(Fleet::ArchiveName))))
        entries.push_back({std::move(vehicle.line), vehicle.position});
    m_model.setEntries(std::move(entries), /*sorted=*/false);
}

void TfrmMenuCamere::pickVehicle(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    const ListEntry& entry = m_model.entries()[std::size_t(row)];
    const QString archive = m_context.path(QString::fromLatin1(Fleet::ArchiveName));
    const qint64 position =
        locateRecord(archive, TSchedaVeicolo(), entry.position, entry.line, Planning::vehicleLine);
    const std::optional<QStringList> card =
        position > 0 ? readArchiveRecord(archive, TSchedaVeicolo(), position) : std::nullopt;
    if (!card)
        return; // the labels keep what they held
    const RecordLayout& layout = TSchedaVeicolo();
    lblBiciNum = card->value(layout.indexOf(QStringLiteral("BiciNum")));
    lblMarca = card->value(layout.indexOf(QStringLiteral("Marca")));
    lblColore = card->value(layout.indexOf(QStringLiteral("Colore")));
    lblTaglia = card->value(layout.indexOf(QStringLiteral("Taglia")));
    m_icoMano->show();
}

PlanningTarget TfrmMenuCamere::target() const
{
    return {{lblBiciNum.trimmed(), lblMarca.trimmed(), lblColore.trimmed(), lblTaglia.trimmed()},
            m_txtAnnoFatture->text().trimmed(),
            lblFile};
}

void TfrmMenuCamere::btnApriFattureClick()
{
    if (m_txtAnnoFatture->text().size() != 4) {
        m_context.messages().warning(this, FourDigits);
        m_txtAnnoFatture->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_model.rowCount() == 0) {
        m_context.messages().warning(this, PlanningMessages::noVehicles());
        return;
    }
    if (!m_lstRecords->currentIndex().isValid() || lblBiciNum.trimmed().isEmpty()) {
        m_context.messages().warning(this, NoneSelected);
        return;
    }
    const QString problem = Planning::fileNameProblem(lblBiciNum);
    if (!problem.isEmpty()) {
        m_context.messages().warning(
            this, QStringLiteral(
                      "Attenzione: il numero del veicolo contiene caratteri che non possono far parte del "
                      "nome di un file (") +
                      problem +
                      QStringLiteral(")." RF_BREAK_LF_CR
                                     "Per utilizzare il planner è necessario modificare il numero nella "
                                     "scheda del veicolo."));
        return;
    }
    lblFile = m_context.path(Planning::fileName(lblBiciNum, m_txtAnnoFatture->text()));
    lblMemory = Next::Planning;
    close();
}

void TfrmMenuCamere::btnDisponibilitaClick()
{
    TfrmDisponibilita dialog(m_context, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.searchedStart().isValid())
        return;
    openVehicle(dialog.chosenPosition(),
                QStringLiteral("%1").arg(dialog.searchedStart().year(), 4, 10, QLatin1Char('0')));
}

void TfrmMenuCamere::btnTabelloneClick()
{
    const std::optional<BoardPlace> place = std::exchange(m_boardPlace, std::nullopt);
    TfrmTabellone board(m_context, this, place);
    if (board.exec() != QDialog::Accepted || board.chosenPosition() <= 0)
        return;
    if (board.chosenServiceLog()) {
        if (m_openServiceLog)
            m_openServiceLog(this, board.chosenPosition());
        m_boardPlace = board.place();
        btnTabelloneClick();
        return;
    }
    openVehicle(board.chosenPosition(), board.chosenYear());
    if (lblMemory == Next::Planning)
        m_boardPlace = board.place();
}

void TfrmMenuCamere::reopenBoard()
{
    if (m_boardPlace)
        btnTabelloneClick();
}

void TfrmMenuCamere::openVehicle(qint64 cardPosition, const QString& year)
{
    m_txtAnnoFatture->setText(year);
    const auto rowOf = [this, cardPosition] {
        for (int row = 0; row < m_model.rowCount(); ++row) {
            if (m_model.entries()[std::size_t(row)].position == cardPosition)
                return row;
        }
        return -1;
    };
    int row = rowOf();
    if (row < 0) {
        fillList(); // the card may have come after the list was filled
        row = rowOf();
    }
    if (row < 0)
        return;
    if (m_lstRecords->currentIndex().row() == row)
        pickVehicle(row);
    else
        m_lstRecords->setCurrentIndex(m_model.index(row)); // picks the vehicle
    btnApriFattureClick();
}

void TfrmMenuCamere::imgGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, Guide::PlannerTitle, Guide::plannerParagraphs());
}

} // namespace rf
