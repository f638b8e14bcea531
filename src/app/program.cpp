#include "app/program.h"

#include "app/exit_codes.h"
#include "app/headless_front_end.h"
#include "config/settings.h"
#include "config/startup.h"
#include "mainwindow/count_pass.h"
#include "platform/clock.h"
#include "purge/purge_engine.h"
#include "service/systemd_service_host.h"

namespace quellix {

namespace {

int ExitCodeOf(StartupOutcome outcome) {
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

}  // namespace

int RunHeadlessProgram(const std::vector<std::string>& arguments, const std::string& programFolder,
                       std::ostream& out, std::ostream& err) {
    const CommandLine commandLine = ParseCommandLine(arguments);
    if (!commandLine.error.empty()) {
        err << "quellix: " << commandLine.error << "\n\n" << UsageText();
        return kExitUsage;
    }
    if (commandLine.help) {
        out << UsageText();
        return kExitSuccess;
    }
    if (commandLine.version) {
        Settings settings;
        SetBuildVersion(settings);
        out << settings.ProgramTitle << '\n';
        return kExitSuccess;
    }
    if (!commandLine.runOnce) {
        err << "quellix: this build has no desktop window; use -C for a one-shot run\n";
        return kExitNoDesktop;
    }

    HeadlessFrontEnd frontEnd(err);
    SystemdServiceHost service(DefaultUnitFolders(), false);
    ProgramState state;
    PurgeEngine engine(state.settings, platform::SystemClock(), frontEnd);
    frontEnd.SetCountPass([&] {
        CountPass({state.settings, state.folders, frontEnd, service, engine});
    });
    return ExitCodeOf(RunStartup({commandLine, programFolder}, state, frontEnd, service));
}

}  // namespace quellix
