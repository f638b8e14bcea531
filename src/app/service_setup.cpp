#include "app/service_setup.h"

#include "core/common/exit_codes.h"
#include "core/config/startup.h"

namespace quellix {

namespace {

std::optional<ServiceStartType> StartTypeNamed(const std::string& name) {
    if (name == "automatic") {
        return ServiceStartType::Automatic;
    }
    if (name == "manual") {
        return ServiceStartType::Manual;
    }
    if (name == "disabled") {
        return ServiceStartType::Disabled;
    }
    return std::nullopt;
}

}  // namespace

std::string WindowsStartHint(ServiceStartType startType) {
    const std::string notRunning = "It is not running yet: ";
    switch (startType) {
        case ServiceStartType::Automatic:
            return notRunning +
                   "it starts with Windows, or now from Services or with \"sc start Quellix\".\n";
        case ServiceStartType::Manual:
            return notRunning + "start it from Services or with \"sc start Quellix\".\n";
        case ServiceStartType::Disabled:
            break;
    }
    return notRunning +
           "it is disabled; install it again with --install-service=automatic or =manual to "
           "start it.\n";
}

int RunServiceSetup(const CommandLine& commandLine, const ProgramFiles& files,
                    SystemServiceHost& service, std::ostream& out, std::ostream& err) {
    if (commandLine.uninstallService) {
        if (!service.IsInstalled()) {
            out << "Quellix Service is not installed\n";
            return kExitSuccess;
        }
        if (!service.Uninstall()) {
            err << "quellix: the service could not be removed: " << service.LastError() << '\n';
            return kExitServiceSetup;
        }
        out << "Quellix Service removed\n";
        return kExitSuccess;
    }
    const auto startType = StartTypeNamed(*commandLine.installService);
    if (!startType) {
        err << "quellix: unknown start type '" << *commandLine.installService
            << "' (automatic, manual or disabled)\n";
        return kExitUsage;
    }
    // The service starts in "/", so the unit names the file by its full path; the service's
    // first start creates the file, and for an installed copy its folder must be there then.
    service.SetConfigPath(files.configPath);
    PrepareConfigFolder(files);
    service.SetStartType(*startType);
    if (!service.Install(false)) {
        err << "quellix: the service could not be installed: " << service.LastError() << '\n';
        return kExitServiceSetup;
    }
    out << "Quellix Service installed (" << *commandLine.installService << ")\n";
    if (kHostSystem == HostSystem::Windows) {
        out << (service.IsRunning() ? std::string("It is running.\n")
                                    : WindowsStartHint(*startType));
    }
    return kExitSuccess;
}

}  // namespace quellix
