#include "core/purge/purge_engine.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>

#include "core/purge/lock_test.h"
#include "core/purge/purge_fixture.h"

namespace quellix {
namespace {

using test::EpochOf;

class PurgeEngineTest : public test::PurgeFixture {};

TEST_F(PurgeEngineTest, AgeIsCountedInWholeHours) {
    // Now is 10:59; kept 24 hours, yesterday 10:01 is past, 11:00 and 11:59 are not.
    tree.File("in/past", EpochOf(2026, 12, 6, 10, 1));
    tree.File("in/on-hour", EpochOf(2026, 12, 6, 11, 0));
    tree.File("in/late", EpochOf(2026, 12, 6, 11, 59));
    const PurgeRunState run = Purge(Entry(FolderAction::Delete));

    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_FALSE(tree.Exists("in/past"));
    EXPECT_TRUE(tree.Exists("in/on-hour"));
    EXPECT_TRUE(tree.Exists("in/late"));
    EXPECT_TRUE(
        Logged(tree.Path("in") + "/past <i>deleted</i> [Date M.: 12/06/26 10:01:00]<br>\r\n"));

    // A fractional retention rounds half to even: 24.5 is kept as 24 hours, not 25.
    tree.File("in/next-hour", EpochOf(2026, 12, 6, 12, 0));
    FolderEntry entry = Entry(FolderAction::Delete);
    entry.retention = "24.5";
    clock.Set(EpochOf(2026, 12, 7, 11, 0));
    Purge(entry);
    EXPECT_FALSE(tree.Exists("in/on-hour"));
    EXPECT_FALSE(tree.Exists("in/late"));
    EXPECT_TRUE(tree.Exists("in/next-hour"));

    // Paris on the night summer time starts: a file of 01:59:59 (UTC+1) kept 2 hours is 6 seconds
    // old at 03:00:05 (UTC+2) and stays; it goes once the hour of its limit, 04:00, has begun.
    const std::int64_t summerFrom = EpochOf(2026, 3, 29, 1);
    clock.SetZone([summerFrom](std::int64_t t) { return t >= summerFrom ? 7200 : 3600; });
    tree.File("in/before-the-change", EpochOf(2026, 3, 29, 0, 59, 59));
    entry.retention = "2";
    clock.Set(EpochOf(2026, 3, 29, 1, 0, 5));
    Purge(entry);
    EXPECT_TRUE(tree.Exists("in/before-the-change"));
    clock.Set(EpochOf(2026, 3, 29, 2, 0, 0));
    Purge(entry);
    EXPECT_FALSE(tree.Exists("in/before-the-change"));
    EXPECT_TRUE(Logged("/before-the-change <i>deleted</i> [Date M.: 03/29/26 01:59:59]"));
}

TEST_F(PurgeEngineTest, DateKindChoosesTheFileTime) {
    tree.File("in/old-write", Old());
    tree.SetTimes("in/old-write", Old(), Recent());
    tree.File("in/old-access", Old());
    tree.SetTimes("in/old-access", Recent(), Old());

    FolderEntry byAccess = Entry(FolderAction::Delete);
    byAccess.date = "X";
    Purge(byAccess);
    EXPECT_TRUE(tree.Exists("in/old-write"));
    EXPECT_FALSE(tree.Exists("in/old-access"));
    // An unknown letter reads the access time and is written as it is.
    EXPECT_TRUE(Logged("/old-access <i>deleted</i> [Date X.: "));

    Purge(Entry(FolderAction::Delete));
    EXPECT_FALSE(tree.Exists("in/old-write"));
}

TEST_F(PurgeEngineTest, ReadOnlyFilesInEachAction) {
    tree.File("in/ro", Old());
    tree.MakeReadOnly("in/ro");
    tree.Folder("dest");

    PurgeRunState run = Purge(Entry(FolderAction::Delete));
    EXPECT_TRUE(tree.Exists("in/ro"));
    EXPECT_TRUE(tree.IsReadOnly("in/ro"));
    EXPECT_EQ(run.filesHandled, 0);
    EXPECT_TRUE(Logged("<font color=\"#FF0000\">" + tree.Path("in") +
                       "/ro <i>is read only and not deleted</i></font> [Date M.: "));

    run = Purge(Entry(FolderAction::RecycleBin));
    EXPECT_TRUE(tree.Exists("in/ro"));

    // A move takes read-only files as they are.
    run = Purge(MoveEntry());
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_TRUE(tree.IsReadOnly("dest/ro"));

    tree.File("in/ro2", Old());
    tree.MakeReadOnly("in/ro2");
    FolderEntry withReadOnly = Entry(FolderAction::Delete);
    withReadOnly.deleteReadOnly = true;
    run = Purge(withReadOnly);
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_FALSE(tree.Exists("in/ro2"));
}

TEST_F(PurgeEngineTest, LockedFilesAreCountedOnceAndLeft) {
    tree.File("in/busy.txt", Old());
    tree.File("in/my_file.txt", Old());
    tree.File("in/free.txt", Old());
    const int busy = open(tree.Path("in/busy.txt").c_str(), O_RDONLY);
    const int flocked = open(tree.Path("in/my_file.txt").c_str(), O_RDONLY);
    ASSERT_GE(busy, 0);
    ASSERT_GE(flocked, 0);
    ASSERT_EQ(flock(flocked, LOCK_EX), 0);

    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    close(busy);
    close(flocked);

    EXPECT_EQ(run.locked, 2);
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_TRUE(tree.Exists("in/busy.txt"));
    EXPECT_TRUE(tree.Exists("in/my_file.txt"));
    EXPECT_FALSE(tree.Exists("in/free.txt"));
    const std::string text = LogText();
    EXPECT_EQ(text.find("my_file.txt <i><b>locked</b></i>"),
              text.rfind("my_file.txt <i><b>locked</b></i>"));
    EXPECT_TRUE(Logged("/busy.txt <i><b>locked</b></i> [Date M.: "));
}

TEST_F(PurgeEngineTest, MoveRebuildsTheTreeAndNeverOverwrites) {
    tree.File("in/x/a.txt", Old(), "new a");
    tree.File("in/x/b.txt", Old(), "new b");
    tree.File("dest/x/b.txt", Recent(), "kept b");
    tree.File("in/y/z/c.txt", Old());

    const PurgeRunState run = Purge(MoveEntry());
    EXPECT_EQ(run.filesHandled, 2);
    EXPECT_EQ(tree.Read("dest/x/a.txt"), "new a");
    EXPECT_EQ(tree.Read("dest/x/b.txt"), "kept b");
    EXPECT_EQ(tree.Read("in/x/b.txt"), "new b");
    EXPECT_TRUE(tree.Exists("dest/y/z/c.txt"));
    EXPECT_TRUE(Logged(tree.Path("in") + "/x/a.txt <i>moved to</i> " + tree.Path("dest") +
                       "/x/ [Date M.: "));
    EXPECT_TRUE(Logged(tree.Path("in") + "/x/b.txt <i>not deleted</i>, error:17</font>"));
}

TEST_F(PurgeEngineTest, MissingDestinationIsAnInvalidPath) {
    tree.File("in/a.txt", Old());
    FolderEntry entry = MoveEntry();
    entry.destination = tree.Path("nowhere/deeper") + "/";
    const PurgeRunState run = Purge(entry);
    EXPECT_EQ(run.filesHandled, 0);
    EXPECT_TRUE(tree.Exists("in/a.txt"));
    EXPECT_TRUE(Logged("<font color=\"#FF0000\"><b>" + tree.Path("nowhere/deeper") +
                       "/ <i>invalid path</i></b></font><br>"));
}

TEST_F(PurgeEngineTest, ShortcutsAreLeftAndNeverMovedAgain) {
    tree.File("in/report.final.doc", Old());
    tree.File("in/README", Old());
    tree.Folder("dest");
    Purge(MoveEntry(true));

    ASSERT_TRUE(tree.IsLink("in/report.final.lnk"));
    EXPECT_EQ(tree.LinkTarget("in/report.final.lnk"), tree.Path("dest") + "/report.final.doc");
    EXPECT_TRUE(tree.IsLink("in/README.lnk"));

    // Once old, the links themselves stay where they are, with no line.
    tree.SetTimes("in/README.lnk", Old(), Old());
    tree.File("in/OLD.LNK", Old());
    const PurgeRunState run = Purge(MoveEntry(true));
    EXPECT_EQ(run.filesHandled, 0);
    EXPECT_TRUE(tree.IsLink("in/README.lnk"));
    EXPECT_TRUE(tree.Exists("in/OLD.LNK"));
    EXPECT_FALSE(Logged("README.lnk <i>"));
}

// A move that could not leave its shortcut would take the file from where the user looks for it:
// the file stays, with the reason on its line, and a file beside it moves as usual.
TEST_F(PurgeEngineTest, AFileWhoseShortcutCannotBeLeftStays) {
    tree.File("in/a.txt", Old(), "a");
    tree.File("in/a.lnk", Recent(), "someone's own");
    tree.File("in/b.txt", Old(), "b");
    tree.Folder("dest");
    for (const bool allObsolete : {false, true}) {
        SCOPED_TRACE(allObsolete);
        settings.TousFichiersObsoletes = allObsolete;
        tree.SetTimes("in/a.lnk", allObsolete ? Old() : Recent(), Old());
        const PurgeRunState run = Purge(MoveEntry(true));
        EXPECT_EQ(run.filesHandled, allObsolete ? 0 : 1);
        EXPECT_EQ(tree.Read("in/a.txt"), "a");
        EXPECT_EQ(tree.Read("in/a.lnk"), "someone's own");
        EXPECT_FALSE(tree.Exists("dest/a.txt"));
        EXPECT_TRUE(Logged(tree.Path("in") + "/a.txt <i>not deleted</i>, error:" +
                           std::to_string(EEXIST) + "</font> [Date M.: "))
            << LogText();
    }
    EXPECT_EQ(tree.Read("dest/b.txt"), "b");
    EXPECT_TRUE(tree.IsLink("in/b.lnk"));
}

TEST(FileInUse, ACloudPlaceholderIsNeverOpenedToFindOut) {
    const struct {
        bool placeholder;
        platform::EntryType type;
        bool locked;  // what the probe would say
        InUse expected;
        int probes;
    } cases[] = {
        {false, platform::EntryType::File, false, InUse::No, 1},
        {false, platform::EntryType::File, true, InUse::Yes, 1},
        {false, platform::EntryType::Unknown, true, InUse::Yes, 1},
        {true, platform::EntryType::File, true, InUse::NotAsked, 0},
        {true, platform::EntryType::File, false, InUse::NotAsked, 0},
        {true, platform::EntryType::Symlink, true, InUse::NotAsked, 0},
    };
    for (const auto& c : cases) {
        platform::EntryInfo file;
        file.type = c.type;
        file.cloudPlaceholder = c.placeholder;
        int probes = 0;
        EXPECT_EQ(FileInUse(file,
                            [&] {
                                ++probes;
                                return c.locked;
                            }),
                  c.expected)
            << c.placeholder << c.locked;
        EXPECT_EQ(probes, c.probes);
    }
}

TEST_F(PurgeEngineTest, AllObsoleteModeJudgesEachFolderOnItsOwn) {
    settings.TousFichiersObsoletes = true;
    for (int i = 0; i < 10; ++i) {
        tree.File("in/mixed/old" + std::to_string(i), Old());
        tree.File("in/mixed/all/old" + std::to_string(i), Old());
    }
    tree.File("in/mixed/recent", Recent());
    tree.Folder("in/empty");

    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    EXPECT_EQ(run.filesHandled, 10);
    EXPECT_EQ(tree.List("in/mixed").size(), 11u + 1u);
    EXPECT_EQ(tree.List("in/mixed/all").size(), 0u);
}

TEST_F(PurgeEngineTest, LinksAndSpecialFilesAreHandledAsThemselves) {
    tree.File("outside/keep.txt", Old());
    tree.File("outside/deep/keep2.txt", Old());
    tree.Link("in/to-file", tree.Path("outside/keep.txt"), Old());
    tree.Link("in/to-folder", tree.Path("outside/deep"), Old());
    tree.Link("in/recent-link", tree.Path("outside/keep.txt"), Recent());
    tree.Fifo("in/pipe", Old());

    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    EXPECT_EQ(run.filesHandled, 3);
    EXPECT_FALSE(tree.Exists("in/to-file"));
    EXPECT_FALSE(tree.Exists("in/to-folder"));
    EXPECT_FALSE(tree.Exists("in/pipe"));
    EXPECT_TRUE(tree.IsLink("in/recent-link"));
    EXPECT_TRUE(tree.Exists("outside/keep.txt"));
    EXPECT_TRUE(tree.Exists("outside/deep/keep2.txt"));
}

TEST_F(PurgeEngineTest, AnyNameByteButSlashAndNulWorks) {
    const std::string names[] = {"new\nline",           "bad\xff\xfe",  "-rf",
                                 std::string(255, 'n'), "<script>.txt", "space and &amp;"};
    for (const std::string& name : names) {
        tree.File("in/sub/" + name, Old());
    }
    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    EXPECT_EQ(run.filesHandled, 6);
    EXPECT_TRUE(tree.List("in/sub").empty());
    EXPECT_TRUE(Logged("/sub/&lt;script&gt;.txt <i>deleted</i>"));
    EXPECT_TRUE(Logged("/sub/new&#10;line <i>deleted</i>"));
    EXPECT_TRUE(Logged("/sub/bad\\xFF\\xFE <i>deleted</i>"));
    EXPECT_EQ(LogText().find("<script>"), std::string::npos);
}

TEST_F(PurgeEngineTest, SubfoldersOnlyWhenAsked) {
    tree.File("in/top", Old());
    tree.File("in/sub/below", Old());
    tree.Folder("in/empty");
    FolderEntry entry = Entry(FolderAction::Delete, false);
    entry.deleteEmptySubfolders = true;
    PurgeRunState run = Purge(entry);
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_TRUE(tree.Exists("in/sub/below"));
    EXPECT_TRUE(tree.Exists("in/empty"));
    EXPECT_EQ(run.subfoldersRemoved, 0);

    entry.includeSubfolders = true;
    tree.Folder("in/sub/deeper");
    run = Purge(entry);
    EXPECT_FALSE(tree.Exists("in/sub"));
    EXPECT_FALSE(tree.Exists("in/empty"));
    EXPECT_EQ(run.subfoldersRemoved, 3);
}

TEST_F(PurgeEngineTest, ADestinationInsideTheTreeIsNotPurgedAgain) {
    tree.File("in/a.txt", Old());
    tree.File("in/archive/earlier.txt", Old());
    FolderEntry entry = Entry(FolderAction::Move);
    entry.destination = tree.Path("in/archive") + "/";
    Purge(entry);
    EXPECT_TRUE(tree.Exists("in/archive/a.txt"));
    EXPECT_TRUE(tree.Exists("in/archive/earlier.txt"));
    EXPECT_FALSE(tree.Exists("in/archive/archive"));
}

TEST_F(PurgeEngineTest, AFolderSwappedForALinkNeverRedirectsAnAction) {
    for (int i = 0; i < 50; ++i) {
        tree.File("outside/precious" + std::to_string(i), Old());
    }
    std::atomic<bool> stop = false;
    // Held for each whole swap, so that between swaps "in/sub" is the real folder again.
    std::mutex swapping;
    const std::string sub = tree.Path("in/sub");
    const std::string real = tree.Path("in/sub.real");
    const std::string outside = tree.Path("outside");
    tree.Folder("in/sub");
    // Recent files beside it keep the purge busy between listing the folder and entering it.
    for (int i = 0; i < 300; ++i) {
        tree.File("in/recent" + std::to_string(i), Recent());
    }
    // The folder and the link each stand for a while, so that a purge may list the folder and
    // then meet the link when it goes to open it.
    const auto pause = [] {
        for (int i = 0; i < 200; ++i) {
            std::this_thread::yield();
        }
    };
    std::jthread swapper([&] {
        while (!stop) {
            pause();
            const std::lock_guard lock(swapping);
            if (std::rename(sub.c_str(), real.c_str()) == 0) {
                if (symlink(outside.c_str(), sub.c_str()) == 0) {
                    pause();
                    unlink(sub.c_str());
                }
                std::rename(real.c_str(), sub.c_str());
            }
        }
    });
    for (int round = 0; round < 100; ++round) {
        {
            const std::lock_guard lock(swapping);
            for (int i = 0; i < 5; ++i) {
                tree.File("in/sub/f" + std::to_string(i), Old());
            }
        }
        Purge(Entry(FolderAction::Delete));
        Purge(MoveEntry());
    }
    stop = true;
    swapper.join();
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(tree.Exists("outside/precious" + std::to_string(i))) << i;
    }
}

TEST_F(PurgeEngineTest, AFolderListedThenSwappedForALinkIsNotEntered) {
    tree.File("outside/precious", Old());
    tree.File("in/a/old", Old());
    tree.File("in/b/old", Old());
    // Both subfolders are listed before either is entered; while the first is worked on, both
    // are replaced by links to the outside folder.
    int visits = 0;
    frontEnd.onPendingEvents = [&] {
        if (++visits != 2) {
            return;
        }
        for (const char* name : {"a", "b"}) {
            const std::string folder = tree.Path(std::string("in/") + name);
            ASSERT_EQ(std::rename(folder.c_str(), (folder + ".moved").c_str()), 0);
            ASSERT_EQ(symlink(tree.Path("outside").c_str(), folder.c_str()), 0);
        }
    };
    Purge(Entry(FolderAction::Delete));
    Purge(MoveEntry());
    EXPECT_TRUE(tree.Exists("outside/precious"));
    EXPECT_FALSE(tree.Exists("dest/a/precious"));
    EXPECT_FALSE(tree.Exists("dest/b/precious"));
}

TEST_F(PurgeEngineTest, RecycleSendsToTheTrash) {
    test::TempDir home;
    const char* savedHome = std::getenv("HOME");
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const std::string previousHome = savedHome ? savedHome : "";
    const std::string previousData = savedData ? savedData : "";
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);

