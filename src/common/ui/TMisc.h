#pragma once

#include <QString>

namespace rf {

// Shell-open routine: hands sCommand to the system's associated application. A path or mail link
// may come wrapped in double quotes (so blanks in the path survive); a bare text is an address.
class TMisc {
public:
    // False when the system has nothing to open it with (no xdg-utils, no program for its kind).
    static bool Open(const QString& sCommand);
    // What the user is told when Open failed: what to install, and where a file is, so that it
    // can be opened by hand.
    static QString openFailure(const QString& sCommand);
    // The address Open would hand to the system, exposed so the quoting rules can be checked.
    static QString resolveTarget(const QString& sCommand);
};

} // namespace rf
