#include "core/purge/own_files.h"

#include "core/purge/day_logs.h"
#include "platform/companion_files.h"
#include "platform/os_info.h"
#include "platform/path_text.h"
#include "platform/process_info.h"
#include "platform/trash.h"

namespace quellix {

namespace {

struct FolderAndName {
    std::string folder;
    std::string name;
};

FolderAndName Split(const std::string& path) {
    return {platform::ParentFolder(path), std::string(platform::LastName(path))};
}

}  // namespace

void OwnFiles::AddFile(const std::string& path, std::vector<Place>& places) {
    if (path.empty()) {
        return;
    }
    const FolderAndName parts = Split(path);
    const auto folder = platform::StatPath(parts.folder);
    if (!folder || parts.name.empty()) {
        return;
    }
    for (Place& place : places) {
        if (place.folder.SameEntryAs(*folder)) {
            place.names.push_back(parts.name);
            return;
        }
    }
    places.push_back({*folder, {parts.name}});
}

OwnFiles OwnFiles::Of(const Settings& settings) {
    OwnFiles own;
    // Both the name the program was given and the file it leads to, in case it is a link.
    own.AddFile(settings.ConfigPath, own.config_);
    own.AddFile(platform::CanonicalPath(settings.ConfigPath), own.config_);
    const std::string executable = platform::ExecutablePath();
    own.AddFile(executable, own.executable_);
    own.executableFile_ = platform::StatPath(executable);
    if (!settings.PathLogs.empty()) {
        own.logFolder_ = platform::StatPath(settings.PathLogs);
    }
    if (const std::string trash = platform::HomeTrashPath(); !trash.empty()) {
        own.homeTrash_ = platform::StatPath(trash);
    }
    return own;
}

const std::vector<std::string>* OwnFiles::NamesIn(const std::vector<Place>& places,
                                                  const platform::EntryInfo& folder) {
    for (const Place& place : places) {
        if (place.folder.SameEntryAs(folder)) {
            return &place.names;
        }
    }
    return nullptr;
}

OwnFiles::FolderRole OwnFiles::RoleOf(const platform::EntryInfo& folder) const {
    FolderRole role;
    role.configNames = NamesIn(config_, folder);
    role.executableNames = NamesIn(executable_, folder);
    role.logs = logFolder_ && logFolder_->SameEntryAs(folder);
    return role;
}

bool OwnFiles::IsOwnFile(const FolderRole& role, std::string_view name,
                         const platform::EntryInfo& file) const {
    if (executableFile_ && executableFile_->SameEntryAs(file)) {
        return true;
    }
    if (role.logs && IsOwnDayLog(name, file)) {
        return true;
    }
    if (role.configNames != nullptr) {
        for (const std::string& configName : *role.configNames) {
            if (name == configName || platform::IsCompanionFileName(name, configName)) {
                return true;
            }
        }
    }
    if (role.executableNames != nullptr) {
        for (const std::string& executableName : *role.executableNames) {
            if (name == executableName) {
                return true;
            }
        }
    }
    return false;
}

bool OwnFiles::IsTrashFolder(const platform::EntryInfo& parent, std::string_view name,
                             const platform::EntryInfo& folder) const {
    if (homeTrash_ && homeTrash_->SameEntryAs(folder)) {
        return true;
    }
    return parent.mountRoot && platform::IsTopdirTrashName(name);
}

}  // namespace quellix
