#include "app/program.h"

#include "app/exit_codes.h"
#include "app/headless_program.h"
#include "config/settings.h"
#include "service/systemd_service_host.h"

namespace quellix {

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
    if (commandLine.service && commandLine.runOnce) {
        err << "quellix: -C and --service cannot be used together\n\n" << UsageText();
        return kExitUsage;
    }
    if (!commandLine.runOnce && !commandLine.service) {
        err << "quellix: this build has no desktop window; use -C for a one-shot run\n";
        return kExitNoDesktop;
    }
    SystemdServiceHost service(DefaultUnitFolders(), commandLine.service);
    HeadlessProgram program(commandLine, programFolder, err, service);
    return program.Run();
}

}  // namespace quellix
