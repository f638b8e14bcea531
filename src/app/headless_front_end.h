#pragma once

#include <functional>
#include <ostream>

#include "mainwindow/front_end.h"

namespace quellix {

// The front end of runs without a display: no window is ever created, messages are written to
// the error stream and every question gets its default answer.
class HeadlessFrontEnd final : public FrontEnd {
  public:
    explicit HeadlessFrontEnd(std::ostream& messages) : messages_(messages) {}

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void ShowLoadingWindow(std::string_view) override {}
    void SetLoadingMessage(std::string_view) override {}
    void SetLoadingCounter(std::string_view) override {}
    void HideLoadingWindow() override {}
    bool CreateMainWindow() override { return true; }
    void ApplyCaptions() override {}
    void SetLastPurgeText(std::string_view) override {}
    void SetStatusText(std::string_view) override {}
    void SetBusyVisible(bool) override {}
    void ShowMainWindow() override {}
    bool IsMainWindowVisible() const override { return false; }
    void FolderListChanged() override {}
    // What the count and the scheduler's Start command run; set once the program is wired.
    void SetCountPass(std::function<void()> countPass) { countPass_ = std::move(countPass); }
    void RunCountPass() override {
        if (countPass_) {
            countPass_();
        }
    }
    // The scheduler's Start command is wired here once the scheduler exists.
    void RunStartCommand() override {}
    void ProcessPendingEvents() override {}

  private:
    std::ostream& messages_;
    std::function<void()> countPass_;
};

}  // namespace quellix
