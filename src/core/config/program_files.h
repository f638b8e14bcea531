#pragma once

#include <optional>
#include <string>

namespace quellix {

// What decides where this copy keeps its files.
struct ProgramLocation {
    // Folder of the executable, canonical, without a trailing separator.
    std::string executableFolder;
    bool folderHoldsConfigFile = false;
    bool folderIsWritable = false;
    // The user's configuration folder (XDG_CONFIG_HOME or ~/.config); empty when unknown.
    std::string userConfigHome;
    // The installed data folder, relative to the executable's folder ("../share/quellix").
    std::string dataFolderFromBinary;
    // The user's state folder (XDG_STATE_HOME or ~/.local/state); empty when unknown or when the
    // system has none.
    std::string userStateHome;
};

// Where the files of this copy are.
struct ProgramFiles {
    // Installed with the system's packages rather than unpacked into a folder of its own.
    bool installed = false;
    std::string configPath;
    // The program's own folder: default log folder.
    std::string ownFolder;
    std::string helpFolder;
    // The configuration file is the copy's own default (no --ini), to be created with its folder.
    bool configIsDefault = false;
    // The journal of the last run, which undoes it: beside the configuration file, or for an
    // installed copy's own settings in the user's state folder.
    std::string journalPath;
};

// Folders of the operating system itself, where a portable copy never keeps its settings.
bool IsSystemFolder(const std::string& folder);

// A copy is portable when its folder already holds its configuration file, or when that folder
// is writable and is not a system folder; otherwise it is installed and keeps each user's
// settings in their configuration folder. iniPath is the --ini file, made absolute: it always
// names the configuration file.
ProgramFiles ResolveProgramFiles(const ProgramLocation& location,
                                 const std::optional<std::string>& iniPath);

// Everything beside the executable in folder, as a portable copy keeps it.
ProgramFiles PortableProgramFiles(const std::string& folder);

// The files of the running copy whose executable is in executableFolder.
ProgramFiles LocateProgramFiles(const std::string& executableFolder,
                                const std::optional<std::string>& iniPath);

// Creates the missing folder of an installed copy's default configuration file, for the user
// alone, as the XDG rules ask. False only when that folder could not be made.
bool PrepareConfigFolder(const ProgramFiles& files);

}  // namespace quellix
