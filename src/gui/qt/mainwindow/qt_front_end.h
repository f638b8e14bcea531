#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <optional>

#include "core/common/front_end.h"

namespace quellix {

class LoadingWindow;
class MainWindow;

// The core's front end on the desktop: the loading window, the main window and message boxes.
// The main window's calls go to its presenter once the window exists.
class QtFrontEnd final : public FrontEnd, public MainWindowHost {
  public:
    // makeWindow builds the main window once the program is wired; countPass and startCommand
    // run what start-up asks for.
    struct Wiring {
        std::function<std::unique_ptr<MainWindow>()> makeWindow;
        std::function<void()> countPass;
        std::function<void()> startCommand;
        // Ends the event loop with an exit code.
        std::function<void(int)> endLoop;
    };

    QtFrontEnd();
    ~QtFrontEnd() override;
    void Wire(Wiring wiring) { wiring_ = std::move(wiring); }

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    StartupProgress& Progress() override;
    MainWindowHost& Window() override { return *this; }
    void RunCountPass() override;
    void RunStartCommand() override;
    void ProcessPendingEvents() override;
    void EndProgram(ProgramEnd end) override;

    bool CreateMainWindow() override;
    void ApplyCaptions() override;
    void SetLastPurgeText(std::string_view text) override;
    void SetStatusText(std::string_view text) override;
    void SetBusyVisible(bool visible) override;
    void ShowMainWindow() override;
    bool IsMainWindowVisible() const override;
    void FolderListChanged() override;
    void SetSchedulerMode(SchedulerMode mode) override;
    void ShowHourglassFrame(int frame) override;
    void SetPurgeTimeVisible(bool visible) override;

    // How often walks let events run at most (tests ask for every call).
    void SetEventInterval(qint64 milliseconds) { eventIntervalMs_ = milliseconds; }

    // The windows go before what they show.
    void DestroyWindows();

    MainWindow* MainWindowWidget() const { return window_.get(); }
    LoadingWindow* Loading() const { return loading_.get(); }
    std::optional<ProgramEnd> EndRequested() const { return end_; }

  private:
    // Calls what the main window's presenter does, once there is a main window.
    template <typename Call>
    void OnWindow(Call&& call);

    Wiring wiring_;
    std::unique_ptr<LoadingWindow> loading_;
    std::unique_ptr<MainWindow> window_;
    std::optional<ProgramEnd> end_;
    QElapsedTimer sinceEvents_;
    // Far below what a person notices, far above the cost of asking.
    qint64 eventIntervalMs_ = 15;
};

}  // namespace quellix
