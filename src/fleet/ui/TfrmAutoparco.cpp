#include "TfrmAutoparco.h"

#include "TfrmAnteprimaAutomezzo.h"
#include "TfrmManutenzioni.h"
#include "TfrmStampaAutomezzo.h"
#include "TfrmZoom.h"
#include "common/ui/CardArchive.h"
#include "common/ui/CommandBar.h"
#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PhotoView.h"
#include "common/ui/PictureButton.h"
#include "common/ui/RunDialog.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UserTexts.h"
#include "fleet/FleetGuide.h"
#include "fleet/FleetNumbers.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "fleet/VehiclePhoto.h"
#include "fleet/documents/LabelSheet.h"
#include "fleet/ui/TfrmExpAutoparco.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "storage/MessageBreaks.h"
#include "storage/RecordScan.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include <functional>

namespace rf {

namespace {

constexpr int MainFields = 20;    // BiciNum .. Accessori, beside the photo
constexpr int DetailsFields = 26; // Responsabile .. Luogo, in the details block; then Note

const QString IdleText = QStringLiteral("Pronto per registrare una nuova scheda...");
const QKeySequence LogKey(Qt::CTRL | Qt::Key_M);
const QKeySequence PriceListKey(Qt::CTRL | Qt::SHIFT | Qt::Key_L);
const QKeySequence LabelsKey(Qt::CTRL | Qt::SHIFT | Qt::Key_E);

QFrame* block(const QString& name, QRgb fill, int radius)
{
    auto* frame = new QFrame;
    frame->setObjectName(name);
    frame->setStyleSheet(QStringLiteral("#%1 { background-color: %2; border-radius: %3px; }")
                             .arg(name, Style::css(fill))
                             .arg(radius));
    return frame;
}

QLabel* fieldLabel(const QString& text)
{
    return Style::caption(text, 11);
}

} // namespace

TfrmAutoparco::TfrmAutoparco(Context& context, QWidget* parent)
    : CardWindow(context, QStringLiteral("frmAutoparco"), QStringLiteral(" Rotaflux - Flotta Bici"),
                 TSchedaVeicolo(), Fleet::EditCount, QString::fromLatin1(Fleet::ArchiveName), parent)
{
    buildWindow();
    connectArchive(
        [this] {
            loadCardPhoto();
            showDueLine();
        },
        [this] {
            saveCardPhoto();
            showDueLine();
        });
    cmdNuovoClick();
}

// ---- building the window -------------------------------------------------------------------

void TfrmAutoparco::buildWindow()
{
    Style::gradientBackground(this);
    createPanel(IdleText);
    QWidget* toolbar = buildToolbar();
    placePanel(toolbar, buildSheet());
}

QWidget* TfrmAutoparco::buildToolbar()
{
    auto* bar = new CommandBar(m_panInfo);
    addCardCommands(
        bar,
        {QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda."),
         QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati "
                        "correnti."),
         QStringLiteral("Salva la scheda in archivio."), QStringLiteral("Trova una scheda in archivio.")},
        [this] { cmdTrovaClick(); });
    bar->add(QStringLiteral("cmdFile"), QStringLiteral("attach"), QStringLiteral("Allega file alla scheda."),
             [this] { editAttachments(AttachmentOwner::Fleet); });
    bar->add(
        QStringLiteral("cmdManutenzioni"), QStringLiteral(":/fleet/manutenzioni.svg"),
        QStringLiteral("Apre il registro delle manutenzioni del veicolo."),
        [this] { cmdManutenzioniClick(); }, LogKey);
    bar->addSeparator();
    bar->add(QStringLiteral("cmdAnteprima"), QStringLiteral("preview"),
             QStringLiteral("Visualizza l'anteprima di stampa della scheda."),
             [this] { runDialog<TfrmAnteprimaAutomezzo>(m_context, this, sheetBuilder()); });
    bar->add(QStringLiteral("cmdStampa"), QStringLiteral("print"), QStringLiteral("Stampa la scheda."),
             [this] { runDialog<TfrmStampaAutomezzo>(m_context, this, sheetBuilder()); });
    bar->add(
        QStringLiteral("cmdEtichette"), QStringLiteral(":/fleet/etichette.svg"),
        QStringLiteral("Stampa le etichette con i codici da leggere con il lettore: del veicolo o di tutta "
                       "la flotta."),
        [this] { cmdEtichetteClick(); }, LabelsKey);
    bar->addSeparator();
    addBrowseGroup(bar, {QStringLiteral("Visualizza la prima scheda in archivio."),
                         QStringLiteral("Visualizza la scheda precedente in archivio."),
                         QStringLiteral("Visualizza la scheda successiva in archivio."),
                         QStringLiteral("Visualizza l'ultima scheda in archivio.")});
    bar->addSeparator();
    bar->add(QStringLiteral("cmdEsporta"), QStringLiteral("export"),
             QStringLiteral("Esporta archivio in Excel."),
             [this] { runDialog<TfrmExpAutoparco>(m_context, this); });
    bar->add(
        QStringLiteral("cmdListino"), QStringLiteral("pricelist"), Texts::priceListHint(),
        [this] {
            if (m_priceListOpener)
                m_priceListOpener(this);
        },
        PriceListKey);
    addClosingCommands(bar, QStringLiteral("Visualizza la guida in linea."), [this] { cmdGuidaClick(); });
    return bar;
}

