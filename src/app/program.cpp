#include "app/program.h"

#include "app/desktop_entry.h"
#include "app/headless_program.h"
#include "app/preview_program.h"
#include "app/service_setup.h"
#include "app/undo_program.h"
#include "core/common/exit_codes.h"
#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/ini_option.h"
#include "core/config/program_files.h"
#include "platform/service_signals.h"

namespace quellix {

namespace {

constexpr const char* kServiceTypedByHand =
    "quellix: --service is started by the Windows service manager, not typed in a console.\n"
    "Install the service with \"quellix --install-service\" (as an administrator), then start "
    "it from Services or with \"sc start Quellix\"; use -C for a one-shot run.\n";

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::string& executableFolder,
               std::ostream& out, std::ostream& err) {
    const CommandLine commandLine = ParseCommandLine(arguments);
    if (!commandLine.error.empty()) {
        err << "quellix: " << commandLine.error << "\n\n" << UsageText();
        return kExitUsage;
    }
    const ProgramFiles files = LocateProgramFiles(executableFolder, commandLine.iniPath);
    if (commandLine.help) {
        out << UsageText() << "\nConfiguration file: " << files.configPath << '\n';
        return kExitSuccess;
    }
    if (commandLine.version) {
        Settings settings;
        SetBuildVersion(settings);
        out << settings.ProgramTitle << '\n';
        return kExitSuccess;
    }
    // A preview is a one-shot run that changes nothing: "-C" may come with it.
    const int modes = (commandLine.runOnce || commandLine.dryRun ? 1 : 0) +
                      (commandLine.undoLast ? 1 : 0) + (commandLine.service ? 1 : 0) +
                      (commandLine.installService ? 1 : 0) + (commandLine.uninstallService ? 1 : 0);
    if (modes > 1) {
        err << "quellix: choose one of -C (or --dry-run), --undo-last, --service, "
               "--install-service and --uninstall-service\n\n"
            << UsageText();
        return kExitUsage;
    }
    // A typo in a cron line must not pass for a run; removing the service needs no file.
    if (commandLine.iniPath && !commandLine.uninstallService) {
        if (const std::string why = UnusableIniReason(files.configPath); !why.empty()) {
            err << "quellix: " << files.configPath << ": " << why << '\n';
            return kExitUnusableIni;
        }
    }
    if (commandLine.dryRun) {
        return RunPreview(commandLine, files, out, err);
    }
    if (commandLine.undoLast) {
        return RunUndoLast(files, out, err);
    }
    if (commandLine.installService || commandLine.uninstallService) {
        const auto service = MakeSystemServiceHost(false);
        return RunServiceSetup(commandLine, files, *service, out, err);
    }
    if (!commandLine.runOnce && !commandLine.service) {
        return RunDesktop(commandLine, files, err);
    }
    const auto service = MakeSystemServiceHost(commandLine.service);
    if (commandLine.service) {
        const std::optional<int> code = platform::RunServiceProcess([&] {
            HeadlessProgram program(commandLine, files, err, *service);
            return program.Run();
        });
        if (!code) {
            err << kServiceTypedByHand;
            return kExitUsage;
        }
        return *code;
    }
    HeadlessProgram program(commandLine, files, err, *service);
    return program.Run();
}

}  // namespace quellix
