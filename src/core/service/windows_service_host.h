#pragma once

#include <string>

#include "core/common/service_host.h"

namespace quellix {

// The service registered with Windows' service manager as "Quellix" ("Quellix Service"),
// started before the network client it needs (LanmanWorkstation), and its entries in the
// Application event log under the source "Quellix".
class WindowsServiceHost final : public SystemServiceHost {
  public:
    // Reads the start type and desktop flag back from a registered service.
    WindowsServiceHost(std::string executablePath, bool isServiceProcess);

    bool IsInstalled() const override;
    bool IsServiceProcess() const override { return isServiceProcess_; }
    void WriteEventLog(std::string_view text, EventType type) override;

    ServiceStartType StartType() const override { return startType_; }
    void SetStartType(ServiceStartType type) override { startType_ = type; }
    bool InteractWithDesktop() const override { return interactWithDesktop_; }
    void SetInteractWithDesktop(bool on) override { interactWithDesktop_ = on; }
    void SetConfigPath(std::string path) override { configPath_ = std::move(path); }

    // Registers the service (or changes its registration) and the event-log source.
    bool Install(bool unused) override;
    // Stops the service when it runs, removes it and the event-log source.
    bool Uninstall() override;
    bool IsRunning() const override;
    const std::string& LastError() const override { return lastError_; }

    // The command line the service manager starts.
    std::string ServiceCommandLine() const;

  private:
    bool Fail(unsigned long error, const std::string& what);

    std::string executablePath_;
    bool isServiceProcess_;
    std::string configPath_;
    std::string lastError_;
    ServiceStartType startType_ = ServiceStartType::Automatic;
    bool interactWithDesktop_ = false;
};

}  // namespace quellix
