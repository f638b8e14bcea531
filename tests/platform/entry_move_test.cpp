#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "immutable_flag.h"
#include "open_watch.h"
#include "platform/directory.h"
#include "support/scratch_mount.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::ImmutableFlag;
using test::OpenWatch;
using test::ScratchMount;
using test::TempDir;

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct stat LinkStat(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::string LinkTarget(const std::string& path) {
    char buffer[4096] = {};
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    return length < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(length));
}

// Not compressible, not all alike: a copy that drops, repeats or shifts a block shows.
std::string Data(std::size_t size) {
    std::string data(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : data) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return data;
}

void SetTimes(const std::string& path, timespec accessed, timespec modified) {
    const timespec times[2] = {accessed, modified};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

Directory OpenOrFail(const std::string& path) {
    std::optional<Directory> folder = Directory::Open(path);
    EXPECT_TRUE(folder.has_value()) << path;
    return folder ? std::move(*folder) : Directory();
}

TEST(MoveEntry, WithinAFileSystemRenamesTheSameFile) {
    TempDir dir;
    dir.Write("from/file", "content");
    dir.Write("from/folder/inside", "deep");
    ASSERT_EQ(::symlink("nowhere", dir.File("from/dangling").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("to").c_str(), 0755), 0);
    const ino_t inode = LinkStat(dir.File("from/file")).st_ino;
    const Directory from = OpenOrFail(dir.File("from"));
    const Directory to = OpenOrFail(dir.File("to"));

    EXPECT_EQ(MoveEntry(from, "file", to, "renamed"), 0);
    EXPECT_EQ(LinkStat(dir.File("to/renamed")).st_ino, inode);
    EXPECT_EQ(dir.Read("to/renamed"), "content");
    EXPECT_EQ(MoveEntry(from, "dangling", to, "dangling"), 0);
    EXPECT_EQ(LinkTarget(dir.File("to/dangling")), "nowhere");
    EXPECT_EQ(MoveEntry(from, "folder", to, "folder"), 0);
    EXPECT_EQ(dir.Read("to/folder/inside"), "deep");
    EXPECT_TRUE(Entries(dir.File("from")).empty());
    EXPECT_EQ(MoveEntry(from, "missing", to, "x"), ENOENT);
}

TEST(MoveEntry, NeverReplacesAnythingAndRefusesPaths) {
    TempDir dir;
    dir.Write("from/file", "source");
    dir.Write("to/file", "target");
    ASSERT_EQ(::mkdir(dir.File("to/folder").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("nowhere", dir.File("to/dangling").c_str()), 0);
    dir.Write("outside", "keep");
    const Directory from = OpenOrFail(dir.File("from"));
    const Directory to = OpenOrFail(dir.File("to"));

    for (const char* taken : {"file", "folder", "dangling"}) {
        EXPECT_EQ(MoveEntry(from, "file", to, taken), EEXIST) << taken;
    }
    EXPECT_EQ(MoveEntry(from, "file", to, "../outside"), EINVAL);
    EXPECT_EQ(MoveEntry(from, "../outside", to, "stolen"), EINVAL);
    EXPECT_EQ(MoveEntry(from, "..", to, "stolen"), EINVAL);
    EXPECT_EQ(dir.Read("from/file"), "source");
    EXPECT_EQ(dir.Read("to/file"), "target");
    EXPECT_EQ(dir.Read("outside"), "keep");
    EXPECT_EQ(LinkTarget(dir.File("to/dangling")), "nowhere");
    EXPECT_EQ(Entries(dir.File("to")), (std::vector<std::string>{"dangling", "file", "folder"}));
}

// Moves from the test's folder to another file system: a tmpfs mounted for the test, or else
// /dev/shm when it is a file system of its own.
class CrossDeviceMove : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir(dir_.File("from").c_str(), 0755), 0);
        mount_ = std::make_unique<ScratchMount>(dir_.File("other"));
        if (mount_->Mounted()) {
            other_ = mount_->Path();
        } else {
            std::string shm = "/dev/shm/quellix-test-XXXXXX";
            if (::mkdtemp(shm.data()) != nullptr) {
                shmFolder_ = shm;
                if (LinkStat(shm).st_dev != LinkStat(dir_.Path()).st_dev) {
                    other_ = shm;
                }
            }
        }
        if (other_.empty()) {
            GTEST_SKIP() << "no second file system: mounting a tmpfs needs root, and /dev/shm "
                            "is missing or on the test folder's file system";
        }
        ASSERT_NE(LinkStat(other_).st_dev, LinkStat(dir_.Path()).st_dev);
        from_ = OpenOrFail(dir_.File("from"));
        to_ = OpenOrFail(other_);
    }
    void TearDown() override {
        if (!shmFolder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(shmFolder_, ignored);
        }
    }

    std::string Target(const std::string& name) const { return other_ + "/" + name; }
    std::string ReadTarget(const std::string& name) const {
        const int fd = ::open(Target(name).c_str(), O_RDONLY | O_CLOEXEC);
        std::string data;
        char buffer[65536];
        for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
            data.append(buffer, static_cast<std::size_t>(got));
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return data;
    }

    TempDir dir_;
    std::unique_ptr<ScratchMount> mount_;
    std::string shmFolder_;
    std::string other_;
    Directory from_;
    Directory to_;
};

