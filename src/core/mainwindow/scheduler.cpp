#include "core/mainwindow/scheduler.h"

#include "core/common/service_host.h"
#include "core/mainwindow/scheduler_texts.h"

namespace quellix {

namespace {

constexpr int kHourglassFrames = 10;

}  // namespace

std::int32_t DayStamp(const platform::CivilTime& time) {
    return time.year * 10000 + time.month * 100 + time.day;
}

std::string CountdownText(std::int16_t seconds, Language language) {
    // Appended, not prepended: GCC 12 warns falsely about a prefix put before a temporary.
    std::string number = seconds >= 0 ? " " : "";
    number += std::to_string(seconds);
    return std::string(texts::kUpdateIn.In(language)) + number +
           std::string(texts::kSeconds.In(language));
}

std::string PurgeNowQuestion(std::size_t folders, Language language) {
    return std::string(texts::kPurgeNowStart.In(language)) + std::to_string(folders) +
           std::string(texts::kPurgeNowEnd.In(language));
}

Scheduler::Scheduler(SchedulerContext context)
    : context_(std::move(context)),
      settings_(context_.program.settings),
      folders_(context_.program.folders),
      state_(context_.program.scheduler) {}

void Scheduler::EnterMode(SchedulerMode mode) {
    mode_ = mode;
    context_.frontEnd.Window().SetSchedulerMode(mode);
}

void Scheduler::Start() {
    Settings& settings = settings_;
    if (folders_.Size() == 0) {
        context_.frontEnd.ShowMessage(
            {std::string(texts::kNoFoldersToPurge.In(settings.language())), settings.ProgramTitle,
             MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    if (!settings.PurgeImmediate) {
        state_.UpdateCountdown = settings.Temporisation;
        EnterMode(SchedulerMode::Running);
        return;
    }
    // A count or purge already under way (Start clicked while one runs) finishes alone.
    if (context_.work.Busy()) {
        return;
    }
    EnterMode(SchedulerMode::Immediate);
    StartImmediate();
    // A Stop clicked meanwhile has already stopped everything.
    if (mode_ == SchedulerMode::Immediate) {
        Stop();
    }
}

void Scheduler::StartImmediate() {
    Settings& settings = settings_;
    const Language language = settings.language();
    context_.work.TryRun(context_.countPass);
    if (folders_.GrandTotal() != 0) {
        bool purge = settings.DemarrageAutomatiqueLancement;
        if (!purge) {
            purge = context_.frontEnd.ShowMessage({PurgeNowQuestion(folders_.Size(), language),
                                                   settings.ProgramTitle, MessageIcon::Question,
                                                   MessageButtons::YesNo, MessageAnswer::Yes}) ==
                    MessageAnswer::Yes;
        }
        if (purge) {
            context_.work.TryRun(context_.purgeRun);
        }
        return;
    }
    const bool serviceReports = settings.IsNt && context_.service.IsInstalled();
    if (context_.frontEnd.Window().IsMainWindowVisible() && !serviceReports) {
        context_.frontEnd.ShowMessage({std::string(texts::kNoFilesToPurge.In(language)),
                                       settings.ProgramTitle, MessageIcon::Exclamation,
                                       MessageButtons::Ok, MessageAnswer::Ok});
    }
    if (settings.RunOnce) {
        context_.frontEnd.EndProgram(ProgramEnd::Normal);
    }
}

void Scheduler::Stop() {
    EnterMode(SchedulerMode::Stopped);
    context_.frontEnd.Window().SetBusyVisible(false);
}

void Scheduler::SetImmediate(bool ticked) {
    settings_.PurgeImmediate = ticked;
    context_.frontEnd.Window().SetPurgeTimeVisible(!ticked);
    if (context_.program.config) {
        context_.program.config->Write("Purge", "PurgeImmediate", ticked ? "1" : "0");
    }
}

void Scheduler::Tick() {
    // A tick that arrives while a count or purge walks the folders waits for the next one; the
    // work shows its own progress meanwhile.
    if (mode_ != SchedulerMode::Running || context_.work.Busy()) {
        return;
    }
    if (state_.HourglassFrame >= kHourglassFrames || state_.HourglassFrame < 0) {
        state_.HourglassFrame = 0;
    }
    context_.frontEnd.Window().ShowHourglassFrame(state_.HourglassFrame);
    ++state_.HourglassFrame;

    if (state_.UpdateCountdown <= 0) {
        Update();
        // Stop was pressed while the update worked: the scheduler stays stopped.
        if (mode_ != SchedulerMode::Running) {
            return;
        }
    }
    if (context_.frontEnd.Window().IsMainWindowVisible()) {
        context_.frontEnd.Window().SetStatusText(
            CountdownText(state_.UpdateCountdown, settings_.language()));
        context_.frontEnd.Window().SetBusyVisible(true);
    }
    --state_.UpdateCountdown;
}

void Scheduler::Update() {
    Settings& settings = settings_;
    state_.UpdateCountdown = settings.Temporisation;
    const platform::CivilTime now = context_.clock.ToLocal(context_.clock.Now());
    const std::int32_t today = DayStamp(now);
    if (state_.LastPurgeDay < today && PurgeIsDue(now)) {
        context_.work.TryRun(context_.purgeRun);
        state_.LastPurgeDay = today;
        if (mode_ != SchedulerMode::Running) {
            return;
        }
    }
    if (context_.frontEnd.Window().IsMainWindowVisible()) {
        context_.work.TryRun(context_.countPass);
    }
    if (settings.IsNt && settings.Debug && context_.service.IsInstalled()) {
        WriteHeartbeat(context_.clock.ToLocal(context_.clock.Now()));
    }
}

bool Scheduler::PurgeIsDue(const platform::CivilTime& now) const {
    const char weekday = static_cast<char>('1' + now.weekday);
    if (settings_.Jours.find(weekday) == std::string::npos) {
        return false;
    }
    const int minute = now.hour * 60 + now.minute;
    const int purgeMinute = settings_.PurgeMinute;
    if (state_.LastPurgeDay != 0) {
        return minute >= purgeMinute;
    }
    // Before the first purge since launch, only the purge minute and the one after it: a
    // program started later in the day does not purge that day.
    return minute == purgeMinute || minute == purgeMinute + 1;
}

void Scheduler::WriteHeartbeat(const platform::CivilTime& now) {
    const std::string text = std::string(texts::kHeartbeat) + platform::FormatCivilTime(now, "%x") +
                             " " + platform::FormatCivilTime(now, "%X");
    context_.service.WriteEventLog(text, EventType::Information);
}

}  // namespace quellix
