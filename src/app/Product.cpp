#include "Product.h"

#include "app/PasswordStore.h"

namespace rf::Product {

Backup::ProgramFiles ownFiles()
{
    return {{QStringLiteral("Rotaflux"), QStringLiteral("Rotaflux.exe"), QStringLiteral("Guida.pdf")},
            {QStringLiteral(".dll")},
            {QString::fromLatin1(PasswordStore::FileName)}};
}

} // namespace rf::Product
