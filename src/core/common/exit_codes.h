#pragma once

namespace quellix {

// Exit codes of the program, documented in the README.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitConfigError = 1,
    kExitAlreadyRunning = 2,
    kExitEndedByMainWindow = 3,
    kExitNoDesktop = 4,
    kExitServiceSetup = 5,
    // --undo-last put back only part of the last run: the rest is listed.
    kExitUndoIncomplete = 6,
    kExitUsage = 64,
    // The file --ini names cannot be a configuration file (EX_NOINPUT of sysexits.h).
    kExitUnusableIni = 66,
};

}  // namespace quellix
