#include "service/systemd_service_host.h"

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/system_log.h"

namespace quellix {

std::vector<std::string> DefaultUnitFolders() {
    std::vector<std::string> folders = {"/etc/systemd/system", "/usr/lib/systemd/system",
                                        "/lib/systemd/system"};
    if (auto config = platform::EnvironmentVariable("XDG_CONFIG_HOME");
        config && !config->empty()) {
        folders.push_back(*config + "/systemd/user");
    } else if (const std::string home = platform::HomeDirectory(); !home.empty()) {
        folders.push_back(home + "/.config/systemd/user");
    }
    return folders;
}

SystemdServiceHost::SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess)
    : unitFolders_(std::move(unitFolders)), isServiceProcess_(isServiceProcess) {}

bool SystemdServiceHost::IsInstalled() const {
    for (const std::string& folder : unitFolders_) {
        if (platform::PathExists(folder + "/" + kUnitFileName)) {
            return true;
        }
    }
    return false;
}

void SystemdServiceHost::WriteEventLog(std::string_view text, EventType type) {
    platform::LogSeverity severity = platform::LogSeverity::Information;
    if (type == EventType::Error) {
        severity = platform::LogSeverity::Error;
    } else if (type == EventType::Warning) {
        severity = platform::LogSeverity::Warning;
    }
    platform::WriteSystemLog(kServiceName, severity, text);
}

bool SystemdServiceHost::Install(bool /*unused*/) {
    return false;
}

bool SystemdServiceHost::Uninstall() {
    return false;
}

}  // namespace quellix
