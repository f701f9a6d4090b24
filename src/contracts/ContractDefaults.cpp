#include "ContractDefaults.h"

#include "storage/CountedString.h"
#include "storage/IniFile.h"

#include <QDir>

namespace rf::ContractDefaults {

QString filePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QLatin1String(FileName));
}

Values read(const QString& programFolder)
{
    Values values;
    IniFile ini(filePath(programFolder));
    if (!ini.load())
        return values;
    for (int i = 0; i < Count; ++i)
        values[i] = ini.value(QLatin1String(Section), QLatin1String(Entries[i].key));
    return values;
}

bool write(const QString& programFolder, const Values& values)
{
    IniFile ini(filePath(programFolder));
    if (!ini.load())
        return false;
    for (int i = 0; i < Count; ++i)
        ini.setValue(QLatin1String(Section), QLatin1String(Entries[i].key), trimControl(values[i]));
    return ini.save();
}

} // namespace rf::ContractDefaults
