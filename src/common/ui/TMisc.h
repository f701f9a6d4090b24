#pragma once

#include <QString>

namespace rf {

// Shell-open routine: hands sCommand to the system's associated application. A path or mail link
// may come wrapped in double quotes (so blanks in the path survive); a bare text is an address.
class TMisc {
public:
    static void Open(const QString& sCommand);
    // The address Open would hand to the system, exposed so the quoting rules can be checked.
    static QString resolveTarget(const QString& sCommand);
};

} // namespace rf
