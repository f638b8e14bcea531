#include "core/service/windows_service_host.h"

#include "core/service/service_event_log.h"
#include "core/service/windows_command_line.h"
#include "platform/process_info.h"
#include "platform/windows_services.h"

namespace quellix {

namespace {

// A stop waits for the running purge to reach its next file.
constexpr int kStopTimeoutSeconds = 30;

platform::ServiceStart ToPlatform(ServiceStartType type) {
    switch (type) {
        case ServiceStartType::Manual:
            return platform::ServiceStart::Manual;
        case ServiceStartType::Disabled:
            return platform::ServiceStart::Disabled;
        case ServiceStartType::Automatic:
        default:
            return platform::ServiceStart::Automatic;
    }
}

ServiceStartType FromPlatform(platform::ServiceStart start) {
    switch (start) {
        case platform::ServiceStart::Manual:
            return ServiceStartType::Manual;
        case platform::ServiceStart::Disabled:
            return ServiceStartType::Disabled;
        case platform::ServiceStart::Automatic:
        default:
            return ServiceStartType::Automatic;
    }
}

}  // namespace

std::unique_ptr<SystemServiceHost> MakeSystemServiceHost(bool isServiceProcess) {
    return std::make_unique<WindowsServiceHost>(platform::ExecutablePath(), isServiceProcess);
}

WindowsServiceHost::WindowsServiceHost(std::string executablePath, bool isServiceProcess)
    : executablePath_(std::move(executablePath)), isServiceProcess_(isServiceProcess) {
    if (const auto installed = platform::QueryInstalledService(kServiceName)) {
        startType_ = FromPlatform(installed->start);
        interactWithDesktop_ = installed->interactWithDesktop;
    }
}

bool WindowsServiceHost::IsInstalled() const {
    return platform::QueryInstalledService(kServiceName).has_value();
}

void WindowsServiceHost::WriteEventLog(std::string_view text, EventType type) {
    WriteServiceEventLog(text, type);
}

std::string WindowsServiceHost::ServiceCommandLine() const {
    return WindowsCommandLine({executablePath_, "--service", "--ini=" + configPath_});
}

bool WindowsServiceHost::Fail(unsigned long error, const std::string& what) {
    lastError_ = what + ": " + platform::WindowsErrorText(error);
    return false;
}

bool WindowsServiceHost::Install(bool /*unused*/) {
    lastError_.clear();
    if (configPath_.empty()) {
        lastError_ = "the configuration file of the service is not known";
        return false;
    }
    platform::ServiceDefinition definition;
    definition.name = kServiceName;
    definition.displayName = kServiceDisplayName;
    definition.commandLine = ServiceCommandLine();
    definition.dependencies = {"LanmanWorkstation"};
    definition.start = ToPlatform(startType_);
    definition.interactWithDesktop = interactWithDesktop_;
    if (const unsigned long error = platform::CreateOrChangeService(definition); error != 0) {
        return Fail(error, "cannot register the service");
    }
    // The program's own file holds the message table the Event Viewer shows our texts with.
    if (const unsigned long error = platform::RegisterEventLogSource(kServiceName, executablePath_);
        error != 0) {
        return Fail(error, "cannot register the event-log source");
    }
    return true;
}

bool WindowsServiceHost::Uninstall() {
    lastError_.clear();
    constexpr unsigned long kNoSuchService = 1060;  // ERROR_SERVICE_DOES_NOT_EXIST
    const unsigned long error = platform::StopAndDeleteService(kServiceName, kStopTimeoutSeconds);
    if (error != 0 && error != kNoSuchService) {
        return Fail(error, "cannot remove the service");
    }
    platform::UnregisterEventLogSource(kServiceName);
    return true;
}

bool WindowsServiceHost::IsRunning() const {
    const auto installed = platform::QueryInstalledService(kServiceName);
    return installed && installed->running;
}

}  // namespace quellix
