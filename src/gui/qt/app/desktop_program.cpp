#include "gui/qt/app/desktop_program.h"

#include <QApplication>

#include "core/config/startup_exit_code.h"
#include "core/mainwindow/count_pass.h"
#include "core/purge/purge_run.h"
#include "gui/qt/mainwindow/main_window.h"
#include "gui/qt/mainwindow/tray_icon.h"
#include "platform/file_system.h"

namespace quellix {

DesktopProgram::DesktopProgram(DesktopOptions options)
    : options_(std::move(options)),
      engine_(state_.settings, options_.clock, frontEnd_),
      scheduler_(SchedulerContext{state_, frontEnd_, options_.service, options_.clock, work_,
                                  [this] { CountPass(); }, [this] { PurgeRun(); }}),
      tray_(options_.makeTray()) {
    engine_.SetStopFlag(&stop_);
    frontEnd_.Wire({[this] { return MakeWindow(); },
                    [this] { work_.TryRun([this] { CountPass(); }); },
                    [this] { scheduler_.Start(); }, options_.endLoop});
}

// The main window shows the program's state and uses the tray icon: it goes first.
DesktopProgram::~DesktopProgram() {
    frontEnd_.DestroyWindows();
}

void DesktopProgram::CountPass() {
    quellix::CountPass({state_.settings, state_.folders, frontEnd_, options_.service, engine_});
}

void DesktopProgram::PurgeRun() {
    quellix::PurgeRun({state_.settings, state_.folders, *state_.config, frontEnd_, options_.service,
                       options_.clock, engine_, [this] { CountPass(); }});
}

std::unique_ptr<MainWindow> DesktopProgram::MakeWindow() {
    MainWindowContext context{
        state_,
        frontEnd_,
        options_.service,
        work_,
        scheduler_,
        [this] { work_.TryRun([this] { CountPass(); }); },
        options_.open,
        [](const std::string& path) { return platform::GetFileStamp(path).has_value(); },
        options_.edit,
        [this](int code) {
            quitRequested_ = true;
            // A count or purge under way ends at its next file, then the
            // loop ends.
            stop_ = true;
            options_.endLoop(code);
        }};
    return std::make_unique<MainWindow>(
        MainWindowParts{std::move(context),
                        [this](const std::string& folder, bool includeSubfolders) {
                            return engine_.CountFiles(folder, includeSubfolders);
                        },
                        *tray_});
}

StartupOutcome DesktopProgram::Start() {
    return RunStartup({options_.commandLine, options_.files}, state_, frontEnd_, options_.service);
}

int DesktopProgram::Run() {
    const StartupOutcome outcome = Start();
    if (outcome != StartupOutcome::Running || frontEnd_.EndRequested() || quitRequested_) {
        return StartupExitCode(outcome, frontEnd_.EndRequested());
    }
    const int code = QApplication::exec();
    return frontEnd_.EndRequested() ? StartupExitCode(outcome, frontEnd_.EndRequested()) : code;
}

}  // namespace quellix
