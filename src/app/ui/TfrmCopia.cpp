#include "TfrmCopia.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/LongWork.h"
#include "common/ui/Style.h"
#include "storage/Backup.h"
#include "storage/MessageBreaks.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {

// The destination is remembered for each data folder, so a second shop on this computer is never
// offered the first one's backups folder.
QString settingsKey(const QString& dataFolder)
{
    return Settings::perDataFolder(QStringLiteral("Copia"), dataFolder);
}

qint64 megabytes(qint64 bytes)
{
    return (bytes + (1 << 20) - 1) >> 20;
}

// What went wrong, in words, for a backup or a restore; empty for a cancel, which needs none.
QString problemText(const Backup::Result& result)
{
    using Backup::Problem;
    const QString file = QDir::toNativeSeparators(result.file);
    switch (result.problem) {
    case Problem::None:
    case Problem::Cancelled:
        return {};
    case Problem::Unreadable:
        return QStringLiteral("Impossibile leggere il file:" RF_BREAK_CR_LF) + file;
    case Problem::Busy:
        return QStringLiteral("Il file è in uso su un'altra postazione:" RF_BREAK_CR_LF) + file +
               QStringLiteral(RF_BREAK_CR_LF "Riprovare fra qualche istante.");
    case Problem::Pending:
        return QStringLiteral("L'archivio ha una modifica interrotta da completare:" RF_BREAK_CR_LF) + file +
               QStringLiteral(RF_BREAK_CR_LF "Aprire l'archivio dal programma, poi ripetere la copia.");
    case Problem::CannotWrite:
        return QStringLiteral("Impossibile scrivere:" RF_BREAK_CR_LF) + file +
               QStringLiteral(RF_BREAK_CR_LF "Controllare lo spazio libero e i permessi della cartella.");
    case Problem::Damaged:
        return QStringLiteral(
            "La copia di sicurezza è danneggiata e non può essere ripristinata." RF_BREAK_CR_LF
            "Nessun file è stato modificato.");
    case Problem::Foreign:
        return QStringLiteral("Il file scelto non è una copia di sicurezza di Rotaflux." RF_BREAK_CR_LF
                              "Nessun file è stato modificato.");
    case Problem::UnsafePath:
        return QStringLiteral("La copia contiene un file fuori dalla cartella dei dati:" RF_BREAK_CR_LF) +
               file + QStringLiteral(RF_BREAK_CR_LF "Nessun file è stato modificato.");
    case Problem::NoSpace:
        return QStringLiteral("Spazio libero insufficiente per ripristinare la copia: servono %1 MB, "
                              "ne sono liberi %2 MB." RF_BREAK_CR_LF "Nessun file è stato modificato.")
            .arg(megabytes(result.needed))
            .arg(megabytes(result.available));
    case Problem::Oversized:
        return QStringLiteral("La copia contiene un file di dimensioni non credibili:" RF_BREAK_CR_LF) +
               file +
               QStringLiteral(RF_BREAK_CR_LF "La copia è danneggiata o non è stata creata da Rotaflux. "
                                             "Nessun file è stato modificato.");
    case Problem::WrongKind:
        return QStringLiteral("La copia contiene come file ciò che nella cartella dei dati è una cartella "
                              "(o il contrario):" RF_BREAK_CR_LF) +
               file + QStringLiteral(RF_BREAK_CR_LF "Nessun file è stato modificato.");
    case Problem::Duplicate:
        return QStringLiteral("La copia contiene due volte lo stesso file:" RF_BREAK_CR_LF) + file +
               QStringLiteral(RF_BREAK_CR_LF "Nessun file è stato modificato.");
    case Problem::Link:
        return QStringLiteral(
                   "Nella cartella dei dati c'è un collegamento a un'altra posizione:" RF_BREAK_CR_LF) +
               file +
               QStringLiteral(RF_BREAK_CR_LF
                              "Il ripristino non scrive attraverso i collegamenti: sostituire il "
                              "collegamento con una cartella. Nessun file è stato modificato.");
    case Problem::Unfinished:
        return QStringLiteral(
            "Un ripristino precedente è stato interrotto e non può essere completato ora." RF_BREAK_CR_LF
            "Riprovare fra qualche istante. Nessun file è stato modificato.");
    }
    return {};
}

} // namespace

