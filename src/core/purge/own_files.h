#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/settings.h"
#include "platform/directory.h"

namespace quellix {

// The files the program lives on, which no purge may take, wherever the folder list points: the
// configuration file with its lock and temporaries, the running executable, the daily logs of
// the log folder (the program's own, which log retention removes; anything else there, even
// named like a log, is purged like any file), and the trash folders a run sends files to.
class OwnFiles {
  public:
    // Looked up anew for each purge, as the log folder and the files themselves may change.
    static OwnFiles Of(const Settings& settings);

    // What a folder holds of the program's, asked once per folder.
    struct FolderRole {
        const std::vector<std::string>* configNames = nullptr;
        const std::vector<std::string>* executableNames = nullptr;
        bool logs = false;
    };
    FolderRole RoleOf(const platform::EntryInfo& folder) const;

    bool IsOwnFile(const FolderRole& role, std::string_view name,
                   const platform::EntryInfo& file) const;

    // A trash folder met in a walk: the home trash, or a trash at the top of a mount.
    bool IsTrashFolder(const platform::EntryInfo& parent, std::string_view name,
                       const platform::EntryInfo& folder) const;

  private:
    struct Place {
        platform::EntryInfo folder;
        std::vector<std::string> names;
    };
    void AddFile(const std::string& path, std::vector<Place>& places);
    static const std::vector<std::string>* NamesIn(const std::vector<Place>& places,
                                                   const platform::EntryInfo& folder);

    std::vector<Place> config_;
    std::vector<Place> executable_;
    std::optional<platform::EntryInfo> executableFile_;
    std::optional<platform::EntryInfo> logFolder_;
    std::optional<platform::EntryInfo> homeTrash_;
};

}  // namespace quellix
