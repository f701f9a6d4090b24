#pragma once

#include <QChar>
#include <QString>

// Checks of the customer's identification number: the Italian fiscal code of a person and the
// Italian VAT number of a company, with the VAT office that issued the number.
namespace rf::Fiscal {

// The check character of a fiscal code computed over its first 15 characters (a letter A to Z),
// or a null QChar when the text is shorter than 15 characters. Characters outside "0" to "Z"
// (lower case, accented letters, blanks) count 0, like the punctuation between "9" and "A".
QChar fiscalCheckCharacter(const QString& code);

// True when the text has exactly 16 characters and the last one is the check character.
// The text is taken as it is: callers make letters capitals first.
bool isValidFiscalCode(const QString& sixteen);

// True when the text is exactly 11 digits and the last one is the check digit of the first ten.
bool isValidVatNumber(const QString& number);

// The place name of the VAT office coded in characters 8 to 10 of the number; empty when the
// code is not a known office or the text is too short to hold one.
QString vatOffice(const QString& elevenDigits);

} // namespace rf::Fiscal
