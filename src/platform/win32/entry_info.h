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

// A cloud file whose content is not on this machine ("online only"): opening it
// (FILE_ATTRIBUTE_RECALL_ON_OPEN, which only listings show) or reading it
// (FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS) makes its provider download it.
inline constexpr DWORD kRecallOnOpen = 0x40000;
inline constexpr DWORD kRecallOnDataAccess = 0x400000;
bool IsCloudPlaceholder(DWORD attributes);

// What a listing's record tells of an entry, which is all that may be read of a cloud
// placeholder. A listing does not give the number of names (links stays 1) nor tell a volume's
// root.
EntryInfo ListedEntryInfo(const FILE_ID_BOTH_DIR_INFO& entry, DWORD volumeSerial);

}  // namespace quellix::platform::win32
