#pragma once

#include <QByteArray>

// What each fuzz target does with one input; the same functions run the seed corpora as tests.
namespace rf::fuzz {

// The bytes as a record of every type (every field decoded), as an archive scanned whole, and as
// a rewrite journal.
void Records(const QByteArray& data);
// The bytes as Rotaflux.ini: loaded, read, changed and saved again.
void Ini(const QByteArray& data);
// The bytes as the password file: read and checked against a typed password.
void Password(const QByteArray& data);

} // namespace rf::fuzz
