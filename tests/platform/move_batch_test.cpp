#include "platform/move_batch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/cross_device_move.h"
#include "platform/posix/move_temporary.h"
#include "support/child_process.h"
#include "support/scratch_mount.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::NamesIn;
using test::ScratchMount;
using test::TempDir;

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

std::string FileName(int i) {
    return "file" + std::to_string(i);
}

// A batch moving from the test's folder (the system's temporary folder) to a tmpfs of its own.
class MoveBatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mount_ = std::make_unique<ScratchMount>(dir_.File("other"));
        if (!mount_->Mounted()) {
            GTEST_SKIP() << "mounting a tmpfs, the second file system, needs root";
        }
        from_ = Open(dir_.File("from"));
        to_ = Open(mount_->Path());
    }

    static Directory Open(const std::string& path) {
        std::filesystem::create_directories(path);
        std::optional<Directory> folder = Directory::Open(path);
        EXPECT_TRUE(folder.has_value()) << path;
        return folder ? std::move(*folder) : Directory();
    }
    std::string Target(const std::string& name) const { return mount_->Path() + "/" + name; }
    std::vector<std::string> Arrived() const { return NamesIn(mount_->Path()); }
    // Moves under the same name, recording outcomes in results.
    void Move(MoveBatch& batch, const std::string& name, std::vector<int>* results) {
        batch.Move(from_, name, to_, name, [results](int error) { results->push_back(error); });
    }

    TempDir dir_;
    std::unique_ptr<ScratchMount> mount_;
    Directory from_;
    Directory to_;
};

TEST_F(MoveBatchTest, AWholeBatchCostsTwoFlushesOfTheDestination) {
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
        names.push_back(FileName(i));
        dir_.Write("from/" + names.back(), "content " + names.back());
    }
    ASSERT_EQ(::symlink("../elsewhere", dir_.File("from/link").c_str()), 0);
    names.push_back("link");
    MoveBatch batch;
    std::vector<int> results;
    for (const std::string& name : names) {
        Move(batch, name, &results);
    }
    // Copies wait, hidden, until the commit; the sources are all still there.
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(NamesIn(dir_.File("from")).size(), names.size());
    batch.Commit();

    EXPECT_EQ(results, std::vector<int>(names.size(), 0));
    EXPECT_EQ(batch.DestinationSyncs(), 2u);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Arrived(), names);
    EXPECT_TRUE(NamesIn(dir_.File("from")).empty());
    EXPECT_EQ(std::filesystem::read_symlink(Target("link")), "../elsewhere");
    std::ifstream copy(Target("file7"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "content file7");
}

TEST_F(MoveBatchTest, AFullBatchCommitsByItselfAndHoldsFewDescriptors) {
    constexpr int kFiles = 12;
    const std::string content(100, 'x');
    struct Case {
        std::size_t descriptors;
        std::uint64_t bytes;
        rlim_t descriptorLimit;  // 0: as it is
        std::size_t held;        // at most
        int filesPerCommit;
    };
    const Case cases[] = {
        {5, 1 << 20, 0, 5, 3},  // two folders and three copies
        {64, 4 * content.size(), 0, 64, 4},
        {64, 1, 0, 64, 1},        // any file fills the batch
        {0, 1 << 20, 40, 10, 8},  // a quarter of the process's limit
    };
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filesPerCommit);
        for (int i = 0; i < kFiles; ++i) {
            dir_.Write("from/" + FileName(i), content);
        }
        const std::size_t before = OpenDescriptors();
        std::size_t most = before;
        std::vector<int> results;
        struct rlimit lowered = limit;
        lowered.rlim_cur = c.descriptorLimit != 0 ? c.descriptorLimit : limit.rlim_cur;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
        MoveBatch batch({c.descriptors, c.bytes, true});
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
        for (int i = 0; i < kFiles; ++i) {
            Move(batch, FileName(i), &results);
            most = std::max(most, OpenDescriptors());
            EXPECT_EQ(results.size(),
                      static_cast<std::size_t>((i + 1) / c.filesPerCommit * c.filesPerCommit));
        }
        batch.Commit();
        EXPECT_LE(most - before, c.held);
        EXPECT_EQ(results, std::vector<int>(kFiles, 0));
        EXPECT_EQ(batch.DestinationSyncs(),
                  2u * ((kFiles + c.filesPerCommit - 1) / c.filesPerCommit));
        EXPECT_EQ(Arrived().size(), static_cast<std::size_t>(kFiles));
        for (const std::string& name : Arrived()) {
            std::filesystem::remove(Target(name));
        }
    }
}