TEST_F(CrossDeviceMove, FileArrivesWithContentModeTimesAndOwner) {
    const std::string data = Data(3 * 1024 * 1024 + 17);
    const std::string source = dir_.Write("from/big", data);
    ASSERT_EQ(::chmod(source.c_str(), 02640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(source.c_str(), 1234, 5678), 0);
        ASSERT_EQ(::chmod(source.c_str(), 02640), 0);
    }
    SetTimes(source, {1600000000, 123456789}, {1500000000, 987654321});
    dir_.Write("from/empty", "");

    ASSERT_EQ(MoveEntry(from_, "big", to_, "moved"), 0);
    EXPECT_FALSE(dir_.Exists("from/big"));
    // Before reading it, which would change its access time.
    const struct stat moved = LinkStat(Target("moved"));
    EXPECT_TRUE(ReadTarget("moved") == data) << "content differs";
    EXPECT_EQ(moved.st_mode & 07777, 02640u);
    EXPECT_EQ(moved.st_mtim.tv_sec, 1500000000);
    EXPECT_EQ(moved.st_mtim.tv_nsec, 987654321);
    EXPECT_EQ(moved.st_atim.tv_sec, 1600000000);
    EXPECT_EQ(moved.st_atim.tv_nsec, 123456789);
    if (root) {
        EXPECT_EQ(moved.st_uid, 1234u);
        EXPECT_EQ(moved.st_gid, 5678u);
    }

    ASSERT_EQ(MoveEntry(from_, "empty", to_, "empty"), 0);
    EXPECT_EQ(LinkStat(Target("empty")).st_size, 0);
    EXPECT_EQ(Entries(other_), (std::vector<std::string>{"empty", "moved"}));
    EXPECT_TRUE(Entries(dir_.File("from")).empty());
}

TEST_F(CrossDeviceMove, SymbolicLinkArrivesAsTheSameLink) {
    const std::string target = "../some where/\xff odd";
    ASSERT_EQ(::symlink(target.c_str(), dir_.File("from/link").c_str()), 0);
    SetTimes(dir_.File("from/link"), {1400000000, 0}, {1300000000, 5});

    ASSERT_EQ(MoveEntry(from_, "link", to_, "link"), 0);
    EXPECT_FALSE(dir_.Exists("from/link"));
    const struct stat moved = LinkStat(Target("link"));
    EXPECT_TRUE(S_ISLNK(moved.st_mode));
    EXPECT_EQ(LinkTarget(Target("link")), target);
    EXPECT_EQ(moved.st_mtim.tv_sec, 1300000000);
    EXPECT_EQ(Entries(other_), std::vector<std::string>{"link"});
}

TEST_F(CrossDeviceMove, NeverReplacesAndLeavesNoTemporary) {
    dir_.Write("from/file", "source");
    ASSERT_EQ(::symlink("x", dir_.File("from/link").c_str()), 0);
    { std::ofstream(Target("file")) << "target"; }
    ASSERT_EQ(::symlink("nowhere", Target("dangling").c_str()), 0);

    EXPECT_EQ(MoveEntry(from_, "file", to_, "file"), EEXIST);
    EXPECT_EQ(MoveEntry(from_, "file", to_, "dangling"), EEXIST);
    EXPECT_EQ(MoveEntry(from_, "link", to_, "file"), EEXIST);
    EXPECT_EQ(dir_.Read("from/file"), "source");
    EXPECT_EQ(LinkTarget(dir_.File("from/link")), "x");
    EXPECT_EQ(ReadTarget("file"), "target");
    EXPECT_EQ(Entries(other_), (std::vector<std::string>{"dangling", "file"}));
}

TEST_F(CrossDeviceMove, FoldersAndSpecialFilesAreRefusedUnopened) {
    ASSERT_EQ(::mkfifo(dir_.File("from/fifo").c_str(), 0600), 0);
    dir_.Write("from/folder/inside", "x");
    OpenWatch watch(dir_.File("from/fifo"));
    ASSERT_TRUE(watch.Valid());

    EXPECT_EQ(MoveEntry(from_, "fifo", to_, "fifo"), EXDEV);
    EXPECT_EQ(MoveEntry(from_, "folder", to_, "folder"), EXDEV);
    EXPECT_FALSE(watch.SawOpen());
    EXPECT_TRUE(dir_.Exists("from/fifo"));
    EXPECT_EQ(dir_.Read("from/folder/inside"), "x");
    EXPECT_TRUE(Entries(other_).empty());
}

TEST_F(CrossDeviceMove, SourceThatCannotBeRemovedKeepsItsPlaceAndTheCopyGoes) {
    const std::string source = dir_.Write("from/file", "content");
    ImmutableFlag immutable(source);
    if (!immutable.Set()) {
        GTEST_SKIP() << "cannot make a file immutable here (needs root and ext4, xfs, btrfs...)";
    }
    EXPECT_EQ(MoveEntry(from_, "file", to_, "file"), EPERM);
    EXPECT_EQ(dir_.Read("from/file"), "content");
    EXPECT_TRUE(Entries(other_).empty());
}

TEST(CrossDeviceMoveFailure, FullTargetLeavesSourceAndNoTemporary) {
    TempDir dir;
    const std::string data = Data(1024 * 1024);
    dir.Write("from/file", data);
    ScratchMount small(dir.File("small"), "64k");
    if (!small.Mounted()) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const Directory from = OpenOrFail(dir.File("from"));
    const Directory to = OpenOrFail(small.Path());

    EXPECT_EQ(MoveEntry(from, "file", to, "file"), ENOSPC);
    EXPECT_TRUE(dir.Read("from/file") == data);
    EXPECT_TRUE(Entries(small.Path()).empty());
}

}  // namespace
}  // namespace quellix::platform
