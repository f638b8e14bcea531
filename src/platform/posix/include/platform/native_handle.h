#pragma once

namespace quellix::platform {

// An open file or folder of this system: a file descriptor.
using NativeHandle = int;
inline constexpr NativeHandle kNoHandle = -1;

}  // namespace quellix::platform
