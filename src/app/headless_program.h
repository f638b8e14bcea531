#pragma once

#include <ostream>
#include <string>

#include "app/headless_front_end.h"
#include "core/config/command_line.h"
#include "core/config/startup.h"
#include "core/mainwindow/exclusive_work.h"
#include "core/mainwindow/scheduler.h"
#include "core/purge/purge_engine.h"
#include "core/service/service_events.h"

namespace quellix {

// A run without a display, wired together: "-C" runs start-up (which purges when the settings
// say so) and ends; the service process then handles the service's start and ticks the scheduler
// once a second until it is told to stop.
class HeadlessProgram {
  public:
    HeadlessProgram(const CommandLine& commandLine, ProgramFiles files, std::ostream& messages,
                    ServiceHost& service);

    // Returns the exit code.
    int Run();

  private:
    void CountPass();
    void PurgeRun();
    ServiceEventContext ServiceContext();
    void HandleServiceSignals();
    int RunServiceLoop();
    int ExitCode(StartupOutcome outcome) const;

    CommandLine commandLine_;
    ProgramFiles files_;
    HeadlessFrontEnd frontEnd_;
    ServiceHost& service_;
    ProgramState state_;
    PurgeEngine engine_;
    ExclusiveWork work_;
    Scheduler scheduler_;
    bool stopping_ = false;
};

}  // namespace quellix
