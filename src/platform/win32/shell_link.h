#pragma once

#include <string>

namespace quellix::platform::win32 {

// Writes a Shell Link (.lnk) file at linkPath pointing to target (both wide system paths),
// through IShellLinkW and IPersistFile, so that Explorer opens the moved file from it. Never
// replaces an existing file. Returns 0 or an errno-style number (EEXIST when linkPath exists).
int SaveShellLink(const std::wstring& linkPath, const std::wstring& target);

}  // namespace quellix::platform::win32
