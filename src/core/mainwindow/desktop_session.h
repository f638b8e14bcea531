#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/config/command_line.h"
#include "core/config/program_files.h"
#include "core/config/startup.h"
#include "core/mainwindow/desktop_front_end.h"
#include "core/mainwindow/exclusive_work.h"
#include "core/mainwindow/main_window_presenter.h"
#include "core/mainwindow/scheduler.h"
#include "core/purge/purge_engine.h"

namespace quellix {

class ServiceHost;

struct DesktopSessionOptions {
    CommandLine commandLine;
    ProgramFiles files;
    ServiceHost& service;
    const platform::Clock& clock;
    // Opens a document with the desktop's application.
    std::function<bool(const std::string&)> open;
    // Opens a text file in the system's text editor.
    std::function<bool(const std::string&)> edit;
    // Ends the event loop with an exit code (an exit asked outside the loop ends every later
    // loop at once, modal dialogs' too).
    std::function<void(int)> endLoop;
};

// The desktop program without its toolkit: the program's state, the engine, the scheduler and
// the one-at-a-time rule for counts and purges, wired to a desktop front end. Each toolkit's
// program builds its windows over it and runs its event loop.
class DesktopSession {
  public:
    DesktopSession(DesktopSessionOptions options, DesktopFrontEnd& frontEnd);

    // Start-up up to the running main window.
    StartupOutcome Start();
    // Whether the event loop is to run after start-up ended with outcome.
    bool KeepsRunning(StartupOutcome outcome) const;
    // The program's exit code; loopCode is what the event loop returned, if it ran.
    int ExitCode(StartupOutcome outcome, std::optional<int> loopCode) const;

    // What the main window's presenter works with.
    MainWindowContext WindowContext();
    // Files of one folder, with its subfolders when asked (the folder editor counts). Spelled out
    // rather than named after the editor's FileCounter: the dialogs' rules include this folder.
    std::function<std::int64_t(const std::string& folder, bool includeSubfolders)> FileCounting();

    ProgramState& State() { return state_; }
    Scheduler& Schedule() { return scheduler_; }
    ExclusiveWork& Work() { return work_; }
    const DesktopSessionOptions& Options() const { return options_; }
    // Set when the user confirmed Exit.
    bool QuitRequested() const { return quitRequested_; }

  private:
    void CountPass();
    void PurgeRun();

    DesktopSessionOptions options_;
    DesktopFrontEnd& frontEnd_;
    ProgramState state_;
    PurgeEngine engine_;
    ExclusiveWork work_;
    Scheduler scheduler_;
    std::atomic<bool> stop_{false};
    bool quitRequested_ = false;
};

}  // namespace quellix
