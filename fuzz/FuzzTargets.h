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
// The bytes as a backup zip, checked as a restore checks it first.
void Backup(const QByteArray& data);
// The bytes as the contracts archive (made up to whole records), read into the customer register
// and searched.
void Customers(const QByteArray& data);
// The bytes as the contracts archive, figured for a season beside a small fleet.
void Season(const QByteArray& data);
// The bytes as the contracts archive, read for the day's work beside a small fleet.
void Today(const QByteArray& data);
// The bytes as planning files of a small fleet, whole and cut short, drawn on a booking board
// across the turn of a year.
void Board(const QByteArray& data);

} // namespace rf::fuzz