TfrmCopia::TfrmCopia(Context& context, QWidget* parent, std::function<bool()> planningOpen)
    : FixedDialog(context, parent, QStringLiteral("frmCopia"), QStringLiteral(" Copia di sicurezza"),
                  QSize(ClientWidth, ClientHeight)),
      m_planningOpen(std::move(planningOpen))
{
    QLabel* lblNota =
        Style::caption(QStringLiteral("Copia in un file zip tutti i dati del programma: archivi, "
                                      "prenotazioni, impostazioni, foto e allegati."),
                       12, this);
    lblNota->setObjectName(QStringLiteral("lblNota"));
    lblNota->setWordWrap(true);

    m_txtCartella = new QLineEdit(this);
    m_txtCartella->setObjectName(QStringLiteral("txtCartella"));
    m_txtCartella->setFixedHeight(28);
    m_txtCartella->setFont(Style::font(Style::Family::Verdana, 12));
    m_txtCartella->setText(QDir::toNativeSeparators(rememberedFolder(m_context)));
    Form::highlightByBackground(m_txtCartella);
    QLabel* titCartella = Style::caption(QStringLiteral("Cartella della copia:"), 12, this);
    titCartella->setObjectName(QStringLiteral("titCartella"));
    titCartella->setBuddy(m_txtCartella);
    QPushButton* btnSfoglia =
        Style::button(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), {}, this);

    QPushButton* btnCopia =
        Style::button(QStringLiteral("btnCopia"), QStringLiteral("Crea copia"), QSize(130, 32), this);
    QPushButton* btnRipristina =
        Style::button(QStringLiteral("btnRipristina"), QStringLiteral("Ripristina..."), QSize(130, 32), this);
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmCopia::btnSfogliaClick);
    connect(btnCopia, &QPushButton::clicked, this, &TfrmCopia::btnCopiaClick);
    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopia::btnRipristinaClick);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_txtCartella, 1);
    folderRow->addWidget(btnSfoglia);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(lblNota);
    layout->addSpacing(6);
    layout->addWidget(titCartella);
    layout->addLayout(folderRow);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnCopia, btnRipristina, makeCloseButton()}));
    btnCopia->setFocus();
}

QString TfrmCopia::rememberedFolder(const Context& context)
{
    return context.settings().value(settingsKey(context.dataFolder()));
}

bool TfrmCopia::refusedWhilePlanning(const QString& what)
{
    if (!m_planningOpen || !m_planningOpen())
        return false;
    m_context.messages().warning(
        this, QStringLiteral("La griglia delle prenotazioni è aperta: chiuderla prima di ") + what +
                  QStringLiteral("." RF_BREAK_CR_LF "La griglia salva le prenotazioni quando si chiude."));
    return true;
}

void TfrmCopia::btnSfogliaClick()
{
    const QString chosen =
        m_context.dialogs().folder(this, QStringLiteral("Cartella della copia di sicurezza"),
                                   QDir::fromNativeSeparators(m_txtCartella->text()));
    if (chosen.isEmpty())
        return;
    m_txtCartella->setText(QDir::toNativeSeparators(chosen));
    m_context.settings().setValue(settingsKey(m_context.dataFolder()), QDir::fromNativeSeparators(chosen));
}

