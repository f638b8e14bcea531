// What another user can do to a root run through its configuration file and the file's lock: make
// root go by a file they can change, follow a link they planted, or keep the run from starting.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/common/exit_codes.h"
#include "platform/instance_lock.h"
#include "support/child_process.h"
#include "support/file_mode.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534;
constexpr const char* kHeure = "[Purge]\nHeure=6:00\n";
constexpr const char* kDefaultsAdded = "[Purge]\nHeure=6:00\nJours=1234567\nTemporisation=30\n";

// A root run of the real executable on configuration files in a folder of its own, beside
// "shared", open to all like /tmp.
class ConfigFileSafetyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "what other users plant only matters to root, and needs root to plant";
        }
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
        fs::create_directory(dir.File("shared"));
        ASSERT_EQ(::chmod(dir.File("shared").c_str(), 01777), 0);
    }
    test::ProgramResult Run(const std::string& ini) {
        return test::RunProgram(test::QuellixBinary(), {"-C", "--ini=" + ini});
    }
    // A symbolic link made by the other user.
    void Plant(const std::string& target, const std::string& name) {
        fs::create_symlink(target, dir.File(name));
        ASSERT_EQ(::lchown(dir.File(name).c_str(), kOtherUser, kOtherUser), 0);
    }
    static std::string Refusal(const std::string& headline, const std::string& ini) {
        return headline + "\nfile '" + ini + "'\n";
    }

    test::TempDir dir;
};

TEST_F(ConfigFileSafetyTest, RootGoesOnlyByAFileNobodyElseCanChange) {
    const struct {
        const char* name;
        uid_t owner;
        mode_t mode;
        bool refused;
    } cases[] = {
        {"others.ini", kOtherUser, 0644, true}, {"group-writable.ini", 0, 0664, true},
        {"world-writable.ini", 0, 0606, true},  {"roots.ini", 0, 0600, false},
        {"readable.ini", 0, 0644, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = dir.Write(std::string("conf/") + c.name, kHeure);
        ASSERT_EQ(::chown(ini.c_str(), c.owner, c.owner), 0);
        ASSERT_EQ(::chmod(ini.c_str(), c.mode), 0);
        const auto result = Run(ini);
        if (c.refused) {
            EXPECT_EQ(result.exitCode, kExitConfigError);
            EXPECT_EQ(result.err, Refusal("Configuration file not owned by root or writable by "
                                          "others",
                                          ini));
            EXPECT_EQ(dir.Read(std::string("conf/") + c.name), kHeure);
        } else {
            EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
            EXPECT_EQ(dir.Read(std::string("conf/") + c.name), kDefaultsAdded);
            EXPECT_EQ(test::ModeOf(ini), c.mode);
        }
    }
    // What root creates, nobody else may change, nor read: it says what root deletes.
    const auto result = Run(dir.File("conf/new.ini"));
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(test::ModeOf(dir.File("conf/new.ini")), 0600u);
}

TEST_F(ConfigFileSafetyTest, LinksAnotherUserPlantedAreNotFollowed) {
    fs::create_directory(dir.File("root-only"));
    const std::string victim = dir.Write("root-only/victim.ini", kHeure);
    ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
    Plant(victim, "shared/to-file.ini");
    Plant(dir.File("root-only/created.ini"), "shared/dangling.ini");
    Plant(dir.File("root-only"), "shared/to-folder");
    for (const std::string& ini : {dir.File("shared/to-file.ini"), dir.File("shared/dangling.ini"),
                                   dir.File("shared/to-folder/victim.ini")}) {
        SCOPED_TRACE(ini);
        const auto result = Run(ini);
        EXPECT_EQ(result.exitCode, kExitConfigError);
        EXPECT_EQ(result.err,
                  Refusal("Configuration file reached through a link of another user", ini));
        // Neither written, nor created, nor locked, nor cleaned up.
        EXPECT_EQ(test::NamesIn(dir.File("root-only")), std::vector<std::string>{"victim.ini"});
        EXPECT_EQ(dir.Read("root-only/victim.ini"), kHeure);
    }
    // Root's own link in the same folder leads where root says.
    fs::create_symlink(victim, dir.File("shared/roots-link.ini"));
    const auto result = Run(dir.File("shared/roots-link.ini"));
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(dir.Read("root-only/victim.ini"), kDefaultsAdded);
}

// A process of the other user that does something, tells the test, and then waits to be killed.
class OtherUsersProcess {
  public:
    explicit OtherUsersProcess(const std::function<bool()>& act) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        child_ = std::make_unique<test::Child>([&] {
            ::close(ready[0]);
            const bool done = ::setgroups(0, nullptr) == 0 && ::setgid(kOtherUser) == 0 &&
                              ::setuid(kOtherUser) == 0 && act();
            const char state = done ? 'y' : 'n';
            if (::write(ready[1], &state, 1) != 1) {
                return 2;
            }
            for (;;) {
                ::pause();
            }
        });
        ::close(ready[1]);
        char state = 'n';
        done_ = ::read(ready[0], &state, 1) == 1 && state == 'y';
        ::close(ready[0]);
    }
    bool Done() const { return done_; }

  private:
    std::unique_ptr<test::Child> child_;
    bool done_ = false;
};

TEST_F(ConfigFileSafetyTest, LockFileAnotherUserPutInTheWayDoesNotStopTheRun) {
    const std::string ini = dir.Write("shared/q.ini", kHeure);
    ASSERT_EQ(::chmod(ini.c_str(), 0600), 0);
    const std::string lockFile = dir.File("shared/.q.ini.lock");
    const std::string victim = dir.Write("victim", "keep");
    const struct {
        const char* what;
        std::function<void()> plant;
    } cases[] = {
        {"link", [&] { Plant(victim, "shared/.q.ini.lock"); }},
        {"FIFO",
         [&] {
             ASSERT_EQ(::mkfifo(lockFile.c_str(), 0666), 0);
             ASSERT_EQ(::chown(lockFile.c_str(), kOtherUser, kOtherUser), 0);
         }},
        {"second link of a file of root's",
         [&] { ASSERT_EQ(::link(victim.c_str(), lockFile.c_str()), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.plant();
        auto result = Run(ini);
        EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
        // A copy under way still keeps any other from running on the file.
        {
            const auto held = platform::TryAcquireInstanceLock(ini);
            ASSERT_NE(held, nullptr);
            EXPECT_FALSE(held->ExcludesEveryWriter());
            result = Run(ini);
            EXPECT_EQ(result.exitCode, kExitAlreadyRunning);
            EXPECT_EQ(result.err, "Program already running\n");
        }
        EXPECT_EQ(dir.Read("victim"), "keep");
        fs::remove(lockFile);
    }

    // The other user's own file, made while the folder had none, with a read lock held on it.
    SCOPED_TRACE("read-locked file of another user's");
    const OtherUsersProcess squatter([&] {
        const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        struct flock shared {};
        shared.l_type = F_RDLCK;
        return fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &shared) == 0;
    });
    ASSERT_TRUE(squatter.Done());
    auto result = Run(ini);
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    const auto held = platform::TryAcquireInstanceLock(ini);
    ASSERT_NE(held, nullptr);
    result = Run(ini);
    EXPECT_EQ(result.exitCode, kExitAlreadyRunning) << result.err;
}

}  // namespace
}  // namespace quellix
