#pragma once

#include <QGuiApplication>

namespace rf {

// Shows the wait cursor over the whole program while it lives, for a long read the user waits on;
// the cursor comes back however the work ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace rf
