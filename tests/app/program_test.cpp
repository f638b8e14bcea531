#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>

#include "core/common/exit_codes.h"
#include "core/config/ini_file.h"
#include "platform/instance_lock.h"
#include "support/child_process.h"
#include "support/env_override.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// The real executable, copied into a temporary folder so that its default configuration file
// (beside it) is the test's own.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        binary = dir.File("quellix");
        std::filesystem::copy_file(test::QuellixBinary(), binary);
    }
    test::ProgramResult Run(const std::vector<std::string>& arguments) {
        return test::RunProgram(binary, arguments);
    }

    test::TempDir dir;
    std::string binary;
};

TEST_F(ProgramTest, OneShotRunWithoutFileCreatesTheDefaults) {
    // Asked for a window system that cannot start here: a one-shot run that started Qt would
    // abort instead of running.
    const test::EnvOverride platform("QT_QPA_PLATFORM", "xcb");
    const auto result = Run({"-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30\n");
}

TEST_F(ProgramTest, InvalidTimeIsReportedInFrenchAndEndsTheRun) {
    dir.Write("Quellix.ini", "[Purge]\nHeure=25:00\nLangue=1\n");
    const auto result = Run({"-c"});
    EXPECT_EQ(result.exitCode, kExitConfigError);
    EXPECT_EQ(result.err, "Heure de purge invalide\nSection=Purge Clé=Heure\nfichier '" +
                              dir.File("Quellix.ini") + "'\n");
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Purge]\nHeure=25:00\nLangue=1\n");
}

