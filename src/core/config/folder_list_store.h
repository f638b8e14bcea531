#pragma once

#include <cstddef>
#include <optional>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "core/config/config_error.h"
#include "core/config/config_store.h"

namespace quellix {

class FrontEnd;

// Entry numbers are 16-bit: the list holds at most this many entries.
inline constexpr std::int32_t kMaxFolderEntries = 32767;

// The longest folder or destination value (PathN, AutreDossierN) the file keeps whole. A value
// read back at the reading limit may have been cut, and a cut path can name a parent folder, so
// one that reaches the limit is refused both by the editor and at load.
inline constexpr std::size_t kMaxStoredPathBytes = ConfigStore::kMaxValueBytes - 1;

// The values of the seven keys of one entry, as the file stores them.
struct StoredEntry {
    std::string path;
    std::string retention;
    std::string subfolders;
    std::string date;
    std::string deletes;
    std::string recycles;
    std::string destination;
};
StoredEntry StoredEntryOf(const FolderEntry& entry, Language language);

// Reads the NbPaths entries of [Paths] into list (which is cleared first), counting them in the
// loading window. Returns the first fatal error met; the list then holds
// the entries read before it.
std::optional<ConfigError> LoadFolderList(ConfigStore& store, const Settings& settings,
                                          FolderList& list, FrontEnd& frontEnd);

// Writes the whole list into [Paths], numbered from 1, removes the keys of former entries past
// its end, sets NbPaths.
void SaveFolderList(ConfigStore& store, Settings& settings, FolderList& list);

}  // namespace quellix
