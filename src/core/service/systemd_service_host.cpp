#include "core/service/systemd_service_host.h"

#include <cerrno>
#include <cstring>

#include "core/service/service_event_log.h"
#include "core/service/systemd_unit.h"
#include "platform/directory.h"
#include "platform/file_system.h"
#include "platform/path_trust.h"
#include "platform/process_info.h"
#include "platform/program_runner.h"
#include "platform/text_file.h"

namespace quellix {

namespace {

// The user's unit folder; empty when the home folder is unknown.
std::string UserUnitFolder() {
    const std::string config = platform::UserConfigHome();
    return config.empty() ? std::string() : config + "/systemd/user";
}

// A system service runs as root: whoever can change its program or configuration file chooses
// what root runs and deletes.
std::string UntrustedPlace(const std::string& what, const std::string& path) {
    const std::optional<std::string> place = platform::PlaceOthersCanChange(path);
    if (!place) {
        return {};
    }
    return "the service would run as root with " + what + " " + path + ", but " +
           (*place == path ? std::string("it") : *place) +
           " can be changed by a user other than root: keep them where only root can write";
}

bool SameFile(const std::string& a, const std::string& b) {
    const auto stampA = platform::GetFileStamp(a);
    const auto stampB = platform::GetFileStamp(b);
    return stampA && stampB && stampA->device == stampB->device && stampA->inode == stampB->inode;
}

}  // namespace

std::unique_ptr<SystemServiceHost> MakeSystemServiceHost(bool isServiceProcess) {
    return std::make_unique<SystemdServiceHost>(DefaultUnitFolders(), isServiceProcess);
}

std::vector<std::string> DefaultUnitFolders() {
    std::vector<std::string> folders = {"/etc/systemd/system", "/usr/lib/systemd/system",
                                        "/lib/systemd/system"};
    if (std::string user = UserUnitFolder(); !user.empty()) {
        folders.push_back(std::move(user));
    }
    return folders;
}

SystemdInstallation DefaultSystemdInstallation() {
    SystemdInstallation installation;
    const bool root = platform::EffectiveUserId() == 0;
    installation.unitFolder = root ? "/etc/systemd/system" : UserUnitFolder();
    installation.userUnit = !root;
    // What sd_booted() checks: the system was started by systemd.
    installation.systemdRunning = platform::IsExistingDirectory("/run/systemd/system");
    installation.executablePath = platform::ExecutablePath();
    installation.run = platform::RunProgram;
    return installation;
}

SystemdServiceHost::SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess)
    : SystemdServiceHost(std::move(unitFolders), isServiceProcess, DefaultSystemdInstallation()) {}

SystemdServiceHost::SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess,
                                       SystemdInstallation installation)
    : unitFolders_(std::move(unitFolders)),
      isServiceProcess_(isServiceProcess),
      installation_(std::move(installation)) {
    // Our own folder first: that unit is the one systemd prefers and the one Install wrote.
    std::vector<std::string> readOrder = unitFolders_;
    if (!installation_.unitFolder.empty()) {
        readOrder.insert(readOrder.begin(), installation_.unitFolder);
    }
    for (const std::string& folder : readOrder) {
        if (const auto text = platform::ReadWholeFile(folder + "/" + kUnitFileName)) {
            const UnitRegistration registration = ParseUnitRegistration(*text);
            startType_ = registration.startType.value_or(startType_);
            interactWithDesktop_ = registration.interactWithDesktop.value_or(interactWithDesktop_);
            break;
        }
    }
}

bool SystemdServiceHost::IsInstalled() const {
    if (!installation_.unitFolder.empty() && platform::PathExists(UnitPath())) {
        return true;
    }
    for (const std::string& folder : unitFolders_) {
        if (platform::PathExists(folder + "/" + kUnitFileName)) {
            return true;
        }
    }
    return false;
}

void SystemdServiceHost::WriteEventLog(std::string_view text, EventType type) {
    WriteServiceEventLog(text, type);
}