QWidget* TfrmAutoparco::buildPhotoBlock()
{
    QFrame* photoBlock = block(QStringLiteral("shpFoto"), Style::BlockFill, 6);
    auto* layout = new QVBoxLayout(photoBlock);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->setSpacing(6);

    m_imgFoto = new PhotoView;
    m_imgFoto->setObjectName(QStringLiteral("imgFoto"));
    m_imgFoto->setFixedSize(308, 173);
    m_imgFoto->setStyleSheet(QStringLiteral("background: white;"));
    layout->addWidget(m_imgFoto, 0, Qt::AlignHCenter);
    Status::clears(m_imgFoto, m_panInfo);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto photoButton = [&](const char* name, const QString& picture, const char* hint, QSize size,
                           void (TfrmAutoparco::*action)()) {
        PictureButton* button = PictureButton::create(picture, QLatin1String(name), size);
        Status::hint(button, m_panInfo, QString::fromUtf8(hint));
        connect(button, &PictureButton::clicked, this, action);
        buttons->addWidget(button);
    };
    photoButton("btnCaricaFoto", QStringLiteral(":/fleet/btn_carica_foto.svg"), "Carica una foto.", {124, 30},
                &TfrmAutoparco::btnCaricaFotoClick);
    buttons->addStretch(1);
    photoButton("btnSalvaFoto", QStringLiteral(":/fleet/save_photo.svg"), "Salva la foto su disco.", {28, 28},
                &TfrmAutoparco::btnSalvaFotoClick);
    photoButton("btnCancFoto", QStringLiteral(":/fleet/clear_photo.svg"), "Cancella la foto.", {28, 28},
                &TfrmAutoparco::btnCancFotoClick);
    photoButton("btnZoomFoto", QStringLiteral(":/fleet/zoom_photo.svg"),
                "Visualizza la foto nelle sue dimensioni reali.", {28, 28}, &TfrmAutoparco::btnZoomFotoClick);
    layout->addLayout(buttons);
    return photoBlock;
}

// The fields beside the photo, with what falls due for the vehicle on a line of its own under
// its status.
QGridLayout* TfrmAutoparco::buildMainFields()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const int status = m_layout.indexOf(QStringLiteral("Stato"));
    for (int i = 0; i < MainFields; ++i) {
        QLabel* label = fieldLabel(m_layout.label(i));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = i > status ? i + 1 : i;
        grid->addWidget(label, row, 0);
        grid->addWidget(m_edits[std::size_t(i)], row, 1);
    }
    m_lblRevisione = Style::caption(QString(), 11);
    m_lblRevisione->setObjectName(QStringLiteral("lblRevisione"));
    m_lblRevisione->setStyleSheet(Style::sheet(QStringLiteral("color: @Crimson; background: transparent;")));
    grid->addWidget(m_lblRevisione, status + 1, 1);
    return grid;
}

