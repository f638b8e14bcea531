#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/service/systemd_service_host.h"
#include "support/temp_dir.h"

namespace quellix::test {

// The real systemd host over a unit folder inside a temporary folder. systemctl is never run:
// its calls are recorded and answered 0. Log entries are recorded instead of reaching the
// machine's journal.
class TempSystemdHost final : public ServiceHost {
  public:
    explicit TempSystemdHost(const TempDir& temp) {
        installation_.unitFolder = temp.Path() + "/systemd/user";
        installation_.userUnit = true;
        installation_.systemdRunning = true;
        installation_.executablePath = "/usr/bin/quellix";
        installation_.run = [this](const std::vector<std::string>& command) {
            commands.push_back(command);
            return 0;
        };
        Reopen();
    }

    // A fresh host reading the unit back, as the next start of the program would.
    void Reopen() {
        host_ =
            std::make_unique<SystemdServiceHost>(std::vector<std::string>{}, false, installation_);
        host_->SetConfigPath(configPath);
    }
    // Install fails without the configuration file's path.
    void ForgetConfigPath() { host_->SetConfigPath(""); }
    std::string UnitPath() const { return installation_.unitFolder + "/quellix.service"; }

    bool IsInstalled() const override { return host_->IsInstalled(); }
    bool IsServiceProcess() const override { return false; }
    void WriteEventLog(std::string_view text, EventType type) override {
        events.emplace_back(std::string(text), type);
    }
    ServiceStartType StartType() const override { return host_->StartType(); }
    void SetStartType(ServiceStartType type) override { host_->SetStartType(type); }
    bool InteractWithDesktop() const override { return host_->InteractWithDesktop(); }
    void SetInteractWithDesktop(bool on) override { host_->SetInteractWithDesktop(on); }
    bool Install(bool unused) override { return host_->Install(unused); }
    bool Uninstall() override { return host_->Uninstall(); }

    std::string configPath = "/srv/quellix/Quellix.ini";
    std::vector<std::pair<std::string, EventType>> events;
    std::vector<std::vector<std::string>> commands;

  private:
    SystemdInstallation installation_;
    std::unique_ptr<SystemdServiceHost> host_;
};

}  // namespace quellix::test
