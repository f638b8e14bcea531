#include "core/common/front_end.h"

namespace quellix {

namespace {

class NoLoadingWindow final : public StartupProgress {
  public:
    void ShowLoadingWindow(std::string_view) override {}
    void SetLoadingMessage(std::string_view) override {}
    void SetLoadingCounter(std::string_view) override {}
    void HideLoadingWindow() override {}
};

// Start-up goes on as if the window had loaded; nothing is ever seen, so nothing waits for it.
class NoMainWindow final : public MainWindowHost {
  public:
    bool CreateMainWindow() override { return true; }
    void ApplyCaptions() override {}
    void SetLastPurgeText(std::string_view) override {}
    void SetStatusText(std::string_view) override {}
    void SetBusyVisible(bool) override {}
    void ShowMainWindow() override {}
    bool IsMainWindowVisible() const override { return false; }
    void FolderListChanged() override {}
    void SetSchedulerMode(SchedulerMode) override {}
    void ShowHourglassFrame(int) override {}
    void SetPurgeTimeVisible(bool) override {}
};

}  // namespace

StartupProgress& FrontEnd::Progress() {
    static NoLoadingWindow none;
    return none;
}

MainWindowHost& FrontEnd::Window() {
    static NoMainWindow none;
    return none;
}

}  // namespace quellix
