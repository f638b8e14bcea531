#pragma once

#include <sys/types.h>

namespace quellix::platform::posix {

// The process's file mode creation mask, read without changing it.
mode_t CurrentUmask();

}  // namespace quellix::platform::posix
