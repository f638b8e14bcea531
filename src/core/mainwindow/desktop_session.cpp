#include "core/mainwindow/desktop_session.h"

#include "core/config/startup_exit_code.h"
#include "core/mainwindow/count_pass.h"
#include "core/purge/purge_preview.h"
#include "core/purge/purge_run.h"
#include "platform/file_system.h"

namespace quellix {

DesktopSession::DesktopSession(DesktopSessionOptions options, DesktopFrontEnd& frontEnd)
    : options_(std::move(options)),
      frontEnd_(frontEnd),
      engine_(state_.settings, options_.clock, frontEnd_),
      scheduler_(SchedulerContext{state_, frontEnd_, options_.service, options_.clock, work_,
                                  [this] { CountPass(); }, [this] { PurgeRun(); }}) {
    engine_.SetStopFlag(&stop_);
    frontEnd_.Wire({[this] { work_.TryRun([this] { CountPass(); }); },
                    [this] { scheduler_.Start(); }, options_.endLoop});
}

void DesktopSession::CountPass() {
    quellix::CountPass({state_.settings, state_.folders, frontEnd_, options_.service, engine_,
                        CountDepth::EveryFile});
}

void DesktopSession::PurgeRun() {
    quellix::PurgeRun({state_.settings, state_.folders, *state_.config, frontEnd_, options_.service,
                       options_.clock, engine_, [this] { CountPass(); }});
}

MainWindowContext DesktopSession::WindowContext() {
    return MainWindowContext{
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
            // A count or purge under way ends at its next file, then the loop ends.
            stop_ = true;
            options_.endLoop(code);
        },
        [this](const FolderList& folders) { return PreviewPurge(folders, engine_); }};
}

FileCounter DesktopSession::FileCounting() {
    return [this](const std::string& folder, bool includeSubfolders) {
        return engine_.CountFiles(folder, includeSubfolders);
    };
}

StartupOutcome DesktopSession::Start() {
    return RunStartup({options_.commandLine, options_.files}, state_, frontEnd_, options_.service);
}

bool DesktopSession::KeepsRunning(StartupOutcome outcome) const {
    return outcome == StartupOutcome::Running && !frontEnd_.EndRequested() && !quitRequested_;
}

int DesktopSession::ExitCode(StartupOutcome outcome, std::optional<int> loopCode) const {
    if (!loopCode || frontEnd_.EndRequested()) {
        return StartupExitCode(outcome, frontEnd_.EndRequested());
    }
    return *loopCode;
}

}  // namespace quellix
