#include "platform/instance_lock.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/companion_files.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::RunInChild;
using test::TempDir;

constexpr uid_t kOtherUser = 65534;

bool BecomeOtherUser() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(kOtherUser) == 0 && ::setuid(kOtherUser) == 0;
}

// 'f' for the lock file, 's' for the stand-in, 'n' when refused.
char KindOf(const std::unique_ptr<InstanceLock>& lock) {
    return !lock ? 'n' : lock->ExcludesEveryWriter() ? 'f' : 's';
}

// A child process that takes something, tells what it got and keeps it until it is killed.
class Holder {
  public:
    explicit Holder(const std::function<std::unique_ptr<InstanceLock>()>& take) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        child_ = std::make_unique<Child>([&] {
            ::close(ready[0]);
            const std::unique_ptr<InstanceLock> lock = take();
            const char kind = KindOf(lock);
            if (::write(ready[1], &kind, 1) != 1) {
                return 2;
            }
            for (;;) {
                ::pause();
            }
        });
        ::close(ready[1]);
        if (::read(ready[0], &kind_, 1) != 1) {
            kind_ = '?';
        }
        ::close(ready[0]);
    }
    char Kind() const { return kind_; }
    int Kill() { return child_->Kill(); }

  private:
    std::unique_ptr<Child> child_;
    char kind_ = '?';
};

