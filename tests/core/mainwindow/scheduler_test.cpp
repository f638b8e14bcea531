#include "core/mainwindow/scheduler.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_service_host.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

using test::EpochOf;

// 7 December 2026 is a Monday (weekday digit "2").
constexpr int kMonday = 7;

class SchedulerTest : public ::testing::Test {
  protected:
    SchedulerTest() {
        program.config = std::make_unique<MemoryConfigStore>();
        Settings& settings = program.settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.IsNt = true;
        settings.Heure = "12:00";
        settings.PurgeMinute = 12 * 60;
        settings.Jours = "1234567";
        settings.Temporisation = 30;
        Folders(2);
        frontEnd.mainWindowVisible = true;
    }

    void Folders(int n) {
        program.folders.Clear();
        for (int i = 0; i < n; ++i) {
            program.folders.Append(
                test::EntryOf({"0", "/srv/f" + std::to_string(i), "24", "no", "M", "Delete"}));
        }
    }

    // Ticks once a second, the clock moving one second after each tick.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            scheduler.Tick();
            clock.Advance(1);
        }
    }
    // Ticks until the clock reaches the given time.
    void TickUntil(std::int64_t when) {
        while (clock.Now() < when) {
            Ticks(1);
        }
    }

    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> texts;
        for (const std::string& call : frontEnd.calls) {
            if (call.rfind("SetStatusText(", 0) == 0) {
                texts.push_back(call.substr(14, call.size() - 15));
            }
        }
        return texts;
    }

    ProgramState program;
    test::FakeClock clock{EpochOf(2026, 12, kMonday, 9)};
    test::ScriptedFrontEnd frontEnd;
    test::FakeServiceHost service;
    ExclusiveWork work;
    int counts = 0;
    std::int64_t countTotal = 5;
    std::vector<std::int64_t> purges;  // when each purge started
    std::function<void()> duringPurge;
    Scheduler scheduler{SchedulerContext{program, frontEnd, service, clock, work,
                                         [this] {
                                             ++counts;
                                             program.folders.SetGrandTotal(countTotal);
                                         },
                                         [this] {
                                             purges.push_back(clock.Now());
                                             if (duringPurge) {
                                                 duringPurge();
                                             }
                                         }}};
};

TEST_F(SchedulerTest, OneSecondBetweenUpdatesCountsOnEveryTickFromTheSecond) {
    program.settings.Temporisation = 1;
    scheduler.Start();
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Running);
    EXPECT_EQ(frontEnd.schedulerMode, SchedulerMode::Running);
    Ticks(5);
    EXPECT_EQ(counts, 4);
    const std::vector<std::string> expected(5, "Update in 1 seconds");
    EXPECT_EQ(StatusTexts(), expected);
}

TEST_F(SchedulerTest, CountdownRunsFromTheTimeBetweenUpdatesAndTheHourglassCycles) {
    program.settings.Temporisation = 3;
    program.settings.Langue = 1;
    scheduler.Start();
    Ticks(4);
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{
                                 "Mise à jour dans 3 secondes", "Mise à jour dans 2 secondes",
                                 "Mise à jour dans 1 secondes", "Mise à jour dans 3 secondes"}));
    EXPECT_EQ(counts, 1);
    Ticks(7);
    EXPECT_EQ(frontEnd.hourglassFrame, 0);  // frames 0..9, then 0 again on the eleventh tick
    Ticks(1);
    EXPECT_EQ(frontEnd.hourglassFrame, 1);
}

