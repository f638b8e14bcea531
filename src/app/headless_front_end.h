#pragma once

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
    // The count and the scheduler's Start command are wired here once the purge engine and the
    // scheduler exist.
    void RunCountPass() override {}
    void RunStartCommand() override {}
    void ProcessPendingEvents() override {}

  private:
    std::ostream& messages_;
};

}  // namespace quellix
