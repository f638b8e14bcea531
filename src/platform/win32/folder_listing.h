#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace quellix::platform::win32 {

// Calls visit with the name and attributes of every entry of the open folder but "." and "..",
// from the start. The handle must have been opened for listing (FILE_LIST_DIRECTORY, synchronous).
// Returns 0 when the whole folder was listed, else the error number.
int ListFolder(HANDLE folder,
               const std::function<void(std::wstring_view name, DWORD attributes)>& visit);

// A handle of its own on the folder at path for one listing (following links); invalid handle on
// failure.
HANDLE OpenFolderForListing(const std::wstring& path);

}  // namespace quellix::platform::win32
