#pragma once

#include "storage/MessageBreaks.h"

#include <QString>

// Texts the windows of several areas show, written once.
namespace rf::Texts {

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

} // namespace rf::Texts
