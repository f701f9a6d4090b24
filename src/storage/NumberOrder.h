#pragma once

#include <QString>

namespace rf {

// The order in which a shop reads vehicle numbers and similar names: the digits in them compared
// as numbers ("B-2" before "B-10", "9" before "10"), letters as an Italian reader sorts them, case
// aside, surrounding blanks ignored. Equal names compare equal.
bool numberOrderLess(const QString& a, const QString& b);
int numberOrderCompare(const QString& a, const QString& b);

} // namespace rf
