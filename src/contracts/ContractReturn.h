#pragma once

#include "storage/RecordScan.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace rf::Contracts {

// What became of marking a contract returned.
enum class Returned { Done, NotFound, ReadOnly, Failed };

// Marks returned ("Riconsegnato" = "Sì") the contract of the archive at archivePath that a list
// line was made from. The record is found again by its line (lineOf, the function the list was
// made with: the archive may have changed since), then read, checked to be still that line's and
// rewritten whole under one lock and the archive's journal, as the contracts window saves a card:
// a card saved elsewhere a moment ago keeps its other fields, and a record that is no longer the
// line's is left alone (NotFound).
Returned markReturned(const QString& archivePath, qint64 position, const QByteArray& line,
                      const std::function<QByteArray(const RecordView&)>& lineOf);

} // namespace rf::Contracts
