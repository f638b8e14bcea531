#pragma once

#include <functional>
#include <memory>

#include "core/mainwindow/desktop_session.h"
#include "gui/qt/mainwindow/qt_front_end.h"

namespace quellix {

class MainWindow;
class TrayIcon;

struct DesktopOptions {
    DesktopSessionOptions session;
    // The notification-area icon; the desktop's own unless a test gives another.
    std::function<std::unique_ptr<TrayIcon>()> makeTray;
};

// The desktop program on Qt: the session with its Qt windows, then the event loop. A
// QApplication must exist.
class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopOptions options);
    ~DesktopProgram();

    // Start-up up to the running main window.
    StartupOutcome Start() { return session_.Start(); }
    // Start, then the event loop while the program runs; returns the exit code.
    int Run();

    MainWindow* Window() const { return frontEnd_.MainWindowWidget(); }
    QtFrontEnd& Front() { return frontEnd_; }
    ProgramState& State() { return session_.State(); }
    Scheduler& Schedule() { return session_.Schedule(); }
    ExclusiveWork& Work() { return session_.Work(); }
    TrayIcon& Tray() { return *tray_; }
    bool QuitRequested() const { return session_.QuitRequested(); }

  private:
    std::unique_ptr<MainWindow> MakeWindow();

    QtFrontEnd frontEnd_;
    DesktopSession session_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace quellix
