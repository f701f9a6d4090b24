#pragma once

#include "storage/RecordScan.h"

#include <QDate>
#include <QString>

#include <array>
#include <vector>

namespace rf::Contracts {

// The customer block of a contract: who rented and the document shown, in record order. Taking a
// returning customer copies these fields, and only these, into the contract being drafted.
inline constexpr std::array<const char*, 16> CustomerFields{
    "Cliente",  "Sesso",     "IndirizzoRes", "ComuneRes", "ProvRes", "CapRes",  "CodFisc", "Recapito",
    "DataNasc", "LuogoNasc", "ProvNasc",     "TipoDoc",   "NumDoc",  "EnteRil", "DataRil", "DataSca"};

// One customer of the archive: the customer block of their newest contract, the date of that
// contract and how many contracts they signed.
struct Customer {
    std::array<QString, CustomerFields.size()> fields; // in CustomerFields order
    QDate lastRental;                                  // invalid when the newest date is unreadable
    int rentals = 0;

    // The text of a customer field by name; empty for a name outside the block.
    QString value(const QString& field) const;
};

// The distinct customers of the contract archive. A customer is one fiscal code (trimmed, letter
// case aside) or, on contracts without a code, one name. Their newest contract is the one with
// the latest date ("Data"); between contracts of the same date, the later in the archive.
class CustomerRegister {
public:
    // The fewest characters a query needs before it lists anyone.
    static constexpr int MinQueryLength = 3;

    // Reads the archive at path in one scan, replacing what was held; a cancelled or failed scan
    // leaves the register empty.
    ScanResult read(const QString& path, const ScanProgress& progress = {});

    // Every customer, newest rental first.
    const std::vector<Customer>& customers() const { return m_customers; }

    // The customers whose name or fiscal code holds text (trimmed, at least MinQueryLength
    // characters), letter case and accents aside, newest rental first.
    std::vector<const Customer*> find(const QString& text) const;

private:
    std::vector<Customer> m_customers;
    std::vector<QString> m_searchKeys; // name and code of each customer, folded, parallel
};

// The text as queries compare it: accents taken off, letter case folded.
QString searchFolded(const QString& text);

} // namespace rf::Contracts
