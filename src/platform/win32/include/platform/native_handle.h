#pragma once

namespace quellix::platform {

// An open file or folder of this system: a HANDLE (nullptr when none is held, never
// INVALID_HANDLE_VALUE).
using NativeHandle = void*;
inline constexpr NativeHandle kNoHandle = nullptr;

}  // namespace quellix::platform