// What happens to the middle one of three moves between its copy and the commit.
TEST_F(MoveBatchTest, AMoveThatCannotFinishFailsAloneAndKeepsItsSource) {
    struct Case {
        const char* what;
        std::function<void(const TempDir&, const std::string& target)> meanwhile;
        int error;
        std::vector<std::string> arrived;
        std::string sourceAfter;  // "" when the source is gone
    };
    const Case cases[] = {
        {"name taken at the destination",
         [](const TempDir&, const std::string& target) { std::ofstream(target) << "intruder"; },
         EEXIST,
         {"a", "c", "victim"},
         "source"},
        {"source written to",
         [](const TempDir& dir, const std::string&) {
             std::ofstream(dir.File("from/victim"), std::ios::app) << "+";
         },
         EBUSY,
         {"a", "c"},
         "source+"},
        {"source replaced",
         [](const TempDir& dir, const std::string&) {
             dir.Write("from/other", "swapped");
             std::filesystem::rename(dir.File("from/other"), dir.File("from/victim"));
         },
         EBUSY,
         {"a", "c"},
         "swapped"},
        {"source removed",
         [](const TempDir& dir, const std::string&) {
             std::filesystem::remove(dir.File("from/victim"));
         },
         EBUSY,
         {"a", "c"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : {"a", "victim", "c"}) {
            dir_.Write(std::string("from/") + name, "source");
        }
        std::vector<int> results;
        MoveBatch batch;
        for (const char* name : {"a", "victim", "c"}) {
            Move(batch, name, &results);
        }
        c.meanwhile(dir_, Target("victim"));
        batch.Commit();

        EXPECT_EQ(results, (std::vector<int>{0, c.error, 0}));
        EXPECT_EQ(Arrived(), c.arrived);
        EXPECT_EQ(NamesIn(dir_.File("from")), c.sourceAfter.empty()
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{"victim"});
        EXPECT_EQ(dir_.Read("from/victim"), c.sourceAfter);
        if (c.error == EEXIST) {
            std::ifstream intruder(Target("victim"));
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(intruder), {}), "intruder");
        }
        for (const std::string& name : Arrived()) {
            std::filesystem::remove(Target(name));
        }
        std::filesystem::remove(dir_.File("from/victim"));
    }
}

