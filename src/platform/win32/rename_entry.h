#pragma once

#include <windows.h>

#include <string>

namespace quellix::platform::win32 {

// Renames the open entry to name inside the folder handle, never replacing anything: 0, EEXIST,
// EXDEV when the folder is on another volume, or another error number. The handle needs DELETE.
int RenameNoReplace(HANDLE entry, HANDLE folder, const std::wstring& name);

}  // namespace quellix::platform::win32
