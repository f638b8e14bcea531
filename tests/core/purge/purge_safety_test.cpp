// What a purge must never do, whoever prepared the tree: follow another user's links, move files
// into a place swapped in during the walk, make private folders public, eat the program's own
// files, act on locked files, mistake an unreadable date for an old one, or give up on a deep tree.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/purge/own_files.h"
#include "core/purge/purge_fixture.h"
#include "platform/companion_files.h"
#include "platform/process_info.h"
#include "support/env_override.h"
#include "support/scratch_mount.h"

namespace quellix {
namespace {

constexpr uid_t kOtherUser = 65534;

class PurgeSafetyTest : public test::PurgeFixture {
  protected:
    void GiveAway(const std::string& relative) {
        ASSERT_EQ(lchown(tree.Path(relative).c_str(), kOtherUser, kOtherUser), 0) << relative;
    }
    static bool IsRoot() { return geteuid() == 0; }
};

TEST_F(PurgeSafetyTest, LinksOfAnotherUserLeadOnlyToThatUsersFolders) {
    if (!IsRoot()) {
        GTEST_SKIP() << "needs root to give folders to another user";
    }
    tree.File("x/victim/old", Old());
    tree.File("x/alice/own/old", Old());
    tree.Link("x/alice/cache", tree.Path("x/victim"), Old());
    tree.Link("x/alice/back", "../victim", Old());
    tree.Link("x/alice/mine", tree.Path("x/alice/own"), Old());
    // A link of alice's to another of hers that leads out is just as unsafe.
    tree.Link("x/alice/hop", tree.Path("x/alice/cache"), Old());
    for (const char* owned : {"x/alice", "x/alice/own", "x/alice/own/old", "x/alice/cache",
                              "x/alice/back", "x/alice/mine", "x/alice/hop"}) {
        GiveAway(owned);
    }
    const struct {
        const char* entry;
        const char* file;
        bool purged;
    } cases[] = {
        {"x/alice/cache", "x/victim/old", false},
        {"x/alice/back", "x/victim/old", false},
        {"x/alice/hop", "x/victim/old", false},
        {"x/alice/mine", "x/alice/own/old", true},
    };
    for (const auto& c : cases) {
        FolderEntry entry = Entry(FolderAction::Delete);
        entry.path = tree.Path(c.entry) + "/";
        const PurgeRunState run = Purge(entry);
        EXPECT_EQ(tree.Exists(c.file), !c.purged) << c.entry;
        EXPECT_EQ(run.filesHandled, c.purged ? 1 : 0) << c.entry;
    }
    // Links in folders of root's lead anywhere.
    tree.Link("x/by-root", tree.Path("x/victim"), Old());
    FolderEntry entry = Entry(FolderAction::Delete);
    entry.path = tree.Path("x/by-root") + "/";
    Purge(entry);
    EXPECT_FALSE(tree.Exists("x/victim/old"));
}

TEST_F(PurgeSafetyTest, TheDestinationIsTheOneOpenedAtTheStart) {
    tree.File("in/old", Old());
    tree.File("in/sub/old", Old());
    tree.Folder("dest");
    tree.Folder("elsewhere");
    // After the entry's folder is worked, the destination is swapped for a link elsewhere.
    int visits = 0;
    frontEnd.onPendingEvents = [&] {
        if (++visits == 2) {
            ASSERT_EQ(std::rename(tree.Path("dest").c_str(), tree.Path("dest.moved").c_str()), 0);
            ASSERT_EQ(symlink(tree.Path("elsewhere").c_str(), tree.Path("dest").c_str()), 0);
        }
    };
    const PurgeRunState run = Purge(MoveEntry());
    EXPECT_EQ(run.filesHandled, 2);
    EXPECT_TRUE(tree.Exists("dest.moved/old"));
    EXPECT_TRUE(tree.Exists("dest.moved/sub/old"));
    EXPECT_TRUE(tree.List("elsewhere").empty());
}

TEST_F(PurgeSafetyTest, RebuiltFoldersKeepTheSourceFoldersPrivacy) {
    tree.File("in/private/old", Old());
    tree.File("in/shared/old", Old());
    ASSERT_EQ(chmod(tree.Path("in/private").c_str(), 0700), 0);
    ASSERT_EQ(chmod(tree.Path("in/shared").c_str(), 0755), 0);
    if (IsRoot()) {
        GiveAway("in/private");
    }
    tree.Folder("dest");
    ASSERT_EQ(Purge(MoveEntry()).filesHandled, 2);

    struct stat made {};
    ASSERT_EQ(stat(tree.Path("dest/private").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0700u);
    if (IsRoot()) {
        EXPECT_EQ(made.st_uid, kOtherUser);
        EXPECT_EQ(made.st_gid, kOtherUser);
    }
    ASSERT_EQ(stat(tree.Path("dest/shared").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0755u);
}

TEST_F(PurgeSafetyTest, TheProgramsOwnFilesAndTheTrashAreNeverPurged) {
    const std::string configName = "Quellix.ini";
    std::string temporary = platform::TemporaryNameTemplate(configName);
    temporary.replace(temporary.size() - 6, 6, "a1B2c3");
    const std::vector<std::string> own = {
        "in/app/" + configName, "in/app/" + platform::LockFileName(configName),
        "in/app/" + temporary, "in/app/.quellix-Zz9Yy8", "in/logs/Log Quellix 2026-11-30.htm"};
    for (const std::string& file : own) {
        tree.File(file, Old());
    }
    tree.File("in/app/other.ini", Old());
    tree.File("in/logs/notes.htm", Old());
    tree.File("in/junk", Old());
    settings.ConfigPath = tree.Path("in/app/" + configName);
    settings.PathLogs = tree.Path("in/logs");
    const test::EnvOverride dataHome("XDG_DATA_HOME", tree.Path("in/data"));

    const PurgeRunState recycled = Purge(Entry(FolderAction::RecycleBin));
    EXPECT_EQ(recycled.filesHandled, 3);  // other.ini, notes.htm, junk
    for (const std::string& file : own) {
        EXPECT_TRUE(tree.Exists(file)) << file;
    }
    EXPECT_TRUE(tree.Exists("in/data/Trash/files/junk"));
    // The trash's own old items are not sent to the trash again, nor deleted.
    EXPECT_EQ(Purge(Entry(FolderAction::RecycleBin)).filesHandled, 0);
    EXPECT_EQ(Purge(Entry(FolderAction::Delete)).filesHandled, 0);
    EXPECT_TRUE(tree.Exists("in/data/Trash/files/junk"));
    EXPECT_TRUE(tree.Exists("in/data/Trash/info/junk.trashinfo"));

    // The running executable, under its name and under any other.
    settings.ConfigPath.clear();
    const OwnFiles files = OwnFiles::Of(settings);
    const std::string executable = platform::ExecutablePath();
    const std::string folder = executable.substr(0, executable.rfind('/'));
    const auto role = files.RoleOf(*platform::StatPath(folder));
    EXPECT_TRUE(files.IsOwnFile(role, executable.substr(folder.size() + 1),
                                *platform::StatPath(executable)));
    EXPECT_FALSE(files.IsOwnFile(role, "neighbour", *platform::StatPath(folder)));
}

// Of the log folder only the program's own day logs are spared; anything else named like one
// (which log retention never takes either) is purged like any other file.
TEST_F(PurgeSafetyTest, OnlyTheProgramsOwnDayLogsAreSparedInTheLogFolder) {
    const std::string ours = "Log Quellix 2026-11-30.htm";
    const std::vector<std::string> others = {"Log Quellix notes.htm", "Log Quellix 2026-02-30.htm",
                                             "Log Quellix 2026-11-29.htm",
                                             "Log Quellix 2026-11-28.htm"};
    tree.File("in/" + ours, Old());
    for (const std::string& name : others) {
        tree.File("in/" + name, Old());
    }
    ASSERT_EQ(link(tree.Path("in/" + others[2]).c_str(), tree.Path("second name").c_str()), 0);
    if (IsRoot()) {
        GiveAway("in/" + others[3]);
    }
    settings.PathLogs = tree.Path("in");

    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    EXPECT_EQ(run.filesHandled, IsRoot() ? 4 : 3);
    EXPECT_TRUE(tree.Exists("in/" + ours));
    EXPECT_TRUE(tree.Exists("second name"));
    for (const std::string& name : others) {
        EXPECT_EQ(tree.Exists("in/" + name), !IsRoot() && name == others[3]) << name;
    }
}

TEST_F(PurgeSafetyTest, TheAllObsoletePassLeavesLockedFiles) {
    settings.TousFichiersObsoletes = true;
    tree.File("in/busy", Old());
    tree.File("in/free", Old());
    const int busy = open(tree.Path("in/busy").c_str(), O_RDONLY);
    ASSERT_GE(busy, 0);
    const PurgeRunState run = Purge(Entry(FolderAction::Delete));
    close(busy);
    EXPECT_EQ(run.locked, 1);
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_TRUE(tree.Exists("in/busy"));
    EXPECT_FALSE(tree.Exists("in/free"));
    EXPECT_TRUE(Logged("/busy <i><b>locked</b></i> [Date M.: "));
}

TEST_F(PurgeSafetyTest, ADateTheCalendarCannotShowIsNeverObsolete) {
    const test::ScratchMount mount(tree.Path("far"));
    if (!mount.Mounted()) {
        GTEST_SKIP() << "needs root to mount a tmpfs, whose dates reach that far";
    }
    tree.File("far/future", Old());
    tree.File("far/old", Old());
    tree.SetTimes("far/future", std::int64_t{1} << 62, std::int64_t{1} << 62);
    FolderEntry entry = Entry(FolderAction::Delete);
    entry.path = mount.Path() + "/";
    PurgeRunState run;
    PurgeEngine engine(settings, platform::SystemClock(), frontEnd);
    engine.PurgeEntry(entry, run);
    EXPECT_TRUE(tree.Exists("far/future"));
    EXPECT_FALSE(tree.Exists("far/old"));
}

TEST_F(PurgeSafetyTest, EmptyReadOnlyFoldersStayUnlessTheEntryTakesReadOnlyOnes) {
    tree.Folder("in/plain");
    tree.Folder("in/locked-down");
    ASSERT_EQ(chmod(tree.Path("in/locked-down").c_str(), 0555), 0);
    FolderEntry entry = Entry(FolderAction::Delete);
    entry.deleteEmptySubfolders = true;
    EXPECT_EQ(Purge(entry).subfoldersRemoved, 1);
    EXPECT_FALSE(tree.Exists("in/plain"));
    EXPECT_TRUE(tree.Exists("in/locked-down"));
    entry.deleteReadOnly = true;
    EXPECT_EQ(Purge(entry).subfoldersRemoved, 1);
    EXPECT_FALSE(tree.Exists("in/locked-down"));
}

// Lowers the soft descriptor limit for the rest of the scope.
class DescriptorLimit {
  public:
    explicit DescriptorLimit(rlim_t soft) {
        getrlimit(RLIMIT_NOFILE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = soft;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { setrlimit(RLIMIT_NOFILE, &old_); }

  private:
    rlimit old_{};
};

TEST_F(PurgeSafetyTest, TreesDeeperThanTheDescriptorLimitArePurgedWhole) {
    constexpr int kDepth = 400;
    for (const FolderAction action : {FolderAction::Delete, FolderAction::Move}) {
        std::string folder = "in";
        int files = 0;
        for (int level = 1; level <= kDepth; ++level) {
            folder += "/d";
            tree.File(folder + "/f", Old());
            ++files;
            // Beside the deep branch, met again on the way back up.
            if (level == 1 || level == kDepth / 2) {
                tree.File(folder + "/side/f", Old());
                ++files;
            }
        }
        FolderEntry entry = action == FolderAction::Move ? MoveEntry() : Entry(action);
        entry.deleteEmptySubfolders = true;
        tree.Folder("dest");
        PurgeRunState run;
        {
            const DescriptorLimit limit(200);
            run = Purge(entry);
        }
        EXPECT_EQ(run.filesHandled, files);
        EXPECT_EQ(run.subfoldersRemoved, kDepth + 2);
        EXPECT_TRUE(tree.List("in").empty());
        if (action == FolderAction::Move) {
            EXPECT_TRUE(tree.Exists(folder.replace(0, 2, "dest") + "/f"));
        }
    }
}

TEST_F(PurgeSafetyTest, MovesAcrossFileSystemsLeaveShortcutsOnceDone) {
    const test::ScratchMount mount(tree.Path("other"));
    if (!mount.Mounted()) {
        GTEST_SKIP() << "needs root to mount a second file system";
    }
    tree.File("in/a.txt", Old(), "a");
    tree.File("in/sub/b.txt", Old(), "b");
    tree.File("other/sub/b.txt", Recent(), "kept");
    FolderEntry entry = MoveEntry(true);
    entry.destination = mount.Path() + "/";
    const PurgeRunState run = Purge(entry);
    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_EQ(tree.Read("other/a.txt"), "a");
    EXPECT_EQ(tree.LinkTarget("in/a.lnk"), mount.Path() + "/a.txt");
    // The name taken at the destination keeps the source, and leaves no shortcut.
    EXPECT_EQ(tree.Read("in/sub/b.txt"), "b");
    EXPECT_EQ(tree.Read("other/sub/b.txt"), "kept");
    EXPECT_FALSE(tree.Exists("in/sub/b.lnk"));
    EXPECT_TRUE(
        Logged(tree.Path("in") + "/a.txt <i>moved to</i> " + mount.Path() + "/ [Date M.: "));
    EXPECT_TRUE(Logged(tree.Path("in") + "/sub/b.txt <i>not deleted</i>, error:17</font>"));
}

}  // namespace
}  // namespace quellix
