#include "core/purge/purge_run.h"

#include <atomic>

#include "core/config/ini_file.h"
#include "core/purge/purge_fixture.h"
#include "support/folder_entries.h"

namespace quellix {
namespace {

class PurgeRunTest : public test::PurgeFixture {
  protected:
    FolderEntry Row(const std::string& folder, const std::string& subfolders,
                    const std::string& action = "Delete", const std::string& count = "3") const {
        return test::EntryOf({count, tree.Path(folder) + "/", "24", subfolders, "M", action});
    }
    void Run() {
        PurgeEngine engine(settings, clock, frontEnd);
        engine.SetStopFlag(&stop);
        PurgeRun({settings, folders, config, frontEnd, service, clock, engine,
                  [this] { ++countPasses; }});
    }

    FolderList folders;
    MemoryConfigStore config;
    int countPasses = 0;
    std::atomic<bool> stop{false};
};

TEST_F(PurgeRunTest, ARunWithNothingToDoStillRecordsItsStatistics) {
    tree.File("in/recent", Recent());
    folders.Append(Row("in", "no"));
    settings.NbDernierePurge = 7;
    Run();

    const std::string start = "07 December 2026 - 10:59:00";
    const std::string summary =
        "Last purge: " + start + " ;Deleted: 0 files, 0 subfolders; Locked:0 ";
    EXPECT_EQ(config.Read("Purge", "DateDernierePurge"), start);
    EXPECT_EQ(config.Read("Purge", "NbDernierePurge"), "0");
    EXPECT_EQ(config.Read("Purge", "NbDernierePurgeDossiers"), "0");
    EXPECT_EQ(config.Read("Purge", "NbLocked"), "0");
    EXPECT_EQ(settings.NbDernierePurge, 0);
    EXPECT_EQ(countPasses, 1);
    EXPECT_TRUE(frontEnd.Called("SetLastPurgeText(" + summary + ")"));
    EXPECT_TRUE(Logged("<b>" + summary + "</b><hr>\r\n"));
    EXPECT_LT(frontEnd.IndexOf("SetStatusText(Purging...)"),
              frontEnd.IndexOf("SetBusyVisible(true)"));
    EXPECT_EQ(frontEnd.calls.back(), "SetBusyVisible(false)");
    EXPECT_TRUE(service.events.empty());
}

TEST_F(PurgeRunTest, SummaryCountsEveryEntryAndGoesToTheSystemLogWhenInstalled) {
    for (int i = 0; i < 5; ++i) {
        tree.File("in/f" + std::to_string(i), Old());
        tree.File("two/g" + std::to_string(i), Old());
    }
    folders.Append(Row("in", "no"));
    folders.Append(Row("two", "no", "Effacer"));
    settings.IsNt = true;
    service.installed = true;
    settings.Langue = 1;
    Run();

    const std::string summary =
        "Purgé le 07 December 2026 - 10:59:00; Effacés: 10 fichiers, 0 "
        "sous-dossiers, Verrouillés: 0 ";
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_EQ(service.events[0].first, summary);
    EXPECT_EQ(service.events[0].second, EventType::Warning);
    EXPECT_EQ(config.Read("Purge", "NbDernierePurge"), "10");
    EXPECT_TRUE(Logged("/f0 <i>effac&eacute;</i> [Date M.: "));
}

TEST_F(PurgeRunTest, EmptySubfoldersGoDeepestFirstButNeverTheEntryItself) {
    tree.File("in/a/b/c/old", Old());
    tree.File("in/a/b/old", Old());
    tree.File("in/hidden/.keep", Recent());
    tree.File("in/busy/recent", Recent());
    folders.Append(Row("in", "yes [D]"));
    Run();

    EXPECT_EQ(settings.NbDernierePurgeDossiers, 3);
    EXPECT_TRUE(tree.Exists("in"));
    EXPECT_FALSE(tree.Exists("in/a"));
    EXPECT_TRUE(tree.Exists("in/hidden/.keep"));
    EXPECT_TRUE(tree.Exists("in/busy/recent"));
    const std::string text = LogText();
    const std::string removed = "<font color=\"#FF0000\"><i>Empty subfolder deleted</i>: ";
    const auto c = text.find(removed + tree.Path("in/a/b/c") + "</font><br>");
    const auto b = text.find(removed + tree.Path("in/a/b") + "</font><br>");
    const auto a = text.find(removed + tree.Path("in/a") + "</font><br>");
    ASSERT_NE(c, std::string::npos);
    EXPECT_LT(c, b);
    EXPECT_LT(b, a);
    EXPECT_EQ(text.find(removed + tree.Path("in/hidden")), std::string::npos);
}

TEST_F(PurgeRunTest, EmptySubfoldersStayWithoutSubfolders) {
    tree.Folder("in/empty");
    folders.Append(Row("in", "no [D]"));
    Run();
    EXPECT_TRUE(tree.Exists("in/empty"));
    EXPECT_EQ(settings.NbDernierePurgeDossiers, 0);
}

TEST_F(PurgeRunTest, UnknownEntriesAreSkippedEvenWhenTheFolderCameBack) {
    tree.File("in/old", Old());
    folders.Append(Row("in", "no", "Delete", "unknown"));
    folders.Append(Row("in", "no", "Delete", "inconnu"));
    Run();
    EXPECT_TRUE(tree.Exists("in/old"));
    EXPECT_EQ(settings.NbDernierePurge, 0);
}

TEST_F(PurgeRunTest, WithoutTheLogNothingIsWrittenThere) {
    settings.Logs = false;
    settings.IsNt = true;
    service.installed = true;
    tree.File("in/old", Old());
    folders.Append(Row("in", "no"));
    Run();
    EXPECT_FALSE(tree.Exists("in/old"));
    EXPECT_EQ(settings.NbDernierePurge, 1);
    EXPECT_EQ(LogText(), "");
    EXPECT_TRUE(service.events.empty());
}

// A stop (the service told to end) arriving while the second folder is entered: the run ends at
// the next file, with its statistics, summary and log as after any run, and touches nothing more.
TEST_F(PurgeRunTest, StopEndsTheRunAtTheNextFileAndClosesItProperly) {
    tree.File("in/old", Old());
    tree.File("in/sub/old1", Old());
    tree.File("in/sub/old2", Old());
    tree.Folder("in/sub/empty");
    tree.File("later/old", Old());
    folders.Append(Row("in", "yes [D]"));
    folders.Append(Row("later", "no"));
    int folderEntered = 0;
    frontEnd.onPendingEvents = [&] {
        if (++folderEntered == 2) {
            stop = true;
        }
    };
    Run();

    EXPECT_FALSE(tree.Exists("in/old"));
    EXPECT_TRUE(tree.Exists("in/sub/old1"));
    EXPECT_TRUE(tree.Exists("in/sub/old2"));
    EXPECT_TRUE(tree.Exists("in/sub/empty"));
    EXPECT_TRUE(tree.Exists("later/old"));
    EXPECT_EQ(config.Read("Purge", "NbDernierePurge"), "1");
    EXPECT_EQ(countPasses, 0);
    EXPECT_TRUE(Logged("Deleted: 1 files, 0 subfolders; Locked:0 </b><hr>\r\n"));
    EXPECT_EQ(frontEnd.calls.back(), "SetBusyVisible(false)");
}

}  // namespace
}  // namespace quellix
