#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/common/host_system.h"

namespace quellix {

// The command line, with the program's own "--" options taken out before the rest is searched
// for the one-shot switch, so that "--ini=/srv/my-cleaner.ini" never turns it on.
struct CommandLine {
    // The remaining arguments, upper-cased and joined by single spaces.
    std::string upperCased;
    // "-C" (any case) occurs anywhere in the remaining arguments.
    bool runOnce = false;
    std::optional<std::string> iniPath;
    // The process the service unit starts: it runs without a window until it is told to stop.
    bool service = false;
    // Registers the service unit with this start type ("automatic", "manual", "disabled"), or
    // removes it, then ends.
    std::optional<std::string> installService;
    bool uninstallService = false;
    // Shows what a purge of every entry would do now, changing nothing; as JSON lines with json.
    bool dryRun = false;
    bool json = false;
    // Puts back what the last purge moved or sent to the trash.
    bool undoLast = false;
    bool help = false;
    bool version = false;
    // Why the command line cannot be used; empty when it can.
    std::string error;
};

// arguments excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The help text, in the words of the system's service manager and folders.
std::string UsageText(HostSystem system = kHostSystem);

}  // namespace quellix
