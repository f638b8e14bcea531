#pragma once

#include <string>

namespace quellix::platform {

// Opens a document with the desktop's application for it (xdg-open, looked up on PATH) and
// returns at once: the application may stay open for hours. The path reaches xdg-open as one
// argument, without a shell. True when xdg-open was started, false when it could not be.
bool OpenWithShell(const std::string& path);

}  // namespace quellix::platform
