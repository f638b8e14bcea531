#pragma once

#include <windows.h>

#include <optional>

#include "platform/directory.h"

namespace quellix::platform::win32 {

// The type a purge sees in an entry's attributes: a reparse point of any kind (symbolic link,
// junction, mount point, cloud placeholder) is handled like a file and never entered.
EntryType TypeOfAttributes(DWORD attributes);

// What is known of the open entry; nullopt when the system does not say.
std::optional<EntryInfo> EntryInfoOf(HANDLE entry);

}  // namespace quellix::platform::win32
