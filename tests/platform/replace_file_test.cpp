#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/companion_files.h"
#include "platform/file_system.h"
#include "support/child_process.h"
#include "support/file_mode.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::Child;
using test::RunInChild;
using test::TempDir;

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Restores the test process's umask however the test ends.
class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

  private:
    mode_t old_;
};

TEST(ReplaceFileContents, NewFileGetsTheModeOfAnOrdinaryCreate) {
    TempDir dir;
    for (const mode_t mask : {mode_t{022}, mode_t{027}, mode_t{0}, mode_t{077}}) {
        const std::string path = dir.File("new-" + std::to_string(mask) + ".ini");
        {
            UmaskGuard guard(mask);
            ASSERT_TRUE(ReplaceFileContents(path, "[Settings]\n"));
        }
        EXPECT_EQ(dir.Read("new-" + std::to_string(mask) + ".ini"), "[Settings]\n");
        EXPECT_EQ(test::ModeOf(path), 0666 & ~mask) << "umask " << mask;
    }
}

TEST(ReplaceFileContents, ExistingFileIsReplacedKeepingItsMode) {
    TempDir dir;
    const std::string path = dir.Write("settings.ini", "old content that is longer than the new");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);

    ASSERT_TRUE(ReplaceFileContents(path, "new"));
    EXPECT_EQ(dir.Read("settings.ini"), "new");
    EXPECT_EQ(test::ModeOf(path), 0604u);

    const std::string binary("a\0b\r\n\xff\xfe", 7);
    ASSERT_TRUE(ReplaceFileContents(path, binary));
    EXPECT_EQ(dir.Read("settings.ini"), binary);

    ASSERT_TRUE(ReplaceFileContents(path, ""));
    EXPECT_TRUE(dir.Exists("settings.ini"));
    EXPECT_EQ(dir.Read("settings.ini"), "");
    EXPECT_EQ(test::ModeOf(path), 0604u);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(ReplaceFileContents, ExistingFileKeepsItsOwnerWhenRunAsRoot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only a privileged process can keep another user's ownership";
    }
    TempDir dir;
    const std::string path = dir.Write("settings.ini", "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    ASSERT_TRUE(ReplaceFileContents(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(ReplaceFileContents, SymbolicLinksAreFollowedAndStayLinks) {
    TempDir dir;
    const std::string target = dir.Write("real/target.ini", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const std::string link = dir.File("config.ini");
    const std::string linkToLink = dir.File("chain.ini");
    ASSERT_EQ(::symlink("real/target.ini", link.c_str()), 0);
    ASSERT_EQ(::symlink(link.c_str(), linkToLink.c_str()), 0);

    ASSERT_TRUE(ReplaceFileContents(link, "through the link"));
    EXPECT_EQ(dir.Read("real/target.ini"), "through the link");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), "real/target.ini");
    EXPECT_EQ(test::ModeOf(target), 0640u);

    ASSERT_TRUE(ReplaceFileContents(linkToLink, "through two links"));
    EXPECT_EQ(dir.Read("real/target.ini"), "through two links");
    EXPECT_TRUE(std::filesystem::is_symlink(linkToLink));
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    // A link to a file not yet written creates the file it points to.
    const std::string dangling = dir.File("dangling.ini");
    ASSERT_EQ(::symlink("real/created.ini", dangling.c_str()), 0);
    ASSERT_TRUE(ReplaceFileContents(dangling, "created"));
    EXPECT_EQ(dir.Read("real/created.ini"), "created");
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));

    EXPECT_EQ(Entries(dir.Path()),
              (std::vector<std::string>{"chain.ini", "config.ini", "dangling.ini", "real"}));
    EXPECT_EQ(Entries(dir.File("real")), (std::vector<std::string>{"created.ini", "target.ini"}));
}

// Names of the entries created in folder while action runs.
std::vector<std::string> CreatedDuring(const std::string& folder,
                                       const std::function<void()>& action) {
    std::vector<std::string> names;
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_CREATE) < 0) {
        ADD_FAILURE() << "no inotify";
        return names;
    }
    action();
    alignas(inotify_event) char buffer[16384];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            names.emplace_back(event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::close(watch);
    return names;
}

