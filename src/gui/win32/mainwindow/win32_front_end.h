#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/mainwindow/desktop_front_end.h"

namespace quellix {

class LoadingWindow;
class MainWindow;

// The desktop front end on Windows: the loading window, the main window, message boxes, and
// the messages that wait while a count or purge runs.
class Win32FrontEnd final : public DesktopFrontEnd {
  public:
    Win32FrontEnd();
    ~Win32FrontEnd() override;
    // Builds the main window once the program is wired.
    void SetWindowMaker(std::function<std::unique_ptr<MainWindow>()> makeWindow) {
        makeWindow_ = std::move(makeWindow);
    }

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    StartupProgress& Progress() override;
    void ProcessPendingEvents() override;
    bool IsMainWindowVisible() const override;

    // How often walks let messages run at most (tests ask for every call).
    void SetEventInterval(ULONGLONG milliseconds) { eventIntervalMs_ = milliseconds; }

    // The windows go before what they show.
    void DestroyWindows();

    MainWindow* MainWindowObject() const { return window_.get(); }
    LoadingWindow* Loading() const { return loading_.get(); }

  private:
    MainWindowPresenter& BuildMainWindow() override;

    std::function<std::unique_ptr<MainWindow>()> makeWindow_;
    std::unique_ptr<LoadingWindow> loading_;
    std::unique_ptr<MainWindow> window_;
    ULONGLONG lastEvents_ = 0;
    // Far below what a person notices, far above the cost of asking.
    ULONGLONG eventIntervalMs_ = 15;
};

// One message of the program's loop: the keyboard of the main window, and of a dialog without a
// loop of its own (the preview), goes through the dialog manager (Tab, access keys, Escape).
// False once the loop is to end (WM_QUIT), with its code.
bool DispatchOneMessage(const MSG& message, HWND mainWindow);

}  // namespace quellix