TEST_F(ProgramTest, OwnConfigurationFileOption) {
    dir.Write("my-cleaner/cfg.ini", "[Purge]\nHeure=6:00\n");
    // The option's text holds "-c" but does not ask for the one-shot run.
    auto result = Run({"--ini=" + dir.File("my-cleaner/cfg.ini")});
    // Without a display the desktop program says how to run instead, in either build.
    EXPECT_EQ(result.exitCode, kExitNoDesktop);
    EXPECT_NE(result.err.find("use -C for a one-shot run or --service"), std::string::npos)
        << result.err;
    EXPECT_EQ(dir.Read("my-cleaner/cfg.ini"), "[Purge]\nHeure=6:00\n");

    result = Run({"--ini", dir.File("my-cleaner/cfg.ini"), "-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(dir.Read("my-cleaner/cfg.ini"),
              "[Purge]\nHeure=6:00\nJours=1234567\nTemporisation=30\n");
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
}

// A cron line whose --ini has a typo must fail every night, loudly, in every mode that uses the
// file; a file too large to be a configuration is a configuration error.
TEST_F(ProgramTest, IniThatCannotBeAConfigurationFileIsRefusedWithItsOwnCode) {
    const std::string heure = "[Purge]\nHeure=6:00\n";
    const std::string regular = dir.Write("conf/regular.ini", heure);
    std::filesystem::create_directory(dir.File("conf/folder.ini"));
    ASSERT_EQ(::mkfifo(dir.File("conf/fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink("regular.ini", dir.File("conf/link.ini"));
    // Sparse: the size of a huge file without its blocks.
    std::filesystem::resize_file(dir.Write("conf/huge.ini", heure), IniFile::kMaxFileBytes + 1);

    const struct {
        std::string ini;
        std::string why;
    } unusable[] = {
        {dir.File("missing-folder/q.ini"), "no such folder"},
        {dir.File("conf/folder.ini"), "is a folder"},
        {dir.File("conf/fifo.ini"), "is not a regular file"},
        {"/dev/null", "is not a regular file"},
    };
    // The one-shot run and the desktop (the service and its installation go the same way, but
    // would run on, or install a unit, if they did not).
    const std::vector<std::vector<std::string>> modes = {{"-C"}, {}};
    for (const auto& c : unusable) {
        for (std::vector<std::string> arguments : modes) {
            arguments.push_back("--ini=" + c.ini);
            const auto result = Run(arguments);
            SCOPED_TRACE(arguments.front() + " " + c.ini);
            EXPECT_EQ(result.exitCode, kExitUnusableIni) << result.err;
            EXPECT_EQ(result.err, "quellix: " + c.ini + ": " + c.why + "\n");
        }
        EXPECT_EQ(Run({"--help", "--ini=" + c.ini}).exitCode, kExitSuccess) << c.ini;
    }
    EXPECT_FALSE(dir.Exists("missing-folder"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("conf/fifo.ini")));

    const std::string defaults = "Jours=1234567\nTemporisation=30\n";
    for (const std::string& usable :
         {regular, dir.File("conf/new.ini"), dir.File("conf/link.ini")}) {
        const auto result = Run({"-C", "--ini=" + usable});
        EXPECT_EQ(result.exitCode, kExitSuccess) << usable << ": " << result.err;
    }
    EXPECT_EQ(dir.Read("conf/regular.ini"), heure + defaults);
    EXPECT_EQ(dir.Read("conf/new.ini"), "[Purge]\nHeure=12:00\n" + defaults);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("conf/link.ini")));

    const auto huge = Run({"-C", "--ini=" + dir.File("conf/huge.ini")});
    EXPECT_EQ(huge.exitCode, kExitConfigError);
    EXPECT_EQ(huge.err, "Configuration file too large (over 16 MiB)\nfile '" +
                            dir.File("conf/huge.ini") + "'\n");
    EXPECT_EQ(std::filesystem::file_size(dir.File("conf/huge.ini")), IniFile::kMaxFileBytes + 1);
}

TEST_F(ProgramTest, SecondCopyOnTheSameFileIsRefused) {
    auto held = platform::TryAcquireInstanceLock(dir.File("Quellix.ini"));
    ASSERT_TRUE(held);
    auto result = Run({"-C"});
    EXPECT_EQ(result.exitCode, kExitAlreadyRunning);
    EXPECT_EQ(result.err, "Program already running\n");

    held.reset();
    result = Run({"-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
}

// Before the owner's run starts, another user takes the name the lock of earlier versions went
// by (which is also the stand-in's where no lock file can be made); the run still goes ahead.
TEST_F(ProgramTest, AnotherUserCannotStopTheRun) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "switching users needs root";
    }
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const std::string ini = std::filesystem::canonical(dir.Path()).string() + "/Quellix.ini";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    test::Child other([&] {
        ::close(ready[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            return 2;
        }
        const std::string name = "quellix/Quellix:" + ini;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path + 1, sizeof address.sun_path - 1);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            ::bind(socket, reinterpret_cast<const sockaddr*>(&address),
                   static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0;
        const char state = bound ? 'y' : 'n';
        if (::write(ready[1], &state, 1) != 1) {
            return 3;
        }
        for (;;) {
            ::pause();
        }
    });
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'y');

    const auto result = Run({"-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
}

TEST_F(ProgramTest, HelpVersionAndBadOptions) {
    auto result = Run({"--help"});
    EXPECT_EQ(result.exitCode, kExitSuccess);
    EXPECT_NE(result.out.find("--ini=FILE"), std::string::npos);
    EXPECT_TRUE(result.out.ends_with("\nConfiguration file: " + dir.File("Quellix.ini") + "\n"))
        << result.out;
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
    // Named through a link: the help shows the file every run would use.
    std::filesystem::create_directory_symlink(dir.Path(), dir.File("link"));
    result = Run({"--help", "--ini=" + dir.File("link/./other.ini")});
    EXPECT_TRUE(result.out.ends_with("\nConfiguration file: " + dir.File("other.ini") + "\n"))
        << result.out;

    result = Run({"--version"});
    EXPECT_EQ(result.exitCode, kExitSuccess);
    EXPECT_TRUE(result.out.starts_with("Quellix ")) << result.out;

    result = Run({"--cron"});
    EXPECT_EQ(result.exitCode, kExitUsage);
    EXPECT_TRUE(result.err.starts_with("quellix: unknown option --cron\n")) << result.err;
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
}

}  // namespace
}  // namespace quellix