// So that what a killed writer leaves can be told from another file's writer at work.
TEST(ReplaceFileContents, TemporaryIsNamedAfterTheFile) {
    for (const std::string& name : {std::string("settings.ini"), std::string(255, 'n')}) {
        TempDir dir;
        dir.Write(name, "old");
        const std::vector<std::string> created = CreatedDuring(
            dir.Path(), [&] { EXPECT_TRUE(ReplaceFileContents(dir.File(name), "new")); });
        ASSERT_EQ(created.size(), 1u);
        EXPECT_TRUE(IsTemporaryName(created[0], name)) << created[0];
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{name});
        EXPECT_EQ(dir.Read(name), "new");
    }
}

TEST(ReplaceFileContents, ImpossibleTargetsFailWithoutTraces) {
    TempDir dir;
    EXPECT_FALSE(ReplaceFileContents(dir.File("missing-folder/settings.ini"), "x"));
    EXPECT_FALSE(dir.Exists("missing-folder"));

    ASSERT_TRUE(std::filesystem::create_directory(dir.File("folder")));
    EXPECT_FALSE(ReplaceFileContents(dir.File("folder"), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
    EXPECT_FALSE(ReplaceFileContents(dir.File("folder") + "/", "x"));

    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReplaceFileContents(fifo, "x"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const std::string loop = dir.File("loop.ini");
    ASSERT_EQ(::symlink("loop.ini", loop.c_str()), 0);
    EXPECT_FALSE(ReplaceFileContents(loop, "x"));

    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"fifo", "folder", "loop.ini"}));
    EXPECT_TRUE(Entries(dir.File("folder")).empty());
}

TEST(ReplaceFileContents, ReadOnlyFolderFails) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not bind root";
    }
    TempDir dir;
    const std::string path = dir.Write("locked/settings.ini", "old");
    ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
    EXPECT_FALSE(ReplaceFileContents(path, "new"));
    EXPECT_EQ(dir.Read("locked/settings.ini"), "old");
}

TEST(ReplaceFileContents, FailedWriteLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const std::string original = "[Settings]\nKeep=1\n";
    const std::string path = dir.Write("settings.ini", original);

    // The child may write at most 4 KiB per file; with SIGXFSZ ignored the write fails with EFBIG.
    const int code = RunInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        return ReplaceFileContents(path, std::string(1 << 20, 'x')) ? 1 : 0;
    });
    EXPECT_EQ(code, 0) << "1: reported success, 2: no limit, negative: killed by signal";
    EXPECT_EQ(dir.Read("settings.ini"), original);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(ReplaceFileContents, RelativePathIsInTheCurrentFolder) {
    TempDir dir;
    const int code = RunInChild([&] {
        if (::chdir(dir.Path().c_str()) != 0) {
            return 2;
        }
        return ReplaceFileContents("plain.ini", "relative") ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.Read("plain.ini"), "relative");
}

// A writer killed at any moment leaves the complete old or the complete new content.
TEST(ReplaceFileContents, KilledWriterLeavesOneWholeVersion) {
    TempDir dir;
    const std::string original = "original\n";
    const std::string path = dir.Write("settings.ini", original);
    const std::string first(2 << 20, 'a');
    const std::string second(3 << 20, 'b');

    for (int round = 0; round < 8; ++round) {
        Child writer([&] {
            for (;;) {
                if (!ReplaceFileContents(path, first) || !ReplaceFileContents(path, second)) {
                    return 3;
                }
            }
        });
        ASSERT_TRUE(writer.Started());

        // Kill after a varying number of completed replacements, so the kill falls at different
        // points of the next one.
        const int wanted = round % 4;
        std::optional<FileStamp> last = GetFileStamp(path);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (int seen = 0; seen < wanted;) {
            const std::optional<FileStamp> now = GetFileStamp(path);
            if (now != last) {
                ++seen;
                last = now;
            }
            ASSERT_TRUE(writer.Running()) << "writer ended with " << writer.EndedWith();
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the file never changed";
        }
        EXPECT_EQ(writer.Kill(), -SIGKILL);

        const std::string content = dir.Read("settings.ini");
        EXPECT_TRUE(content == original || content == first || content == second)
            << "round " << round << ": " << content.size() << " bytes of mixed content";
    }

    // Temporaries of killed writers do not get in the way of the next replacement.
    ASSERT_TRUE(ReplaceFileContents(path, "after"));
    EXPECT_EQ(dir.Read("settings.ini"), "after");
}

}  // namespace
}  // namespace quellix::platform