void TfrmCopia::btnCopiaClick()
{
    if (refusedWhilePlanning(QStringLiteral("fare la copia di sicurezza")))
        return;
    const QString folder = QDir::fromNativeSeparators(m_txtCartella->text().trimmed());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        m_context.messages().warning(
            this, QStringLiteral("Indicare una cartella esistente in cui salvare la copia." RF_BREAK_CR_LF
                                 "Premere \"Sfoglia...\" per sceglierla."));
        return;
    }
    m_context.settings().setValue(settingsKey(m_context.dataFolder()), folder);
    const QString zipPath = QDir(folder).filePath(Backup::backupFileName(m_context.clock().now()));
    Backup::Result result;
    {
        LongWork work(this, QStringLiteral("Copia di sicurezza in corso..."));
        result =
            Backup::writeBackup(m_context.dataFolder(), zipPath, work.progress(), m_context.clock().now());
    }
    if (result.ok()) {
        QString done =
            QStringLiteral("Copia di sicurezza completata (%1 file)." RF_BREAK_CR_LF).arg(result.files) +
            QDir::toNativeSeparators(zipPath);
        if (!result.skipped.isEmpty()) {
            QStringList skipped;
            for (const QString& name : std::as_const(result.skipped))
                skipped.append(QDir::toNativeSeparators(name));
            done += QStringLiteral(RF_BREAK_CR_LF "Non sono stati copiati questi collegamenti ad altre "
                                                  "posizioni (copiarne il contenuto a parte):\r\n") +
                    skipped.join(QStringLiteral("\r\n"));
        }
        m_context.messages().information(this, done);
    } else if (result.problem != Backup::Problem::Cancelled)
        m_context.messages().error(
            this,
            QStringLiteral("La copia di sicurezza non è stata creata." RF_BREAK_CR_LF) + problemText(result));
}

void TfrmCopia::btnRipristinaClick()
{
    if (refusedWhilePlanning(QStringLiteral("ripristinare una copia")))
        return;
    const QString zipPath = m_context.dialogs().openFile(
        this, QStringLiteral("Ripristina una copia di sicurezza"),
        QDir::fromNativeSeparators(m_txtCartella->text()), Style::BackupFileFilter);
    if (zipPath.isEmpty())
        return;
    const QString dataFolder = m_context.dataFolder();
    Backup::Result result;
    {
        LongWork work(this, QStringLiteral("Controllo della copia in corso..."));
        result = Backup::checkBackup(zipPath);
    }
    if (!result.ok()) {
        m_context.messages().error(this, problemText(result));
        return;
    }
    const QDateTime now = m_context.clock().now();
    if (!Backup::dataFiles(dataFolder).isEmpty() &&
        !m_context.messages().confirmNo(
            this, QStringLiteral("Ripristinare i dati dalla copia di sicurezza?" RF_BREAK_CR_LF) +
                      QDir::toNativeSeparators(zipPath) +
                      QStringLiteral(RF_BREAK_CR_LF "I file attuali sostituiti dalla copia saranno spostati "
                                                    "nella cartella ") +
                      Backup::replacedFolderName(now) +
                      QStringLiteral(" del programma. Chiudere il programma sulle altre postazioni prima di "
                                     "continuare.")))
        return;
    {
        LongWork work(this, QStringLiteral("Ripristino in corso..."));
        result = Backup::restoreBackup(zipPath, dataFolder, work.progress(), now);
    }
    if (result.problem == Backup::Problem::Cancelled)
        return;
    if (!result.ok()) {
        m_context.messages().error(this, QStringLiteral("Il ripristino non è riuscito." RF_BREAK_CR_LF) +
                                             problemText(result));
        return;
    }
    QString done = QStringLiteral("Ripristino completato (%1 file).").arg(result.files);
    if (!result.replacedFolder.isEmpty())
        done += QStringLiteral(RF_BREAK_CR_LF "I file sostituiti sono nella cartella:" RF_BREAK_CR_LF) +
                QDir::toNativeSeparators(result.replacedFolder);
    m_context.messages().information(this, done);
}

} // namespace rf
