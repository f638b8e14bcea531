#pragma once

#include "core/common/main_window_host.h"
#include "core/common/messages.h"
#include "core/common/startup_progress.h"

namespace quellix {

enum class ProgramEnd { Normal, Failure };

// Everything the core needs from whatever shows the program to a person: the desktop windows, or
// the headless front end of one-shot and service runs. Calls arrive on the one program thread.
class FrontEnd : public Messages {
  public:
    // The loading window and the main window. A front end without windows keeps these, which
    // show nothing and report the main window as never visible.
    virtual StartupProgress& Progress();
    virtual MainWindowHost& Window();

    // The first file count of every entry, and the Start command of the scheduler.
    virtual void RunCountPass() = 0;
    virtual void RunStartCommand() = 0;

    // Lets clicks, ticks and service events that are waiting run now.
    virtual void ProcessPendingEvents() = 0;

    // Ends the program once the handler that asks returns.
    virtual void EndProgram(ProgramEnd end) = 0;
};

}  // namespace quellix
