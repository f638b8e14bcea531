#pragma once

#include <string>
#include <vector>

#include "service/service_host.h"

namespace quellix {

inline constexpr const char* kServiceName = "Quellix";
inline constexpr const char* kServiceDisplayName = "Quellix Service";
inline constexpr const char* kUnitFileName = "quellix.service";

// Folders where an installed unit of ours may live: the system-wide ones, then the user's.
std::vector<std::string> DefaultUnitFolders();

// The service as a systemd unit; its entries go to the system log under "Quellix".
class SystemdServiceHost final : public ServiceHost {
  public:
    SystemdServiceHost(std::vector<std::string> unitFolders, bool isServiceProcess);

    bool IsInstalled() const override;
    bool IsServiceProcess() const override { return isServiceProcess_; }
    void WriteEventLog(std::string_view text, EventType type) override;

    ServiceStartType StartType() const override { return startType_; }
    void SetStartType(ServiceStartType type) override { startType_ = type; }
    bool InteractWithDesktop() const override { return interactWithDesktop_; }
    void SetInteractWithDesktop(bool on) override { interactWithDesktop_ = on; }

    // Installing and removing the unit are not available in this version.
    bool Install(bool unused) override;
    bool Uninstall() override;

  private:
    std::vector<std::string> unitFolders_;
    bool isServiceProcess_;
    ServiceStartType startType_ = ServiceStartType::Automatic;
    bool interactWithDesktop_ = false;
};

}  // namespace quellix
