#pragma once

#include <QString>

#include <memory>

namespace rf {

// An INI file read and written whole: sections, keys and other lines of an existing file are kept,
// texts are Windows-1252 on disk, lines end with CR LF, and saving goes through a temporary file so
// a failure never leaves a half-written file behind.
class IniFile {
public:
    explicit IniFile(QString path);
    ~IniFile();

    // Reads the file. A missing file reads as empty and succeeds; a file that exists but cannot be
    // read or parsed fails, and must then not be saved over.
    bool load();
    QString value(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    bool save();

    const QString& path() const { return m_path; }

private:
    QString m_path;
    struct Data;
    std::unique_ptr<Data> m_data;
};

} // namespace rf
