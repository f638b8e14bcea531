#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/common/service_host.h"

namespace quellix {

inline constexpr const char* kUnitFileName = "quellix.service";

// Folders where an installed unit of ours may live: the system-wide ones, then the user's.
std::vector<std::string> DefaultUnitFolders();

// Where Install puts the unit and how it tells systemd; tests point it at a temporary folder.
struct SystemdInstallation {
    // Folder the unit file is written to and removed from.
    std::string unitFolder;
    // The unit belongs to the user's own service manager (systemctl --user).
    bool userUnit = false;
    // A service manager runs and is told of each change (daemon-reload, enable, disable).
    bool systemdRunning = false;
    // The program the unit starts.
    std::string executablePath;
    // Runs a command (its first word a program name) and returns the exit status, -1 when it
    // could not run.
    std::function<int(const std::vector<std::string>&)> run;
};

// As root a system unit in /etc/systemd/system, otherwise a user unit in
// $XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user by default), for this executable.
SystemdInstallation DefaultSystemdInstallation();

// The service as a systemd unit; its entries go to the system log under "Quellix".
class SystemdServiceHost final : public SystemServiceHost {
  public:
    SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess);
    // Reads the start type and desktop flag back from an installed unit.
    SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess,
                       SystemdInstallation installation);

    bool IsInstalled() const override;
    bool IsServiceProcess() const override { return isServiceProcess_; }
    void WriteEventLog(std::string_view text, EventType type) override;

    ServiceStartType StartType() const override { return startType_; }
    void SetStartType(ServiceStartType type) override { startType_ = type; }
    bool InteractWithDesktop() const override { return interactWithDesktop_; }
    void SetInteractWithDesktop(bool on) override { interactWithDesktop_ = on; }

    void SetConfigPath(std::string path) override { configPath_ = std::move(path); }

    // Writes the unit and, when systemd runs, reloads it and enables (automatic start) or
    // disables it. On failure the previous unit, if any, is back in place.
    bool Install(bool unused) override;
    // Stops and disables the service when systemd runs and removes the unit file. False, with
    // nothing changed, when a unit would remain that is not ours to remove.
    bool Uninstall() override;

    bool IsRunning() const override;
    const std::string& LastError() const override { return lastError_; }

  private:
    std::string UnitPath() const;
    // Why a system unit may not run this program on this configuration file; empty when it may.
    std::string RootServiceProblem() const;
    int Systemctl(std::vector<std::string> arguments) const;
    bool TellSystemd();
    bool Fail(std::string why);

    std::vector<std::string> unitFolders_;
    bool isServiceProcess_;
    SystemdInstallation installation_;
    std::string configPath_;
    std::string lastError_;
    ServiceStartType startType_ = ServiceStartType::Automatic;
    bool interactWithDesktop_ = false;
};

}  // namespace quellix