TEST_F(MoveBatchTest, OutcomesComeInOrderAndMayUseTheFolders) {
    dir_.Write("from/a", "a");
    dir_.Write("from/b", "b");
    dir_.Write("from/here", "h");
    MoveBatch batch;
    std::vector<std::string> outcomes;
    const auto note = [&](const std::string& what) {
        return [&outcomes, what](int error) {
            outcomes.push_back(what + " " + std::to_string(error));
        };
    };
    {
        // Handles closed by the caller as soon as Move returns.
        Directory from = Open(dir_.File("from"));
        Directory to = Open(mount_->Path());
        Directory near = Open(dir_.File("near"));
        batch.Move(from, "here", near, "here", note("rename"));
        EXPECT_EQ(outcomes, std::vector<std::string>{"rename 0"});  // nothing waited: at once
        batch.Move(from, "a", to, "a", [&](int error) {
            outcomes.push_back("a " + std::to_string(error));
            // As a shortcut is left in a moved file's place.
            EXPECT_EQ(from_.MakeSymlink("a.lnk", Target("a")), 0);
        });
        batch.Move(from, "missing", to, "missing", note("missing"));
        batch.Move(from, "b", to, "b", note("b"));
    }
    EXPECT_EQ(outcomes.size(), 1u);
    batch.Commit();

    EXPECT_EQ(outcomes, (std::vector<std::string>{"rename 0", "a 0",
                                                  "missing " + std::to_string(ENOENT), "b 0"}));
    EXPECT_EQ(NamesIn(dir_.File("from")), std::vector<std::string>{"a.lnk"});
    EXPECT_EQ(Arrived(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(dir_.Read("near/here"), "h");
}

TEST_F(MoveBatchTest, AKilledMoverLeavesNothingTheNextBatchDoesNotClear) {
    for (const char* name : {"one", "two", "three"}) {
        dir_.Write(std::string("from/") + name, name);
    }
    ASSERT_EQ(::symlink("target", dir_.File("from/link").c_str()), 0);
    const int code = test::RunInChild([&]() -> int {
        MoveBatch batch;
        for (const char* name : {"one", "two", "three", "link"}) {
            batch.Move(from_, name, to_, name, [](int) { ::_exit(3); });
        }
        ::_exit(0);  // killed before its commit
    });
    ASSERT_EQ(code, 0);
    EXPECT_EQ(NamesIn(dir_.File("from")),
              (std::vector<std::string>{"link", "one", "three", "two"}));
    // Unnamed copies went with the process; only the link's copy had to wait under a name.
    EXPECT_EQ(Arrived().size(), 1u);
    // Also left by a mover of an earlier version, killed; and entries named alike that are not
    // copies.
    std::ofstream(Target(".quellix-move-1f-2-3ab")) << "partial";
    ASSERT_EQ(::mkdir(Target(".quellix-move-folder").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(Target(".quellix-move-fifo").c_str(), 0600), 0);

    std::vector<int> results;
    {
        MoveBatch next;
        Move(next, "one", &results);
    }
    EXPECT_EQ(results, std::vector<int>{0});
    EXPECT_EQ(Arrived(),
              (std::vector<std::string>{".quellix-move-fifo", ".quellix-move-folder", "one"}));
}

TEST_F(MoveBatchTest, ALiveMoverKeepsItsWaitingCopy) {
    dir_.Write("from/file", "file");
    ASSERT_EQ(::symlink("target", dir_.File("from/link").c_str()), 0);
    int toChild[2];
    int toParent[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(toParent), 0);
    test::Child mover([&]() -> int {
        MoveBatch batch;
        batch.Move(from_, "link", to_, "link", [](int) {});
        char byte = 0;
        const bool told = ::write(toParent[1], "x", 1) == 1 && ::read(toChild[0], &byte, 1) == 1;
        ::_exit(told ? 0 : 1);  // ends with its copy still waiting
    });
    char byte = 0;
    ASSERT_EQ(::read(toParent[0], &byte, 1), 1);
    const std::vector<std::string> waiting = Arrived();
    ASSERT_EQ(waiting.size(), 1u);

    std::vector<int> results;
    {
        MoveBatch batch;
        Move(batch, "file", &results);
    }
    EXPECT_EQ(Arrived(), (std::vector<std::string>{waiting[0], "file"}));

    ASSERT_EQ(::write(toChild[1], "x", 1), 1);
    EXPECT_EQ(mover.Wait(), 0);
    {
        MoveBatch batch;
        dir_.Write("from/again", "again");
        Move(batch, "again", &results);
    }
    EXPECT_EQ(results, (std::vector<int>{0, 0}));
    EXPECT_EQ(Arrived(), (std::vector<std::string>{"again", "file"}));
    for (const int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) {
        ::close(fd);
    }
}

// Where the file system cannot hold an unnamed file, a copy waits under a hidden name that the
// clean-up leaves alone while its folder is held.
TEST_F(MoveBatchTest, WithoutUnnamedFilesACopyWaitsUnderAHeldName) {
    dir_.Write("from/file", "content");
    struct stat listed {};
    ASSERT_EQ(::lstat(dir_.File("from/file").c_str(), &listed), 0);
    const Directory held = Open(mount_->Path());
    posix::CopyFolder folder;
    folder.fd = ::openat(held.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    folder.unnamedFiles = false;
    posix::WaitingCopy copy;

    ASSERT_EQ(posix::MakeCopy(from_.Descriptor(), "file", listed, folder, &copy), 0);
    ASSERT_EQ(Arrived(), std::vector<std::string>{copy.temporary});
    posix::RemoveStaleMoveTemporaries(to_.Descriptor());
    EXPECT_EQ(Arrived(), std::vector<std::string>{copy.temporary});
    ASSERT_EQ(posix::PlaceCopy(copy, folder, "file"), 0);
    EXPECT_EQ(Arrived(), std::vector<std::string>{"file"});
    std::ifstream placed(Target("file"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(placed), {}), "content");
    ::close(folder.fd);
}

}  // namespace
}  // namespace quellix::platform
