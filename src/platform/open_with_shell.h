#pragma once

#include <string>

namespace quellix::platform {

// Opens a document with the desktop's application for it (xdg-open, looked up on PATH) and
// returns at once: the application may stay open for hours. The path reaches xdg-open as one
// argument, without a shell. True when xdg-open was started, false when it could not be.
bool OpenWithShell(const std::string& path);

// Opens a text file for editing and returns at once: with the desktop's application for it, as
// OpenWithShell does; on Windows with Notepad from the Windows folder, whatever the file's type
// is associated with. True when the editor was started.
bool OpenInTextEditor(const std::string& path);

}  // namespace quellix::platform
