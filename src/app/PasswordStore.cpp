#include "PasswordStore.h"

#include "Crypt.h"

#include "storage/IniFile.h"

#include <algorithm>

namespace rf {

namespace {
const QString Section = QStringLiteral("Accesso");
const QString Key = QStringLiteral("Valore");

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}
} // namespace

PasswordStore::PasswordStore(QString filePath) : m_filePath(std::move(filePath)) {}

std::optional<QString> PasswordStore::read() const
{
    IniFile ini(m_filePath);
    if (!ini.load())
        return std::nullopt;
    bool ok = false;
    const QString stored = Crypt::DecodificaPassword(ini.value(Section, Key), &ok);
    if (!ok)
        return std::nullopt;
    return trimmed(stored);
}

bool PasswordStore::write(const QString& password) const
{
    IniFile ini(m_filePath);
    if (!ini.load())
        return false;
    ini.setValue(Section, Key, Crypt::CodificaPassword(storedForm(password)));
    return ini.save();
}

QString PasswordStore::trimmed(const QString& text)
{
    int first = 0;
    int last = int(text.size()) - 1;
    while (first <= last && isBlank(text.at(first)))
        ++first;
    while (last >= first && isBlank(text.at(last)))
        --last;
    return text.mid(first, last - first + 1);
}

QString PasswordStore::storedForm(const QString& typed)
{
    QString upper = typed;
    for (QChar& c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(char16_t(c.unicode() - 'a' + 'A'));
    }
    return trimmed(upper);
}

bool PasswordStore::fitsScrambler(const QString& stored)
{
    return stored.size() <= MaxLength &&
           std::all_of(stored.begin(), stored.end(), [](QChar c) { return c.unicode() <= 255; });
}

} // namespace rf
