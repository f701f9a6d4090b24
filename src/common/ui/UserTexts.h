#pragma once

#include "storage/ArchiveFile.h"
#include "storage/MessageBreaks.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

// Texts the windows of several areas show, written once.
namespace rf::Texts {

// The hint of the price list's command, on the contracts window and on the fleet card.
inline QString priceListHint()
{
    return QStringLiteral("Visualizza e modifica il listino prezzi: tariffe, stagioni e cauzioni.");
}

// A document could not be printed, or its preview shown; the photo is the usual cause.
inline QString printFailed()
{
    return QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine." RF_BREAK_LF_CR
                          "Si consiglia di ridurre le dimensioni della foto.");
}
inline QString previewFailed()
{
    return QStringLiteral(
        "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata a "
        "buon fine." RF_BREAK_LF_CR "Si consiglia di ridurre le dimensioni della foto.");
}

// An archive operation failed: reading it (browsing, searching, listing) or writing it (a save).
// The archive and the data folder are named, so that the user knows what to check, and where.
enum class Access { Read, Write };
inline QString archiveAccess(const QString& archivePath, Access access)
{
    const QFileInfo archive(archivePath);
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio ") +
           archive.fileName() + QStringLiteral("." RF_BREAK_LF_CR "Accertarsi di possedere i privilegi di ") +
           (access == Access::Read ? QStringLiteral("lettura") : QStringLiteral("lettura e scrittura")) +
           QStringLiteral(" nella cartella dei dati ") + QDir::toNativeSeparators(archive.absolutePath()) +
           QStringLiteral(", e che la cartella sia raggiungibile.");
}
// Browsing an archive with no records.
inline QString emptyArchive()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}
// A file to be written in the program folder is a link (fileName is its name).
inline QString linkRefused(const QString& fileName)
{
    return QStringLiteral("Attenzione: il file \"%1\" è un collegamento a un altro file e non viene "
                          "sovrascritto." RF_BREAK_LF_CR
                          "Eliminare il collegamento dalla cartella del programma e ripetere l'operazione.")
        .arg(fileName);
}
// What opening an archive found; empty for an empty notice.
inline QString archiveNotice(const ArchiveNotice& notice)
{
    switch (notice.kind) {
    case ArchiveNotice::Kind::JournalPending:
        return QStringLiteral(
            "Attenzione: l'ultima modifica di questo archivio è stata interrotta e non è stato "
            "possibile completarne il ripristino." RF_BREAK_LF_CR
            "L'archivio è aperto in sola lettura: accertarsi di possedere i privilegi di "
            "scrittura nella cartella di installazione del programma, quindi riaprire la "
            "finestra.");
    case ArchiveNotice::Kind::JournalSetAside:
        return QStringLiteral(
                   "Attenzione: accanto all'archivio è stato trovato un file di ripristino che non "
                   "corrisponde ai dati presenti (per esempio un archivio ripristinato da una copia "
                   "di sicurezza o sostituito da un'altra postazione)." RF_BREAK_LF_CR
                   "L'archivio non è stato modificato; il file di ripristino è stato conservato "
                   "come \"%1\".")
            .arg(notice.asideName);
    case ArchiveNotice::Kind::None:
        break;
    }
    return {};
}

} // namespace rf::Texts