bool SystemdServiceHost::Install(bool /*unused*/) {
    lastError_.clear();
    if (installation_.unitFolder.empty()) {
        return Fail("no folder for the unit file: the home folder is unknown");
    }
    if (configPath_.empty()) {
        return Fail("the configuration file of the service is not known");
    }
    const UnitText unit = ComposeUnit({installation_.executablePath, configPath_, startType_,
                                       interactWithDesktop_, installation_.userUnit});
    if (!unit.error.empty()) {
        return Fail(unit.error);
    }
    if (std::string problem = RootServiceProblem(); !problem.empty()) {
        return Fail(std::move(problem));
    }
    if (!platform::MakeFolders(installation_.unitFolder)) {
        return Fail("cannot create the folder " + installation_.unitFolder);
    }
    const std::string path = UnitPath();
    const std::optional<std::string> previous = platform::ReadWholeFile(path);
    // Whoever can change the unit can run anything as its user: never writable by others.
    if (!platform::ReplaceFileContents(path, unit.text, 0644)) {
        return Fail("cannot write " + path);
    }
    if (TellSystemd()) {
        return true;
    }
    // Leave the registration as it was before.
    if (previous) {
        platform::ReplaceFileContents(path, *previous);
    } else {
        platform::RemoveFileAt(path);
    }
    Systemctl({"daemon-reload"});
    return false;
}

std::string SystemdServiceHost::RootServiceProblem() const {
    if (installation_.userUnit || platform::EffectiveUserId() != 0) {
        return {};
    }
    std::string problem = UntrustedPlace("the program", installation_.executablePath);
    return problem.empty() ? UntrustedPlace("the configuration file", configPath_) : problem;
}

bool SystemdServiceHost::Uninstall() {
    lastError_.clear();
    const std::string path = UnitPath();
    // Removing ours would not end the registration while another unit file of that name stays.
    for (const std::string& folder : unitFolders_) {
        const std::string other = folder + "/" + kUnitFileName;
        const bool ours =
            !installation_.unitFolder.empty() && (other == path || SameFile(other, path));
        if (!ours && platform::PathExists(other)) {
            return Fail("the unit file " + other + " is not ours to remove");
        }
    }
    if (installation_.unitFolder.empty() || !platform::PathExists(path)) {
        return true;
    }

    const UnitRegistration registered =
        ParseUnitRegistration(platform::ReadWholeFile(path).value_or(""));
    if (installation_.systemdRunning) {
        Systemctl({"disable", "--now", kUnitFileName});  // may already be stopped or disabled
    }
    if (const int error = platform::RemoveFileAt(path); error != 0 && error != ENOENT) {
        if (installation_.systemdRunning &&
            registered.startType.value_or(ServiceStartType::Manual) ==
                ServiceStartType::Automatic) {
            Systemctl({"enable", kUnitFileName});
        }
        return Fail("cannot remove " + path + ": " + std::strerror(error));
    }
    if (installation_.systemdRunning) {
        Systemctl({"daemon-reload"});
    }
    return true;
}

std::string SystemdServiceHost::UnitPath() const {
    return installation_.unitFolder + "/" + kUnitFileName;
}

int SystemdServiceHost::Systemctl(std::vector<std::string> arguments) const {
    if (!installation_.systemdRunning || !installation_.run) {
        return -1;
    }
    arguments.insert(arguments.begin(), "systemctl");
    if (installation_.userUnit) {
        arguments.insert(arguments.begin() + 1, "--user");
    }
    return installation_.run(arguments);
}

bool SystemdServiceHost::TellSystemd() {
    if (!installation_.systemdRunning) {
        return true;
    }
    if (Systemctl({"daemon-reload"}) != 0) {
        if (installation_.userUnit) {
            // The user's manager is not reachable (no login session): it reads the unit when
            // it next starts.
            return true;
        }
        return Fail("systemctl daemon-reload failed");
    }
    const char* verb = startType_ == ServiceStartType::Automatic ? "enable" : "disable";
    if (Systemctl({verb, kUnitFileName}) != 0) {
        return Fail(std::string("systemctl ") + verb + " " + kUnitFileName + " failed");
    }
    return true;
}

bool SystemdServiceHost::Fail(std::string why) {
    lastError_ = std::move(why);
    return false;
}

bool SystemdServiceHost::IsRunning() const {
    return Systemctl({"is-active", "--quiet", kUnitFileName}) == 0;
}

}  // namespace quellix
