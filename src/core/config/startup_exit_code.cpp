#include "core/config/startup_exit_code.h"

#include "core/common/exit_codes.h"

namespace quellix {

int StartupExitCode(StartupOutcome outcome, std::optional<ProgramEnd> endRequested) {
    if (endRequested == ProgramEnd::Failure) {
        return kExitConfigError;
    }
    switch (outcome) {
        case StartupOutcome::Running:
        case StartupOutcome::RunOnceFinished:
            return kExitSuccess;
        case StartupOutcome::AlreadyRunning:
            return kExitAlreadyRunning;
        case StartupOutcome::ConfigError:
            return kExitConfigError;
        case StartupOutcome::EndedByMainWindow:
            break;
    }
    return kExitEndedByMainWindow;
}

}  // namespace quellix
