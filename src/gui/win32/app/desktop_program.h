#pragma once

#include <functional>
#include <memory>

#include "core/mainwindow/desktop_session.h"
#include "gui/win32/mainwindow/win32_front_end.h"

namespace quellix {

class MainWindow;
class TrayIcon;

struct DesktopOptions {
    DesktopSessionOptions session;
    // The notification-area icon; the shell's own unless a test gives another.
    std::function<std::unique_ptr<TrayIcon>()> makeTray;
};

// The desktop program on Windows: the session with its Win32 windows, then the message loop.
class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopOptions options);
    ~DesktopProgram();

    // Start-up up to the running main window.
    StartupOutcome Start() { return session_.Start(); }
    // Start, then the message loop while the program runs; returns the exit code.
    int Run();

    MainWindow* Window() const { return frontEnd_.MainWindowObject(); }
    Win32FrontEnd& Front() { return frontEnd_; }
    ProgramState& State() { return session_.State(); }
    Scheduler& Schedule() { return session_.Schedule(); }
    TrayIcon& Tray() { return *tray_; }
    bool QuitRequested() const { return session_.QuitRequested(); }

  private:
    std::unique_ptr<MainWindow> MakeWindow();

    Win32FrontEnd frontEnd_;
    DesktopSession session_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace quellix
