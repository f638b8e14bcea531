#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/common/folder_list.h"
#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/command_line.h"
#include "core/config/config_error.h"
#include "core/config/config_store.h"
#include "core/config/program_files.h"
#include "platform/config_file.h"
#include "platform/instance_lock.h"

namespace quellix {

class FrontEnd;
class ServiceHost;

// Everything a running program holds from start-up to its end.
struct ProgramState {
    Settings settings;
    FolderList folders;
    SchedulerState scheduler;
    std::unique_ptr<ConfigStore> config;
    // Held for the life of the process so that a second copy on the same file refuses to run.
    std::unique_ptr<platform::InstanceLock> instanceLock;
};

enum class StartupOutcome {
    Running,          // the main window runs the program from here
    RunOnceFinished,  // "-C": everything is done, the program ends normally
    AlreadyRunning,   // another copy runs on the same configuration file
    ConfigError,      // a fatal configuration error was reported
    EndedByMainWindow,
};

struct StartupRequest {
    CommandLine commandLine;
    // The configuration file (--ini applied), default log folder and help pages of this copy.
    ProgramFiles files;
};

// Why the file as a whole must not be gone by; nothing when it may (a missing file is created,
// one that cannot be read leaves every default).
std::optional<ConfigError> ConfigFileRefusal(platform::ConfigFileState state);

// The start-up sequence, from reading the command line to handing over to the main window.
StartupOutcome RunStartup(const StartupRequest& request, ProgramState& state, FrontEnd& frontEnd,
                          ServiceHost& service);

}  // namespace quellix