    tree.File("in/old.txt", Old(), "content");
    const PurgeRunState run = Purge(Entry(FolderAction::RecycleBin));
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_FALSE(tree.Exists("in/old.txt"));
    EXPECT_EQ(home.Read("data/Trash/files/old.txt"), "content");
    EXPECT_NE(home.Read("data/Trash/info/old.txt.trashinfo").find("Path="), std::string::npos);
    EXPECT_TRUE(Logged("/old.txt <i>in Recycle Bin</i> [Date M.: "));

    savedHome ? setenv("HOME", previousHome.c_str(), 1) : unsetenv("HOME");
    savedData ? setenv("XDG_DATA_HOME", previousData.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST_F(PurgeEngineTest, CountFilesCountsEverythingButFolders) {
    tree.File("in/a", Old());
    tree.File("in/.hidden", Old());
    tree.Link("in/link", "/nonexistent", Old());
    tree.Fifo("in/pipe", Old());
    tree.File("in/sub/b", Old());
    tree.Folder("in/sub/empty");
    PurgeEngine engine(settings, clock, frontEnd);
    EXPECT_EQ(engine.CountFiles(tree.Path("in"), false), 4);
    EXPECT_EQ(engine.CountFiles(tree.Path("in") + "/", true), 5);
    EXPECT_EQ(engine.CountFiles(tree.Path("missing"), true), 0);
    EXPECT_EQ(engine.CountFiles("relative/path", true), 0);
    // Pending events run at every folder entered.
    EXPECT_TRUE(frontEnd.Called("ProcessPendingEvents"));
}

TEST_F(PurgeEngineTest, PendingEventsRunWithinALargeFolder) {
    // One folder of 1,000 files: the window is not left waiting for the whole folder, in the
    // count, in the purge and in the all-obsolete pass after its listing.
    PurgeEngine engine(settings, clock, frontEnd);
    struct Case {
        const char* what;
        bool allObsolete;
        std::function<std::int64_t()> run;
        long atLeast;
    };
    const Case cases[] = {
        {"count", false, [&] { return engine.CountFiles(tree.Path("in"), false); }, 3},
        {"purge", false, [&] { return Purge(Entry(FolderAction::Delete)).filesHandled; }, 3},
        {"all obsolete", true, [&] { return Purge(Entry(FolderAction::Delete)).filesHandled; }, 6},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 1000; ++i) {
            tree.File("in/f" + std::to_string(i), Old());
        }
        settings.TousFichiersObsoletes = c.allObsolete;
        frontEnd.calls.clear();
        EXPECT_EQ(c.run(), 1000) << c.what;
        EXPECT_GE(std::count(frontEnd.calls.begin(), frontEnd.calls.end(), "ProcessPendingEvents"),
                  c.atLeast)
            << c.what;
    }
}

TEST(ShortcutNames, LastDotDecides) {
    EXPECT_EQ(ShortcutName("report.final.doc"), "report.final.lnk");
    EXPECT_EQ(ShortcutName("README"), "README.lnk");
    EXPECT_EQ(ShortcutName("a."), "a.lnk");
    EXPECT_TRUE(HasShortcutExtension("x.LnK"));
    EXPECT_FALSE(HasShortcutExtension("x.lnka"));
    EXPECT_FALSE(HasShortcutExtension("lnk"));
}

}  // namespace
}  // namespace quellix
