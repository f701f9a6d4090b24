#pragma once

#include <QByteArray>
#include <QString>

namespace rf {

// Text with characters up to code 32 removed from both ends, as every field is stored and shown.
QString trimControl(const QString& text);

// A field of capacity N occupies N + 1 bytes: a length byte, then the text in Windows-1252.
// PutCounted writes the trimmed text, cut to N bytes, into dest (N + 1 bytes); the bytes after
// the text are cleared.
void PutCounted(const QString& text, int capacity, char* dest);
QByteArray PutCounted(const QString& text, int capacity);
// Reads the field at src (capacity N) back as trimmed text. A length byte above N is taken as N.
QString GetCounted(const char* src, int capacity);

} // namespace rf