int AcquireInChild(const std::string& path, bool asOtherUser = false) {
    return RunInChild([&] {
        if (asOtherUser && !BecomeOtherUser()) {
            return 2;
        }
        return TryAcquireInstanceLock(path) ? 0 : 1;
    });
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(InstanceLock, OneHolderPerFileUntilReleasedOrKilled) {
    TempDir dir;
    const std::string path = dir.File("Quellix.ini");
    std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(path);
    ASSERT_EQ(KindOf(lock), 'f');
    EXPECT_EQ(TryAcquireInstanceLock(path), nullptr);
    EXPECT_EQ(AcquireInChild(path), 1);
    const struct stat file = StatOf(dir.File(".Quellix.ini.lock"));
    EXPECT_TRUE(S_ISREG(file.st_mode));
    EXPECT_EQ(file.st_mode & 07777, 0600u);

    lock.reset();
    EXPECT_EQ(AcquireInChild(path), 0);
    Holder holder([&] { return TryAcquireInstanceLock(path); });
    ASSERT_EQ(holder.Kind(), 'f');
    EXPECT_EQ(TryAcquireInstanceLock(path), nullptr);
    EXPECT_EQ(holder.Kill(), -SIGKILL);
    EXPECT_NE(TryAcquireInstanceLock(path), nullptr);
    EXPECT_EQ(test::NamesIn(dir.Path()), std::vector<std::string>{".Quellix.ini.lock"});
}

TEST(InstanceLock, EverySpellingOfTheFileIsOneLock) {
    TempDir dir;
    dir.Write("real/Quellix.ini", "[Purge]\n");
    fs::create_symlink("real/Quellix.ini", dir.File("link.ini"));
    fs::create_symlink("link.ini", dir.File("chain.ini"));
    fs::create_symlink("real", dir.File("folder-link"));
    const auto lock = TryAcquireInstanceLock(dir.File("real/Quellix.ini"));
    ASSERT_NE(lock, nullptr);
    for (const std::string& spelling :
         {dir.File("real/../real/./Quellix.ini"), dir.File("link.ini"), dir.File("chain.ini"),
          dir.File("folder-link/Quellix.ini"), dir.Path() + "//real//Quellix.ini"}) {
        EXPECT_EQ(TryAcquireInstanceLock(spelling), nullptr) << spelling;
    }
    EXPECT_EQ(test::NamesIn(dir.File("real")),
              (std::vector<std::string>{".Quellix.ini.lock", "Quellix.ini"}));
    EXPECT_EQ(test::NamesIn(dir.Path()),
              (std::vector<std::string>{"chain.ini", "folder-link", "link.ini", "real"}));
}

TEST(InstanceLock, DifferentFilesAreIndependent) {
    TempDir dir;
    TempDir other;
    const std::vector<std::string> paths = {
        dir.File("Quellix.ini"),
        dir.File("quellix.ini"),
        dir.File("sp ace\n\xff.ini"),
        // Around the length where ".<name>.lock" no longer fits in a name.
        dir.File(std::string(249, 'L')),
        dir.File(std::string(250, 'L')),
        dir.File(std::string(255, 'L')),
        other.File("Quellix.ini"),
    };
    std::vector<std::unique_ptr<InstanceLock>> locks;
    for (const std::string& path : paths) {
        locks.push_back(TryAcquireInstanceLock(path));
        EXPECT_EQ(KindOf(locks.back()), 'f') << path.size();
    }
    for (const std::string& path : paths) {
        EXPECT_EQ(TryAcquireInstanceLock(path), nullptr) << path.size();
    }
    // Besides the seven lock files, nothing.
    EXPECT_EQ(test::NamesIn(dir.Path()).size() + test::NamesIn(other.Path()).size(), 7u);
}

TEST(InstanceLock, WhatStandsAtTheLockFileNameIsNeitherFollowedNorOpenedNorObeyed) {
    struct Case {
        const char* what;
        std::function<void(const TempDir& dir, const std::string& lockFile)> plant;
    };
    const Case cases[] = {
        {"link to nothing",
         [](const TempDir& d, const std::string& l) { fs::create_symlink(d.File("victim"), l); }},
        {"link to a file",
         [](const TempDir& d, const std::string& l) {
             d.Write("victim", "keep");
             fs::create_symlink(d.File("victim"), l);
         }},
        {"folder", [](const TempDir&, const std::string& l) { fs::create_directory(l); }},
        {"FIFO", [](const TempDir&, const std::string& l) { ::mkfifo(l.c_str(), 0600); }},
        {"second link of a file",
         [](const TempDir& d, const std::string& l) {
             d.Write("victim", "keep");
             fs::create_hard_link(d.File("victim"), l);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        c.plant(dir, dir.File(".Quellix.ini.lock"));
        const auto before = test::NamesIn(dir.Path());
        // Whoever put it there cannot stop the run: the stand-in still keeps one copy.
        const auto lock = TryAcquireInstanceLock(dir.File("Quellix.ini"));
        EXPECT_EQ(KindOf(lock), 's');
        EXPECT_EQ(TryAcquireInstanceLock(dir.File("Quellix.ini")), nullptr);
        EXPECT_EQ(test::NamesIn(dir.Path()), before);
        EXPECT_EQ(dir.Read("victim"), dir.Exists("victim") ? "keep" : "");
    }
}

TEST(InstanceLock, StandInWhereNoLockFileCanBeMade) {
    TempDir dir;
    const std::string path = dir.File("missing-folder/Quellix.ini");
    std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(path);
    ASSERT_EQ(KindOf(lock), 's');
    EXPECT_EQ(TryAcquireInstanceLock(path), nullptr);
    EXPECT_EQ(AcquireInChild(path), 1);
    lock.reset();
    EXPECT_EQ(KindOf(TryAcquireInstanceLock(path)), 's');
    EXPECT_FALSE(dir.Exists("missing-folder"));
}

TEST(InstanceLock, RootHandsTheLockFileToTheOwnerOfTheConfiguration) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving files away needs root";
    }
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chown(dir.Write("mine/Quellix.ini", "").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod(dir.File("mine/Quellix.ini").c_str(), 0660), 0);
    ASSERT_EQ(::chown(dir.File("mine").c_str(), kOtherUser, kOtherUser), 0);
    const struct {
        std::string path;
        std::string lockFile;
        mode_t mode;
    } cases[] = {
        // Group write on the file lets the group take its lock too.
        {dir.File("mine/Quellix.ini"), dir.File("mine/.Quellix.ini.lock"), 0660},
        // Before the file exists, the folder's owner is the file's owner to come.
        {dir.File("mine/new.ini"), dir.File("mine/.new.ini.lock"), 0600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(c.path);
        ASSERT_EQ(KindOf(lock), 'f');
        const struct stat file = StatOf(c.lockFile);
        EXPECT_EQ(file.st_uid, kOtherUser);
        EXPECT_EQ(file.st_gid, kOtherUser);
        EXPECT_EQ(file.st_mode & 07777, c.mode);
        EXPECT_EQ(AcquireInChild(c.path, true), 1) << "the owner took a held lock";
        lock.reset();
        EXPECT_EQ(AcquireInChild(c.path, true), 0) << "the owner is shut out of the lock";
    }
}

// The lock another user takes first, in a folder where they cannot write, never stops the
// owner's copy: they only get the stand-in, and the lock file is not theirs to open.
TEST(InstanceLock, OtherUsersCannotTakeItFirst) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "switching users needs root";
    }
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const std::string path = dir.Write("Quellix.ini", "[Purge]\n");
    const std::string lockFile = dir.File(".Quellix.ini.lock");
    for (const bool lockFileExists : {false, true}) {
        SCOPED_TRACE(lockFileExists ? "lock file left by an earlier run" : "no lock file yet");
        ASSERT_EQ(dir.Exists(".Quellix.ini.lock"), lockFileExists);
        Holder other([&]() -> std::unique_ptr<InstanceLock> {
            if (!BecomeOtherUser()) {
                return nullptr;
            }
            // Any lock on the file, even a shared one, would block ours.
            const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
            struct flock shared {};
            shared.l_type = F_RDLCK;
            if (fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &shared) == 0) {
                return nullptr;
            }
            return TryAcquireInstanceLock(path);
        });
        ASSERT_EQ(other.Kind(), 's');
        EXPECT_EQ(KindOf(TryAcquireInstanceLock(path)), 'f');
    }
}

}  // namespace
}  // namespace quellix::platform