QWidget* TfrmAutoparco::buildSheet()
{
    QFrame* section = block(QStringLiteral("shpSezione"), Style::Mist, 0);
    auto* sectionLayout = new QVBoxLayout(section);
    sectionLayout->setContentsMargins(10, 10, 10, 10);
    QFrame* sheet = block(QStringLiteral("shpFoglio"), Style::White, 8);
    sectionLayout->addWidget(sheet);
    Status::clears(section, m_panInfo);
    Status::clears(sheet, m_panInfo);

    const RecordLayout& layout = m_layout;
    // The details and notes blocks keep a white idle fill.
    for (int i = MainFields; i < Fleet::EditCount; ++i)
        Form::highlightByBackground(m_edits[std::size_t(i)], Style::WhiteFill);
    Form::filterKeys(edit(QStringLiteral("BiciNum")), Form::Keys::VehicleNumber);
    Form::filterKeys(edit(QStringLiteral("Importo")), Form::Keys::Amount);
    Form::normaliseAmountOnExit(edit(QStringLiteral("Importo")));

    // Left: the photo, then the details block.
    QFrame* details = block(QStringLiteral("shpDettagli"), Style::BlockFill, 6);
    auto* detailsGrid = new QGridLayout(details);
    detailsGrid->setContentsMargins(10, 8, 10, 8);
    detailsGrid->setHorizontalSpacing(8);
    detailsGrid->setVerticalSpacing(5);
    for (int i = MainFields; i < DetailsFields; ++i) {
        detailsGrid->addWidget(fieldLabel(layout.label(i)), i - MainFields, 0);
        detailsGrid->addWidget(m_edits[std::size_t(i)], i - MainFields, 1);
        detailsGrid->setRowStretch(i - MainFields, 1); // the rows share the block's height
    }
    Status::clears(details, m_panInfo);

    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(buildPhotoBlock());
    left->addWidget(details, 1);

    // Right: the header picture over the main fields.
    auto* header = new SvgPicture(QStringLiteral(":/fleet/header_scheda_veicolo.svg"));
    header->setObjectName(QStringLiteral("imgIntestazione"));
    header->setFixedHeight(40);
    Status::clears(header, m_panInfo);
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(header);
    right->addLayout(buildMainFields());
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addLayout(left, 0);
    top->addLayout(right, 1);

    // Bottom: the notes block.
    QFrame* notes = block(QStringLiteral("shpNote"), Style::BlockFill, 6);
    auto* notesRow = new QHBoxLayout(notes);
    notesRow->setContentsMargins(10, 6, 10, 6);
    notesRow->addWidget(fieldLabel(layout.label(DetailsFields)));
    notesRow->addWidget(m_edits[std::size_t(DetailsFields)], 1);
    Status::clears(notes, m_panInfo);

    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(12, 12, 12, 12);
    sheetLayout->setSpacing(10);
    sheetLayout->addLayout(top, 1);
    sheetLayout->addWidget(notes);
    return section;
}

// ---- the card ------------------------------------------------------------------------------

QImage TfrmAutoparco::photo() const
{
    return m_photo.full();
}

QImage TfrmAutoparco::photoFitted(const QSize& box) const
{
    return m_photo.fitted(box);
}

void TfrmAutoparco::showEvent(QShowEvent* event)
{
    // Every visit starts with a new card.
    if (!event->spontaneous())
        cmdNuovoClick();
    WorkWindow::showEvent(event);
}

void TfrmAutoparco::cmdNuovoClick()
{
    for (QLineEdit* e : m_edits)
        e->clear();
    edit(QStringLiteral("Importo"))->setText(QStringLiteral("0,00"));
    detachCard();
    showPlaceholder();
    showDueLine();
    m_edits.front()->setFocus();
}

void TfrmAutoparco::cmdSalvaClick()
{
    // Let the edit being typed in finish (highlight and amount normalisation) before reading.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();

    const auto blank = [this](const char* field, const char* message) {
        QLineEdit* e = edit(QLatin1String(field));
        return Form::Check{e->text().trimmed().isEmpty(), QString::fromUtf8(message), e};
    };
    if (Form::firstFailure(
            m_context, this,
            {blank("BiciNum",
                   "Attenzione: per salvare la scheda è necessario indicare il numero del veicolo."),
             blank("Marca", "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo."),
             blank("Taglia",
                   "Attenzione: per salvare la scheda è necessario indicare la taglia del veicolo."),
             blank("Colore",
                   "Attenzione: per salvare la scheda è necessario indicare il colore del veicolo.")}))
        return;
    if (!numberIsFree())
        return;
    // The number the record holds before this save: the log's entries carry it.
    const qint64 at = archive().position();
    const std::optional<QStringList> before =
        at > 0 ? readArchiveRecord(archive().archivePath(), m_layout, at) : std::nullopt;
    if (archive().save() && before)
        renumberLog(before->value(m_layout.indexOf(QStringLiteral("BiciNum"))));
}

