#pragma once

#include <functional>
#include <optional>

#include "core/common/front_end.h"

namespace quellix {

class MainWindowPresenter;

// What every desktop front end does the same way: the main window's calls go to its presenter
// once the window exists, and the count pass, Start and the end of the program go where the
// desktop program wired them. A toolkit adds its windows, message boxes and event loop.
class DesktopFrontEnd : public FrontEnd, public MainWindowHost {
  public:
    struct Wiring {
        std::function<void()> countPass;
        std::function<void()> startCommand;
        // Ends the event loop with an exit code.
        std::function<void(int)> endLoop;
    };

    void Wire(Wiring wiring) { wiring_ = std::move(wiring); }

    MainWindowHost& Window() override { return *this; }
    void RunCountPass() override;
    void RunStartCommand() override;
    void EndProgram(ProgramEnd end) override;

    // Builds the main window and runs its load step.
    bool CreateMainWindow() final;
    void ApplyCaptions() override;
    void SetLastPurgeText(std::string_view text) override;
    void SetStatusText(std::string_view text) override;
    void SetBusyVisible(bool visible) override;
    void ShowMainWindow() override;
    void FolderListChanged() override;
    void SetSchedulerMode(SchedulerMode mode) override;
    void ShowHourglassFrame(int frame) override;
    void SetPurgeTimeVisible(bool visible) override;

    std::optional<ProgramEnd> EndRequested() const { return end_; }

  protected:
    // The toolkit's main window, created hidden; its presenter lives as long as the window.
    virtual MainWindowPresenter& BuildMainWindow() = 0;
    // Before the toolkit destroys its main window.
    void ForgetMainWindow() { presenter_ = nullptr; }

  private:
    template <typename Call>
    void OnWindow(Call&& call);

    Wiring wiring_;
    MainWindowPresenter* presenter_ = nullptr;
    std::optional<ProgramEnd> end_;
};

}  // namespace quellix
