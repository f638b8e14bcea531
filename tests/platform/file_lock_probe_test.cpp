#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "open_watch.h"
#include "platform/directory.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::Child;
using test::OpenWatch;
using test::RunInChild;
using test::TempDir;

// A child that does something to a file (opens it, locks it) and keeps it so until released.
// Synchronised through pipes, never through waiting for time to pass.
class Holder {
  public:
    // hold returns 0 when it holds, else the exit code to end with at once; after gives the exit
    // code once the child is released.
    explicit Holder(const std::function<int()>& hold, const std::function<int()>& after = nullptr) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            return;
        }
        child_ = std::make_unique<Child>([&] {
            ::close(ready[0]);
            ::close(release[1]);
            const int failed = hold();
            if (failed != 0) {
                return failed;
            }
            const char byte = 'r';
            if (::write(ready[1], &byte, 1) != 1) {
                return 90;
            }
            char ignored;
            while (::read(release[0], &ignored, 1) < 0 && errno == EINTR) {
            }
            return after ? after() : 0;
        });
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char byte = 0;
        ssize_t got;
        do {
            got = ::read(ready[0], &byte, 1);
        } while (got < 0 && errno == EINTR);
        holding_ = got == 1;
        ::close(ready[0]);
    }
    ~Holder() {
        if (release_ >= 0) {
            ::close(release_);
        }
    }

    bool Holding() const { return holding_; }

    // Lets the child go and returns its exit code.
    int Release() {
        ::close(release_);
        release_ = -1;
        return child_->Wait();
    }

  private:
    std::unique_ptr<Child> child_;
    int release_ = -1;
    bool holding_ = false;
};

class IsLockedTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = dir_.Write("file", "content");
        folder_ = Directory::Open(dir_.Path());
        ASSERT_TRUE(folder_.has_value());
    }
    // Leases are what sees a plain open; some kernels or file systems refuse them.
    bool LeasesWork() const {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        const bool granted = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
        if (granted) {
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return granted;
    }

    int OpenFile(int flags) const { return ::open(path_.c_str(), flags | O_CLOEXEC); }

    TempDir dir_;
    std::string path_;
    std::optional<Directory> folder_;
};

TEST_F(IsLockedTest, FreeFileIsNotLockedAndStaysUntouched) {
    EXPECT_FALSE(folder_->IsLocked("file"));
    EXPECT_FALSE(folder_->IsLocked("file"));
    EXPECT_EQ(dir_.Read("file"), "content");
    EXPECT_FALSE(folder_->IsLocked("missing"));
}

TEST_F(IsLockedTest, OpenInThisProcessOrAnotherCounts) {
    if (!LeasesWork()) {
        GTEST_SKIP() << "file leases are not available here";
    }
    for (const int flags : {O_RDONLY, O_WRONLY, O_RDWR}) {
        const int fd = OpenFile(flags);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(folder_->IsLocked("file")) << "flags " << flags;
        ::close(fd);
        EXPECT_FALSE(folder_->IsLocked("file")) << "flags " << flags;
    }

    Holder holder([&] { return OpenFile(O_RDONLY) >= 0 ? 0 : 1; });
    ASSERT_TRUE(holder.Holding());
    EXPECT_TRUE(folder_->IsLocked("file"));
    EXPECT_EQ(holder.Release(), 0);
    EXPECT_FALSE(folder_->IsLocked("file"));
}

TEST_F(IsLockedTest, LocksOfAnotherProcessCount) {
    const std::function<int()> holds[] = {
        [&] { return ::flock(OpenFile(O_RDONLY), LOCK_SH) == 0 ? 0 : 1; },
        [&] { return ::flock(OpenFile(O_RDONLY), LOCK_EX) == 0 ? 0 : 1; },
        [&] {
            struct flock lock {};
            lock.l_type = F_RDLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = 2;
            lock.l_len = 1;
            return ::fcntl(OpenFile(O_RDONLY), F_SETLK, &lock) == 0 ? 0 : 1;
        },
        [&] {
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            return ::fcntl(OpenFile(O_RDWR), F_OFD_SETLK, &lock) == 0 ? 0 : 1;
        },
    };
    for (const auto& hold : holds) {
        Holder holder(hold);
        ASSERT_TRUE(holder.Holding());
        EXPECT_TRUE(folder_->IsLocked("file"));
        EXPECT_EQ(holder.Release(), 0);
        EXPECT_FALSE(folder_->IsLocked("file"));
    }
}