void TfrmAutoparco::renumberLog(const QString& oldNumber)
{
    const QString newNumber = edit(QStringLiteral("BiciNum"))->text().trimmed();
    if (oldNumber.trimmed().isEmpty() || oldNumber.trimmed() == newNumber)
        return;
    if (Service::renumber(m_context.dataFolder(), oldNumber, newNumber) < 0)
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: la scheda è stata salvata con il numero %1, ma non è stato possibile "
                           "aggiornare l'archivio %2." RF_BREAK_LF_CR
                           "Gli interventi di manutenzione del veicolo portano ancora il numero %3.")
                .arg(newNumber, QLatin1String(Service::ArchiveName), oldNumber.trimmed()));
    showDueLine();
}

void TfrmAutoparco::setRentalsSource(RentalsSource source)
{
    m_rentals = std::move(source);
    showDueLine();
}

void TfrmAutoparco::showDueLine()
{
    if (!m_lblRevisione)
        return;
    const QString number = edit(QStringLiteral("BiciNum"))->text().trimmed();
    if (number.isEmpty()) {
        m_lblRevisione->clear();
        return;
    }
    const QString folder = m_context.dataFolder();
    const Service::Log log = Service::read(folder, number);
    const std::vector<Service::RentalSpan> rentals =
        m_rentals ? m_rentals(number) : std::vector<Service::RentalSpan>();
    m_lblRevisione->setText(Service::dueLine(Service::dueFor(
        log.entries, Service::dueRules(m_context.path(QLatin1String(Service::SettingsFileName))), rentals,
        m_context.clock().today())));
}

void TfrmAutoparco::cmdManutenzioniClick()
{
    if (edit(QStringLiteral("BiciNum"))->text().trimmed().isEmpty())
        return;
    if (isEdited()) {
        cmdSalvaClick();
        if (isEdited())
            return; // the card was not saved: its warning has been shown
    }
    TfrmManutenzioni log(m_context, this, shownCard());
    log.exec();
    showDueLine();
}

bool TfrmAutoparco::numberIsFree()
{
    QLineEdit* number = edit(QStringLiteral("BiciNum"));
    const std::optional<Fleet::NumberedCard> other =
        Fleet::cardWithNumber(archive().archivePath(), number->text(), archive().position());
    if (!other)
        return true;
    m_context.messages().warning(
        this,
        QStringLiteral("Attenzione: il numero %1 è già assegnato al veicolo della scheda %2 (Bici n. %3  "
                       "%4)." RF_BREAK_LF_CR
                       "Per salvare la scheda è necessario indicare un numero di veicolo diverso.")
            .arg(number->text().trimmed(), QString::number(other->position), other->number, other->make));
    number->setFocus();
    number->selectAll();
    return false;
}

void TfrmAutoparco::restoreOwnState(const std::any& state)
{
    if (const auto* photo = std::any_cast<CardPhoto>(&state))
        setPhoto(*photo);
    showDueLine();
}

void TfrmAutoparco::cmdDuplicaClick()
{
    if (m_lblPosizione->text().trimmed().isEmpty()) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: per duplicare i dati bisogna prima visualizzare una scheda già "
                                 "inserita in archivio."));
        return;
    }
    detachCard();
    showPlaceholder();
    m_lblRevisione->clear(); // a copy is another vehicle, with a log of its own
    m_edits.front()->setFocus();
    m_context.messages().information(
        this,
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente." RF_BREAK_LF_CR
                       "Al termine premere Salva per inserire la scheda in archivio."));
}

void TfrmAutoparco::cmdTrovaClick()
{
    TfrmTrovaBici search(m_context, this, TfrmTrovaBici::Mode::Fleet);
    if (search.exec() == QDialog::Accepted)
        showRecord(search.chosenPosition());
}

void TfrmAutoparco::cmdGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, Guide::FleetTitle, Guide::fleetParagraphs());
}

