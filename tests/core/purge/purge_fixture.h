#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/common/settings.h"
#include "core/purge/operation_log.h"
#include "core/purge/purge_engine.h"
#include "support/fake_clock.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix::test {

// A tree under "in", a clock at 2026-12-07 10:59 (UTC), and a log in its own folder.
class PurgeFixture : public ::testing::Test {
  protected:
    static constexpr std::int64_t kNow = 1796641140;  // 2026-12-07 10:59:00
    static std::int64_t Old() { return EpochOf(2026, 12, 1, 8, 0); }
    static std::int64_t Recent() { return EpochOf(2026, 12, 7, 10, 0); }

    PurgeFixture() : clock(kNow) {
        settings.Logs = true;
        settings.PathLogs = logs.Path();
        tree.Folder("in");
    }

    FolderEntry Entry(FolderAction action, bool subfolders = true) const {
        FolderEntry entry;
        entry.path = tree.Path("in") + "/";
        entry.retention = "24";
        entry.includeSubfolders = subfolders;
        entry.action = action;
        return entry;
    }
    FolderEntry MoveEntry(bool shortcut = false) const {
        FolderEntry entry = Entry(FolderAction::Move);
        entry.destination = tree.Path("dest") + "/";
        entry.createShortcut = shortcut;
        return entry;
    }

    // One entry purged with the log open; returns the run's counters.
    PurgeRunState Purge(const FolderEntry& entry) {
        OperationLog log(settings, clock, service);
        log.Open();
        PurgeRunState run;
        run.log = &log;
        PurgeEngine engine(settings, clock, frontEnd);
        engine.PurgeEntry(entry, run);
        log.Close("end");
        return run;
    }
    std::string LogText() const { return logs.Read(DayLogPath("", clock.ToLocal(clock.Now()))); }
    bool Logged(const std::string& part) const { return LogText().find(part) != std::string::npos; }

    FileTree tree;
    TempDir logs;
    FakeClock clock;
    Settings settings;
    ScriptedFrontEnd frontEnd;
    FakeServiceHost service;
};

}  // namespace quellix::test
