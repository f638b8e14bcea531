#pragma once

#include <windows.h>

#include <string>

namespace quellix::platform::win32 {

// Whether a shortcut can record target (a wide system path): the shell keeps a link's target in
// a MAX_PATH buffer and refuses or cuts a longer one.
bool ShellLinkTargetFits(const std::wstring& target);

// Writes a Shell Link (.lnk) file name in the open folder pointing to target, through IShellLinkW
// and IPersistStream, so that Explorer opens the moved file from it. The file is made relative
// to the folder's handle, so the folder's own path may be of any length. Never replaces an
// existing file. Returns 0 or an errno-style number (EEXIST when name exists, ENAMETOOLONG for a
// target that does not fit).
int SaveShellLink(HANDLE folder, const std::wstring& name, const std::wstring& target);

}  // namespace quellix::platform::win32
