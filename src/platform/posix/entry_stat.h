#pragma once

#include <optional>

#include "platform/directory.h"

namespace quellix::platform::posix {

// statx(2) of name relative to the descriptor at (flags as statx takes them; "" with
// AT_EMPTY_PATH for the descriptor's own file). Never triggers an automount.
std::optional<EntryInfo> StatEntry(int at, const char* name, int flags);

}  // namespace quellix::platform::posix
