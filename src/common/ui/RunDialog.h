#pragma once

#include <utility>

namespace rf {

// Builds the on-demand dialog T from args, runs it modally and destroys it; returns exec()'s result.
template <typename T, typename... Args> int runDialog(Args&&... args)
{
    T dialog(std::forward<Args>(args)...);
    return dialog.exec();
}

} // namespace rf
