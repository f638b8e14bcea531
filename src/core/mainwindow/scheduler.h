#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/common/front_end.h"
#include "core/config/startup.h"
#include "core/mainwindow/exclusive_work.h"
#include "platform/clock.h"

namespace quellix {

class ServiceHost;

struct SchedulerContext {
    // Settings, folder list, configuration file and the scheduler's own state.
    ProgramState& program;
    FrontEnd& frontEnd;
    ServiceHost& service;
    const platform::Clock& clock;
    // Shared with every other caller of counts and purges, so that none starts inside another.
    ExclusiveWork& work;
    // The file count of every entry (it leaves the grand total in the folder list) and one purge
    // of the whole list.
    std::function<void()> countPass;
    std::function<void()> purgeRun;
};

// The daily schedule: Start, Stop, the immediate purge box and the one-second tick that counts
// down to each update, purges when the day's purge is due and refreshes the counts.
class Scheduler {
  public:
    explicit Scheduler(SchedulerContext context);

    void Start();
    void Stop();
    // Once a second while running.
    void Tick();
    // The immediate purge box was ticked or cleared.
    void SetImmediate(bool ticked);

    SchedulerMode Mode() const { return mode_; }

  private:
    void EnterMode(SchedulerMode mode);
    void StartImmediate();
    void Update();
    bool PurgeIsDue(const platform::CivilTime& now) const;
    void WriteHeartbeat(const platform::CivilTime& now);

    SchedulerContext context_;
    Settings& settings_;
    const FolderList& folders_;
    SchedulerState& state_;
    SchedulerMode mode_ = SchedulerMode::Stopped;
};

// yyyymmdd of a calendar day, read as a number.
std::int32_t DayStamp(const platform::CivilTime& time);

// "Update in 30 seconds": the number with one leading space when it is not negative.
std::string CountdownText(std::int16_t seconds, Language language);

// "Purge NOW the 3 folders in the list"
std::string PurgeNowQuestion(std::size_t folders, Language language);

}  // namespace quellix
