#pragma once

#include <QString>

#include <optional>

namespace rf {

// The access password as held in the password file: section "Accesso", key "Valore", scrambled
// with Crypt. Every read and write opens and closes the file.
class PasswordStore {
public:
    static constexpr const char* FileName = "unins000.dll";
    static constexpr int MaxLength = 255;

    explicit PasswordStore(QString filePath);

    // The stored password, trimmed. A missing file or key gives an empty text; a file that cannot
    // be read or a value that is not hexadecimal gives nothing.
    std::optional<QString> read() const;

    // Replaces the value with the scrambled stored form of password, keeping every other line of
    // the file. False when the file cannot be read or written; the old value then stays.
    bool write(const QString& password) const;

    // Leading and trailing blanks and control characters (codes up to 32) removed.
    static QString trimmed(const QString& text);
    // What a typed password is compared and stored as: a to z in upper case, then trimmed.
    static QString storedForm(const QString& typed);
    // Whether a stored form fits the scrambler: at most 255 characters, each with a code up to 255.
    static bool fitsScrambler(const QString& stored);

private:
    QString m_filePath;
};

} // namespace rf
