#include "app/headless_program.h"

#include "core/common/exit_codes.h"
#include "core/config/startup_exit_code.h"
#include "core/mainwindow/count_pass.h"
#include "core/purge/purge_run.h"
#include "platform/clock.h"
#include "platform/service_signals.h"

namespace quellix {

HeadlessProgram::HeadlessProgram(const CommandLine& commandLine, ProgramFiles files,
                                 std::ostream& messages, ServiceHost& service)
    : commandLine_(commandLine),
      files_(std::move(files)),
      frontEnd_(messages),
      service_(service),
      engine_(state_.settings, platform::SystemClock(), frontEnd_),
      scheduler_(SchedulerContext{state_, frontEnd_, service_, platform::SystemClock(), work_,
                                  [this] { CountPass(); }, [this] { PurgeRun(); }}) {
    frontEnd_.SetCountPass([this] { work_.TryRun([this] { CountPass(); }); });
    frontEnd_.SetStartCommand([this] { scheduler_.Start(); });
    if (commandLine_.service) {
        frontEnd_.SetPendingEvents([this] { HandleServiceSignals(); });
    }
}

void HeadlessProgram::CountPass() {
    quellix::CountPass(
        {state_.settings, state_.folders, frontEnd_, service_, engine_, CountDepth::FirstFile});
}

void HeadlessProgram::PurgeRun() {
    quellix::PurgeRun({state_.settings, state_.folders, *state_.config, frontEnd_, service_,
                       platform::SystemClock(), engine_, [this] { CountPass(); }});
}

ServiceEventContext HeadlessProgram::ServiceContext() {
    return {state_.settings, *state_.config, service_, [this] { scheduler_.Start(); }};
}

void HeadlessProgram::HandleServiceSignals() {
    for (const platform::ServiceSignal signal : platform::TakeServiceSignals()) {
        switch (signal) {
            case platform::ServiceSignal::Stop:
                // The purge under way has seen the flag already and ends at its next file.
                if (!stopping_) {
                    stopping_ = true;
                    OnServiceStop(ServiceContext());
                }
                break;
            case platform::ServiceSignal::Pause:
                OnServicePause(ServiceContext());
                break;
            case platform::ServiceSignal::Continue:
                OnServiceContinue(ServiceContext());
                break;
        }
    }
}

int HeadlessProgram::ExitCode(StartupOutcome outcome) const {
    return StartupExitCode(outcome, frontEnd_.EndRequested());
}

int HeadlessProgram::Run() {
    if (commandLine_.service) {
        platform::InstallServiceSignalHandlers();
        engine_.SetStopFlag(&platform::StopSignalFlag());
    }
    const StartupOutcome outcome = RunStartup({commandLine_, files_}, state_, frontEnd_, service_);
    if (!commandLine_.service || outcome != StartupOutcome::Running || frontEnd_.EndRequested()) {
        return ExitCode(outcome);
    }
    HandleServiceSignals();
    if (stopping_) {
        return kExitSuccess;
    }
    if (!OnServiceStart(ServiceContext())) {
        return kExitConfigError;
    }
    return RunServiceLoop();
}

int HeadlessProgram::RunServiceLoop() {
    std::int64_t lastTick = -1;
    while (!stopping_ && !frontEnd_.EndRequested()) {
        platform::WaitForNextSecondOrSignal();
        HandleServiceSignals();
        if (stopping_) {
            break;
        }
        // One tick per wall-clock second; a wake-up by a signal within the same second is not one.
        const std::int64_t now = platform::SystemClock().Now();
        if (now != lastTick && scheduler_.Mode() == SchedulerMode::Running) {
            lastTick = now;
            scheduler_.Tick();
        }
    }
    return frontEnd_.EndRequested() == ProgramEnd::Failure ? kExitConfigError : kExitSuccess;
}

}  // namespace quellix
