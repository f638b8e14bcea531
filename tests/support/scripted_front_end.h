#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/front_end.h"

namespace quellix::test {

// A front end that records what the core shows and answers message boxes from a script (or with
// their default when the script is empty). It is its own loading window and main window, so that
// one list holds every call in order.
class ScriptedFrontEnd : public FrontEnd, public StartupProgress, public MainWindowHost {
  public:
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> messages;
    // Every call in order, e.g. "ShowLoadingWindow(Quellix 1.0.0)", "CreateMainWindow".
    std::vector<std::string> calls;
    bool mainWindowLoadSucceeds = true;
    bool mainWindowVisible = false;
    // Runs at each ProcessPendingEvents, as a click or a tick would in the middle of a walk.
    std::function<void()> onPendingEvents;

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    StartupProgress& Progress() override { return *this; }
    MainWindowHost& Window() override { return *this; }
    void ShowLoadingWindow(std::string_view caption) override;
    void SetLoadingMessage(std::string_view text) override;
    void SetLoadingCounter(std::string_view text) override;
    void HideLoadingWindow() override;
    bool CreateMainWindow() override;
    void ApplyCaptions() override;
    void SetLastPurgeText(std::string_view text) override;
    void SetStatusText(std::string_view text) override;
    void SetBusyVisible(bool visible) override;
    void ShowMainWindow() override;
    bool IsMainWindowVisible() const override { return mainWindowVisible; }
    void FolderListChanged() override;
    void RunCountPass() override;
    void RunStartCommand() override;
    void ProcessPendingEvents() override;
    void SetSchedulerMode(SchedulerMode mode) override;
    void ShowHourglassFrame(int frame) override;
    void SetPurgeTimeVisible(bool visible) override;
    void EndProgram(ProgramEnd end) override;

    // What the last SetSchedulerMode, ShowHourglassFrame and EndProgram said.
    SchedulerMode schedulerMode = SchedulerMode::Stopped;
    int hourglassFrame = -1;
    std::optional<ProgramEnd> programEnd;

    // True when a call starting with prefix was recorded.
    bool Called(const std::string& prefix) const;
    // Index of the first call starting with prefix, or -1.
    int IndexOf(const std::string& prefix) const;
};

}  // namespace quellix::test
