#include "IniFile.h"

#include "Cp1252.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

// Bytes are kept as they are (Windows-1252 is converted by us), so no wide-character support is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace rf {

struct IniFile::Data {
    CSimpleIniA ini{false, false, false}; // bytes as they are, one value per key, no multi-line
    Data() { ini.SetSpaces(false); }      // "key=value", as the system writes INI files
};

namespace {
std::string bytes(const QString& text)
{
    return Cp1252::encode(text).toStdString();
}

// A line that opens a section without closing it is no section: it is carried through the parser
// as a comment, so the keys after it stay in the section before, and written back as it was.
const QByteArray KeptLine = ";\x7F\x7Frotaflux:";

QByteArray keepMalformedLines(const QByteArray& content)
{
    QList<QByteArray> lines = content.split('\n');
    for (QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && !trimmed.contains(']'))
            line.prepend(KeptLine);
    }
    return lines.join('\n');
}

QByteArray restoreMalformedLines(QByteArray content)
{
    // The writer puts an empty line before every comment; the kept line had none.
    return content.replace("\n\n" + KeptLine, "\n").replace("\n" + KeptLine, "\n").replace(KeptLine, "");
}
} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)), m_data(std::make_unique<Data>()) {}

IniFile::~IniFile() = default;

bool IniFile::load()
{
    m_data->ini.Reset();
    if (!QFileInfo::exists(m_path))
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const QByteArray kept = keepMalformedLines(content);
    return m_data->ini.LoadData(kept.constData(), std::size_t(kept.size())) >= 0;
}

QString IniFile::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const char* v = m_data->ini.GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr);
    if (!v)
        return defaultValue;
    return Cp1252::decode(v, int(std::strlen(v)));
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    m_data->ini.SetValue(bytes(section).c_str(), bytes(key).c_str(), bytes(value).c_str());
}

bool IniFile::save()
{
    std::string out;
    if (m_data->ini.Save(out, false) < 0)
        return false;
    QByteArray content = restoreMalformedLines(QByteArray::fromStdString(out));
    content.replace("\r\n", "\n");
    content.replace("\n", "\r\n");
    return writeWholeFile(m_path, content);
}

} // namespace rf
