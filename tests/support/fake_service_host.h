#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/common/service_host.h"

namespace quellix::test {

// A service host whose installed state is chosen by the test and which records its log entries.
class FakeServiceHost final : public ServiceHost {
  public:
    bool installed = false;
    bool serviceProcess = false;
    std::vector<std::pair<std::string, EventType>> events;

    bool IsInstalled() const override { return installed; }
    bool IsServiceProcess() const override { return serviceProcess; }
    void WriteEventLog(std::string_view text, EventType type) override {
        events.emplace_back(std::string(text), type);
    }
    ServiceStartType StartType() const override { return startType_; }
    void SetStartType(ServiceStartType type) override { startType_ = type; }
    bool InteractWithDesktop() const override { return interact_; }
    void SetInteractWithDesktop(bool on) override { interact_ = on; }
    bool Install(bool) override { return installed = true; }
    bool Uninstall() override {
        installed = false;
        return true;
    }

  private:
    ServiceStartType startType_ = ServiceStartType::Automatic;
    bool interact_ = false;
};

}  // namespace quellix::test