TEST_F(SchedulerTest, HiddenWindowChecksThePurgeTimeButCountsNothing) {
    frontEnd.mainWindowVisible = false;
    program.settings.Temporisation = 60;
    clock.Set(EpochOf(2026, 12, kMonday, 11, 59, 30));
    scheduler.Start();
    Ticks(200);
    EXPECT_EQ(counts, 0);
    EXPECT_EQ(purges.size(), 1u);
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(SchedulerTest, StartedJustBeforeThePurgeTimePurgesOnceAtTheFirstUpdate) {
    program.settings.Temporisation = 60;
    clock.Set(EpochOf(2026, 12, kMonday, 11, 59, 30));
    scheduler.Start();
    Ticks(62);
    ASSERT_EQ(purges.size(), 1u);
    // The first update comes on tick 61, 60 seconds after the first.
    EXPECT_EQ(purges[0], EpochOf(2026, 12, kMonday, 12, 0, 30));
    EXPECT_EQ(program.scheduler.LastPurgeDay, 20261207);
    Ticks(3600);
    EXPECT_EQ(purges.size(), 1u);
}

TEST_F(SchedulerTest, StartedAfterThePurgeTimeWaitsForTheNextDaysWindow) {
    clock.Set(EpochOf(2026, 12, kMonday, 12, 5));
    scheduler.Start();
    TickUntil(EpochOf(2026, 12, kMonday + 1, 11, 59, 50));
    EXPECT_TRUE(purges.empty());
    EXPECT_EQ(program.scheduler.LastPurgeDay, 0);
    TickUntil(EpochOf(2026, 12, kMonday + 1, 12, 2));
    ASSERT_EQ(purges.size(), 1u);
    EXPECT_GE(purges[0], EpochOf(2026, 12, kMonday + 1, 12, 0));
    EXPECT_LT(purges[0], EpochOf(2026, 12, kMonday + 1, 12, 2));
}

TEST_F(SchedulerTest, BeforeTheFirstPurgeOnlyThePurgeMinuteAndTheNextCount) {
    // Started at 12:00:39, the first update falls at 12:01:39, the minute after (due) ...
    clock.Set(EpochOf(2026, 12, kMonday, 12, 0, 39));
    program.settings.Temporisation = 60;
    scheduler.Start();
    Ticks(62);
    EXPECT_EQ(purges.size(), 1u);

    // ... but an update at 12:02 is one minute too late.
    purges.clear();
    program.scheduler = {};
    clock.Set(EpochOf(2026, 12, kMonday, 12, 1, 0));
    scheduler.Start();
    Ticks(62);
    EXPECT_TRUE(purges.empty());
}

TEST_F(SchedulerTest, AfterSleepingThroughThePurgeTimeItCatchesUpOnce) {
    program.settings.Temporisation = 10;
    clock.Set(EpochOf(2026, 12, kMonday, 11, 59, 55));
    scheduler.Start();
    Ticks(30);
    ASSERT_EQ(purges.size(), 1u);
    // The machine sleeps from Monday afternoon to Tuesday 15:00.
    clock.Set(EpochOf(2026, 12, kMonday + 1, 15, 0, 0));
    Ticks(11);
    ASSERT_EQ(purges.size(), 2u);
    EXPECT_EQ(program.scheduler.LastPurgeDay, 20261208);
    Ticks(600);
    EXPECT_EQ(purges.size(), 2u);
}

TEST_F(SchedulerTest, LastMinuteOfTheDayIsTheOnlyFirstDayWindow) {
    program.settings.Heure = "23:59";
    program.settings.PurgeMinute = 23 * 60 + 59;
    program.settings.Temporisation = 60;
    clock.Set(EpochOf(2026, 12, kMonday, 23, 58, 30));
    scheduler.Start();
    Ticks(62);
    EXPECT_EQ(purges.size(), 1u);

    // Started at 23:59:30 the first update falls on the next day at 00:00:31: minute 0, not 1440.
    purges.clear();
    program.scheduler = {};
    clock.Set(EpochOf(2026, 12, kMonday, 23, 59, 30));
    scheduler.Start();
    Ticks(62);
    EXPECT_TRUE(purges.empty());
}

TEST_F(SchedulerTest, DayMissingFromTheWeekdaysIsSkipped) {
    program.settings.Jours = "134567";  // no Monday
    program.settings.Temporisation = 10;
    program.scheduler.LastPurgeDay = 20261206;
    clock.Set(EpochOf(2026, 12, kMonday, 11, 59, 55));
    scheduler.Start();
    TickUntil(EpochOf(2026, 12, kMonday, 23, 59, 0));
    EXPECT_TRUE(purges.empty());
    EXPECT_EQ(program.scheduler.LastPurgeDay, 20261206);
    // Tuesday is listed: its first update after 12:00 purges.
    TickUntil(EpochOf(2026, 12, kMonday + 1, 12, 0, 30));
    EXPECT_EQ(purges.size(), 1u);
}

TEST_F(SchedulerTest, EmptyListRefusesToStart) {
    Folders(0);
    scheduler.Start();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, "No folders to purge");
    EXPECT_EQ(frontEnd.messages[0].title, "Quellix 1.0.0");
    EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
    EXPECT_FALSE(frontEnd.Called("SetSchedulerMode"));
    Ticks(40);
    EXPECT_EQ(counts, 0);
}

TEST_F(SchedulerTest, ImmediatePurgeAsksWithTheNumberOfFolders) {
    program.settings.PurgeImmediate = true;
    Folders(3);
    frontEnd.answers = {MessageAnswer::No, MessageAnswer::Yes};
    scheduler.Start();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, "Purge NOW the 3 folders in the list");
    EXPECT_EQ(frontEnd.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(purges.empty());
    EXPECT_EQ(counts, 1);

    program.settings.Langue = 1;
    scheduler.Start();
    EXPECT_EQ(frontEnd.messages[1].text, "Confirmer la purge immédiate des 3 dossiers de la liste");
    EXPECT_EQ(purges.size(), 1u);
    // Back to stopped through the immediate state; the day of an immediate purge is not recorded.
    EXPECT_LT(frontEnd.IndexOf("SetSchedulerMode(Immediate)"),
              frontEnd.IndexOf("SetSchedulerMode(Stopped)"));
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
    EXPECT_EQ(program.scheduler.LastPurgeDay, 0);
}

TEST_F(SchedulerTest, ImmediatePurgeWithAutomaticStartDoesNotAsk) {
    program.settings.PurgeImmediate = true;
    program.settings.DemarrageAutomatiqueLancement = true;
    frontEnd.answers = {MessageAnswer::No};
    scheduler.Start();
    EXPECT_TRUE(frontEnd.messages.empty());
    EXPECT_EQ(purges.size(), 1u);
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
}