// A user who does not own the file may not take a lease: then locks are all that can be seen, and
// the refusal itself must not be mistaken for use.
TEST_F(IsLockedTest, WithoutLeasePermissionLocksAreStillSeen) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to probe as another user";
    }
    dir_.Write("shared/file", "content");
    ASSERT_EQ(::chmod(dir_.File("shared").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir_.File("shared/file").c_str(), 0644), 0);
    const std::optional<Directory> shared = Directory::Open(dir_.File("shared"));
    ASSERT_TRUE(shared.has_value());
    const std::string file = dir_.File("shared/file");

    // 0 or 1: what IsLocked said, as user nobody. 2: the lease was not refused after all.
    const auto probeAsNobody = [&] {
        return RunInChild([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                return 3;
            }
            const int fd = ::openat(shared->Descriptor(), "file", O_RDONLY);
            if (fd < 0 || ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0 || errno != EACCES) {
                return 2;
            }
            ::close(fd);
            return shared->IsLocked("file") ? 1 : 0;
        });
    };

    EXPECT_EQ(probeAsNobody(), 0);
    const int plain = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(plain, 0);
    EXPECT_EQ(probeAsNobody(), 0) << "an open without lock is invisible without a lease";

    ASSERT_EQ(::flock(plain, LOCK_SH), 0);
    EXPECT_EQ(probeAsNobody(), 1);
    ASSERT_EQ(::flock(plain, LOCK_UN), 0);

    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(plain, F_SETLK, &lock), 0);
    EXPECT_EQ(probeAsNobody(), 1);
    lock.l_type = F_UNLCK;
    ASSERT_EQ(::fcntl(plain, F_SETLK, &lock), 0);

    lock.l_type = F_RDLCK;
    ASSERT_EQ(::fcntl(plain, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(probeAsNobody(), 1);
    ::close(plain);
    EXPECT_EQ(probeAsNobody(), 0);
}

// Another program's read lease (Samba's oplocks work so) survives the probe untouched.
TEST_F(IsLockedTest, ProbeBreaksNobodysLease) {
    if (!LeasesWork()) {
        GTEST_SKIP() << "file leases are not available here";
    }
    int leased = -1;
    Holder holder(
        [&] {
            leased = OpenFile(O_RDONLY);
            return ::fcntl(leased, F_SETLEASE, F_RDLCK) == 0 ? 0 : 1;
        },
        [&] { return ::fcntl(leased, F_GETLEASE) == F_RDLCK ? 0 : 4; });
    ASSERT_TRUE(holder.Holding());
    EXPECT_TRUE(folder_->IsLocked("file"));
    // SIGIO would have ended the child; a broken lease would read F_UNLCK.
    EXPECT_EQ(holder.Release(), 0);
}

// A write lease holder gets asked to give the lease up, but the probe does not wait for it.
TEST_F(IsLockedTest, WriteLeaseCountsWithoutWaiting) {
    if (!LeasesWork()) {
        GTEST_SKIP() << "file leases are not available here";
    }
    Holder holder([&] {
        ::signal(SIGIO, SIG_IGN);
        const int fd = OpenFile(O_RDONLY);
        return ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0 ? 0 : 1;
    });
    ASSERT_TRUE(holder.Holding());
    const int said = RunInChild([&] {
        ::alarm(10);  // a probe waiting for the holder would take the kernel's 45 s
        return folder_->IsLocked("file") ? 1 : 0;
    });
    EXPECT_EQ(said, 1);
    EXPECT_EQ(holder.Release(), 0);
}

// Opening a FIFO without a writer would block, opening a device may act on hardware: they are
// looked at, never opened.
TEST_F(IsLockedTest, SpecialFilesAndLinksAreNeverOpened) {
    ASSERT_EQ(::mkfifo(dir_.File("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("file", dir_.File("link").c_str()), 0);
    ASSERT_EQ(::mkdir(dir_.File("folder").c_str(), 0755), 0);
    std::vector<std::string> names = {"fifo", "link", "folder"};
    if (::mknod(dir_.File("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
        names.push_back("null");
    }
    const int holdOpen = OpenFile(O_RDONLY);  // makes the link's target count as in use
    ASSERT_GE(holdOpen, 0);

    for (const std::string& name : names) {
        OpenWatch watch(dir_.File(name));
        OpenWatch target(path_);
        ASSERT_TRUE(watch.Valid() && target.Valid());
        const int said = RunInChild([&] {
            ::alarm(10);
            return folder_->IsLocked(name) ? 1 : 0;
        });
        EXPECT_EQ(said, 0) << name;
        EXPECT_FALSE(watch.SawOpen()) << name;
        EXPECT_FALSE(target.SawOpen()) << name;
    }
    ::close(holdOpen);
}

// A walk passes the type it read; an entry swapped for a FIFO after that look must still not
// hang the probe, and one the walk saw as anything but a file is not opened at all.
TEST_F(IsLockedTest, TypeSeenByTheWalkIsTrustedOnlyToSkip) {
    ASSERT_EQ(::mkfifo(dir_.File("fifo").c_str(), 0600), 0);
    const int said = RunInChild([&] {
        ::alarm(10);
        return folder_->IsLocked("fifo", EntryType::File) ? 1 : 0;
    });
    EXPECT_EQ(said, 0);

    const bool leasesWork = LeasesWork();
    const int holdOpen = OpenFile(O_RDONLY);
    ASSERT_GE(holdOpen, 0);
    OpenWatch watch(path_);
    ASSERT_TRUE(watch.Valid());
    EXPECT_FALSE(folder_->IsLocked("file", EntryType::Symlink));
    EXPECT_FALSE(watch.SawOpen());
    if (leasesWork) {
        EXPECT_TRUE(folder_->IsLocked("file", EntryType::File));
    }
    ::close(holdOpen);
}

}  // namespace
}  // namespace quellix::platform
