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

// As ListFolder, with the whole record the system gives for each entry (its dates, size, file ID
// and attributes), read without opening the entry.
int ListFolderRecords(HANDLE folder,
                      const std::function<void(const FILE_ID_BOTH_DIR_INFO& entry)>& visit);

// The name of a listed entry.
inline std::wstring_view NameOf(const FILE_ID_BOTH_DIR_INFO& entry) {
    return {entry.FileName, entry.FileNameLength / sizeof(wchar_t)};
}

// A handle of its own on the folder at path for one listing (following links); invalid handle on
// failure.
HANDLE OpenFolderForListing(const std::wstring& path);

}  // namespace quellix::platform::win32