TEST_F(SchedulerTest, ImmediateModeWithNoFiles) {
    program.settings.PurgeImmediate = true;
    countTotal = 0;
    scheduler.Start();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, "No files to purge");
    EXPECT_TRUE(purges.empty());
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
    EXPECT_FALSE(frontEnd.programEnd.has_value());

    // Never a message box while the window is hidden or a service reports.
    frontEnd.mainWindowVisible = false;
    scheduler.Start();
    frontEnd.mainWindowVisible = true;
    service.installed = true;
    scheduler.Start();
    EXPECT_EQ(frontEnd.messages.size(), 1u);

    // A one-shot run ends there.
    program.settings.RunOnce = true;
    scheduler.Start();
    EXPECT_EQ(frontEnd.programEnd, ProgramEnd::Normal);
}

TEST_F(SchedulerTest, StopHidesTheCountdownAndStartBeginsAgain) {
    program.settings.Temporisation = 30;
    scheduler.Start();
    Ticks(10);
    scheduler.Stop();
    EXPECT_EQ(frontEnd.calls.back(), "SetBusyVisible(false)");
    EXPECT_EQ(frontEnd.schedulerMode, SchedulerMode::Stopped);
    const std::size_t shown = StatusTexts().size();
    Ticks(100);
    EXPECT_EQ(StatusTexts().size(), shown);
    EXPECT_EQ(counts, 0);

    scheduler.Start();
    Ticks(1);
    EXPECT_EQ(StatusTexts().back(), "Update in 30 seconds");
}

TEST_F(SchedulerTest, StopDuringATicksPurgeLeavesTheSchedulerStopped) {
    program.settings.Temporisation = 10;
    clock.Set(EpochOf(2026, 12, kMonday, 11, 59, 55));
    duringPurge = [this] { scheduler.Stop(); };
    scheduler.Start();
    Ticks(11);
    ASSERT_EQ(purges.size(), 1u);
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
    EXPECT_EQ(frontEnd.calls.back(), "SetBusyVisible(false)");
    EXPECT_EQ(program.scheduler.LastPurgeDay, 20261207);
    EXPECT_EQ(counts, 0);
}

TEST_F(SchedulerTest, TicksAndStartsDuringAPurgeStartNothingMore) {
    program.settings.Temporisation = 1;
    clock.Set(EpochOf(2026, 12, kMonday, 12, 0, 0));
    duringPurge = [this] {
        // A second's worth of ticks and a click on Start arrive while the purge walks.
        for (int i = 0; i < 5; ++i) {
            clock.Advance(1);
            scheduler.Tick();
        }
        program.settings.PurgeImmediate = true;
        scheduler.Start();
        program.settings.PurgeImmediate = false;
    };
    scheduler.Start();
    Ticks(3);
    EXPECT_EQ(purges.size(), 1u);
    EXPECT_EQ(counts, 2);  // after the purge's update, and at the next one
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Running);
}

TEST_F(SchedulerTest, HeartbeatOnlyForAnInstalledServiceInDebug) {
    program.settings.Temporisation = 5;
    program.settings.Debug = true;
    scheduler.Start();
    Ticks(12);
    EXPECT_TRUE(service.events.empty());

    service.installed = true;
    clock.Set(EpochOf(2026, 12, kMonday, 9, 30, 15));
    Ticks(6);
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_EQ(service.events[0].second, EventType::Information);
    const platform::CivilTime when = clock.ToLocal(EpochOf(2026, 12, kMonday, 9, 30, 18));
    EXPECT_EQ(service.events[0].first, "Quellix running, " + platform::FormatCivilTime(when, "%x") +
                                           " " + platform::FormatCivilTime(when, "%X"));

    program.settings.Debug = false;
    Ticks(20);
    EXPECT_EQ(service.events.size(), 1u);
}

TEST_F(SchedulerTest, ImmediateBoxIsWrittenAtOnceAndHidesThePurgeTime) {
    scheduler.SetImmediate(true);
    EXPECT_TRUE(program.settings.PurgeImmediate);
    EXPECT_EQ(program.config->Read("Purge", "PurgeImmediate"), "1");
    EXPECT_EQ(frontEnd.calls.back(), "SetPurgeTimeVisible(false)");
    scheduler.SetImmediate(false);
    EXPECT_EQ(program.config->Read("Purge", "PurgeImmediate"), "0");
    EXPECT_EQ(frontEnd.calls.back(), "SetPurgeTimeVisible(true)");
}

TEST(SchedulerTexts, CountdownKeepsTheSpaceOnlyBeforeANonNegativeNumber) {
    EXPECT_EQ(CountdownText(0, Language::English), "Update in 0 seconds");
    EXPECT_EQ(CountdownText(-1, Language::English), "Update in-1 seconds");
    EXPECT_EQ(DayStamp({2026, 1, 9, 0, 0, 0, 5}), 20260109);
}

}  // namespace
}  // namespace quellix
