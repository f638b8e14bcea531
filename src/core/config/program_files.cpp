#include "core/config/program_files.h"

#include <string_view>

#include "core/config/install_layout.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "platform/path_text.h"
#include "platform/process_info.h"

namespace quellix {

namespace {

constexpr std::string_view kConfigName = "Quellix.ini";
constexpr std::string_view kJournalSuffix = ".last-purge";

// folder joined with a relative path, its ".." resolved by the text alone.
std::string JoinRelative(std::string folder, std::string_view relative) {
    while (!relative.empty()) {
        std::size_t slash = 0;
        while (slash < relative.size() && !platform::IsPathSeparator(relative[slash])) {
            ++slash;
        }
        slash = slash == relative.size() ? std::string_view::npos : slash;
        const std::string_view part = relative.substr(0, slash);
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        if (part == "..") {
            folder = platform::ParentFolder(folder);
        } else if (!part.empty() && part != ".") {
            folder = platform::JoinPath(folder, part);
        }
    }
    return folder;
}

}  // namespace

bool IsSystemFolder(const std::string& folder) {
    if (folder == "/") {
        return true;
    }
    static constexpr std::string_view kSystemTrees[] = {
        "/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32", "/etc", "/boot"};
    for (const std::string_view tree : kSystemTrees) {
        if (folder.starts_with(tree) &&
            (folder.size() == tree.size() || folder[tree.size()] == '/')) {
            return true;
        }
    }
    return false;
}

ProgramFiles ResolveProgramFiles(const ProgramLocation& location,
                                 const std::optional<std::string>& iniPath) {
    const bool portable =
        location.folderHoldsConfigFile ||
        (location.folderIsWritable && !IsSystemFolder(location.executableFolder)) ||
        // Without a home there is nowhere else to look.
        location.userConfigHome.empty();
    ProgramFiles files;
    if (portable) {
        files = PortableProgramFiles(location.executableFolder);
    } else {
        files.installed = true;
        files.configPath =
            platform::JoinPath(platform::JoinPath(location.userConfigHome, "quellix"), kConfigName);
        files.configIsDefault = true;
        files.ownFolder = platform::ParentFolder(files.configPath);
        files.helpFolder = platform::JoinPath(
            JoinRelative(location.executableFolder, location.dataFolderFromBinary), "help");
    }
    if (iniPath) {
        files.configPath = *iniPath;
        files.configIsDefault = false;
        // An installed copy's own folder is the system's: the settings' folder stands in for it.
        if (files.installed) {
            files.ownFolder = platform::ParentFolder(*iniPath);
        }
    }
    files.journalPath = files.configPath + std::string(kJournalSuffix);
    if (files.installed && files.configIsDefault && !location.userStateHome.empty()) {
        files.journalPath =
            platform::JoinPath(platform::JoinPath(location.userStateHome, "quellix"),
                               std::string(kConfigName) + std::string(kJournalSuffix));
    }
    return files;
}

ProgramFiles PortableProgramFiles(const std::string& folder) {
    ProgramFiles files;
    files.configPath = platform::JoinPath(folder, kConfigName);
    files.ownFolder = folder;
    files.helpFolder = folder;
    files.configIsDefault = true;
    files.journalPath = files.configPath + std::string(kJournalSuffix);
    return files;
}

ProgramFiles LocateProgramFiles(const std::string& executableFolder,
                                const std::optional<std::string>& iniPath) {
    ProgramLocation location;
    location.executableFolder = executableFolder;
    location.folderHoldsConfigFile =
        platform::PathExists(platform::JoinPath(executableFolder, kConfigName));
    location.folderIsWritable = platform::IsWritableFolder(executableFolder);
    location.userConfigHome = platform::UserConfigHome();
    location.userStateHome = platform::UserStateHome();
    location.dataFolderFromBinary = build::kDataFolderFromBinary;
    return ResolveProgramFiles(
        location, iniPath ? std::optional(platform::CanonicalPath(*iniPath)) : std::nullopt);
}

bool PrepareConfigFolder(const ProgramFiles& files) {
    const std::string folder = platform::ParentFolder(files.configPath);
    if (!files.installed || !files.configIsDefault || platform::IsExistingDirectory(folder)) {
        return true;
    }
    return platform::MakeFolders(folder, 0700);
}

}  // namespace quellix