void TfrmAutoparco::cmdEtichetteClick()
{
    const int choice = m_context.messages().choose(
        this, QStringLiteral("Quali etichette si desidera stampare?"),
        {QStringLiteral("Etichetta del veicolo"), QStringLiteral("Etichette di tutta la flotta"),
         QStringLiteral("Annulla")});
    std::vector<Reports::LabelVehicle> vehicles;
    if (choice == 0) {
        // The card as on screen, saved or not, as its sheet prints it.
        const QString number = edit(QStringLiteral("BiciNum"))->text().trimmed();
        if (number.isEmpty()) {
            m_context.messages().warning(
                this, QStringLiteral("Attenzione: la scheda non ha il numero della bicicletta da stampare "
                                     "sull'etichetta."));
            return;
        }
        vehicles.push_back({number, edit(QStringLiteral("Marca"))->text()});
    } else if (choice == 1) {
        const QString archive = m_context.path(QString::fromLatin1(Fleet::ArchiveName));
        std::optional<std::vector<Reports::LabelVehicle>> fleet = Reports::fleetLabels(archive);
        if (!fleet) {
            m_context.messages().warning(this, Texts::archiveAccess(archive, Texts::Access::Read));
            return;
        }
        if (fleet->empty()) {
            m_context.messages().information(
                this, QStringLiteral("Nessuna scheda in archivio ha il numero della bicicletta: non ci "
                                     "sono etichette da stampare."));
            return;
        }
        vehicles = std::move(*fleet);
    } else {
        return;
    }
    outputReport(m_context, this, Reports::labelSheet(vehicles), Output::Preview,
                 QStringLiteral("Attenzione: l'anteprima delle etichette non è andata a buon fine."));
}

// ---- the photo -----------------------------------------------------------------------------

PrintChoiceDialog::Builder TfrmAutoparco::sheetBuilder() const
{
    return vehicleSheetBuilder(shownCard(), [this](QSize box) {
        const QImage fitted = photoFitted(box);
        return fitted.isNull() ? placeholderImage() : fitted;
    });
}

QImage TfrmAutoparco::placeholderImage()
{
    static const QImage picture =
        Style::renderImage(QStringLiteral(":/fleet/placeholder_bike.svg"), QSize(616, 346), Qt::white);
    return picture;
}

void TfrmAutoparco::setPhoto(const CardPhoto& photo)
{
    m_photo = photo;
    showPhoto();
}

void TfrmAutoparco::showPhoto()
{
    // Only as many pixels as the picture box shows are read.
    m_imgFoto->setImage(
        m_photo.fitted((QSizeF(m_imgFoto->size()) * m_imgFoto->devicePixelRatioF()).toSize()));
}

void TfrmAutoparco::showPlaceholder()
{
    setPhoto(CardPhoto::placeholder(placeholderImage()));
}

// A picture file on the card, or the placeholder when the file holds no readable picture.
void TfrmAutoparco::showPictureFile(const QString& path)
{
    if (VehiclePhoto::isPicture(path))
        setPhoto(CardPhoto::file(path, m_context.dataFolder()));
    else
        showPlaceholder();
}

void TfrmAutoparco::loadCardPhoto()
{
    const QString folder = m_context.dataFolder();
    VehiclePhoto::ensureFolder(folder);
    showPictureFile(VehiclePhoto::filePath(folder, m_lblPosizione->text()));
}

void TfrmAutoparco::saveCardPhoto()
{
    const QString folder = m_context.dataFolder();
    const QString target = VehiclePhoto::filePath(folder, m_lblPosizione->text());
    if (!VehiclePhoto::ensureFolder(folder) || !m_photo.storeAs(target))
        showPlaceholder();
    else if (!m_photo.isPlaceholder())
        m_photo = CardPhoto::file(target, folder); // the card's photo is now its own file
}

void TfrmAutoparco::btnCaricaFotoClick()
{
    const QString path = m_context.dialogs().openFile(
        this, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."), QString(),
        Style::ImageFileFilter);
    if (path.isEmpty())
        return;
    showPictureFile(path);
}

void TfrmAutoparco::btnSalvaFotoClick()
{
    QString path = m_context.dialogs().saveFile(
        this, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("Foto.jpg"), Style::JpegFileFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    if (!m_photo.storeAs(path))
        showPlaceholder();
}

void TfrmAutoparco::btnCancFotoClick()
{
    showPlaceholder();
}

void TfrmAutoparco::btnZoomFotoClick()
{
    runDialog<TfrmZoom>(m_context, this, photo());
}

} // namespace rf
