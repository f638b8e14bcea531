#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/config/command_line.h"
#include "core/config/startup.h"
#include "core/mainwindow/exclusive_work.h"
#include "core/mainwindow/scheduler.h"
#include "core/purge/purge_engine.h"
#include "gui/qt/mainwindow/qt_front_end.h"

class QObject;

namespace quellix {

class MainWindow;
class ServiceHost;
class TrayIcon;

struct DesktopOptions {
    CommandLine commandLine;
    ProgramFiles files;
    ServiceHost& service;
    const platform::Clock& clock;
    // Opens a document with the desktop's application.
    std::function<bool(const std::string&)> open;
    // The notification-area icon; the desktop's own unless a test gives another.
    std::function<std::unique_ptr<TrayIcon>()> makeTray;
    // Ends the event loop with an exit code: QApplication::exit, or a recorder in tests (an exit
    // asked outside the loop ends every later loop at once, modal dialogs' too).
    std::function<void(int)> endLoop;
    // Opens a text file in the system's text editor.
    std::function<bool(const std::string&)> edit;
};

// The desktop program wired together: start-up with its windows, then the event loop. A
// QApplication must exist.
class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopOptions options);
    ~DesktopProgram();

    // Start-up up to the running main window.
    StartupOutcome Start();
    // Start, then the event loop while the program runs; returns the exit code.
    int Run();

    MainWindow* Window() const { return frontEnd_.MainWindowWidget(); }
    QtFrontEnd& Front() { return frontEnd_; }
    ProgramState& State() { return state_; }
    Scheduler& Schedule() { return scheduler_; }
    ExclusiveWork& Work() { return work_; }
    TrayIcon& Tray() { return *tray_; }
    // Set when the user confirmed Exit.
    bool QuitRequested() const { return quitRequested_; }

  private:
    void CountPass();
    void PurgeRun();
    std::unique_ptr<MainWindow> MakeWindow();

    DesktopOptions options_;
    QtFrontEnd frontEnd_;
    ProgramState state_;
    PurgeEngine engine_;
    ExclusiveWork work_;
    Scheduler scheduler_;
    std::unique_ptr<TrayIcon> tray_;
    std::atomic<bool> stop_{false};
    bool quitRequested_ = false;
};

}  // namespace quellix
