#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/exit_codes.h"
#include "support/child_process.h"
#include "support/env_override.h"
#include "support/file_tree.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// "-C" runs of the real executable over a real folder, as cron starts them.
class OneShotRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        binary = dir.File("quellix");
        std::filesystem::copy_file(test::QuellixBinary(), binary);
        const std::int64_t now = std::time(nullptr);
        tree.File("data/old1", now - 100 * 3600);
        tree.File("data/sub/old2", now - 100 * 3600);
        tree.File("data/recent", now - 3600);
    }
    void Configure(const std::string& purgeOptions) {
        dir.Write("Quellix.ini", "[Purge]\n" + purgeOptions +
                                     "[Paths]\nNbPaths=1\nPath1=" + tree.Path("data") +
                                     "\nRetentionPath1=48\nSousDossiers1=oui\nDate1=M\n"
                                     "Effacer1=oui\n[Logs]\nLogs=1\nPathLogs=" +
                                     dir.File("logs") + "\n");
        std::filesystem::create_directory(dir.File("logs"));
    }
    std::vector<std::string> Logs() const { return test::NamesIn(dir.File("logs")); }

    test::TempDir dir;
    test::FileTree tree;
    std::string binary;
};

TEST_F(OneShotRunTest, AutomaticStartWithImmediatePurgePurgesLogsAndRecords) {
    Configure("DemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n");
    const auto result = test::RunProgram(binary, {"-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(tree.List("data"), (std::vector<std::string>{"data/recent", "data/sub"}));

    const std::vector<std::string> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = dir.Read("logs/" + logs[0]);
    EXPECT_NE(log.find(tree.Path("data/sub/old2") + " <i>deleted</i>"), std::string::npos);
    EXPECT_NE(log.find("Deleted: 2 files, 0 subfolders; Locked:0 </b><hr>"), std::string::npos);
    const std::string ini = dir.Read("Quellix.ini");
    EXPECT_NE(ini.find("\nNbDernierePurge=2\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nNbLocked=0\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nDateDernierePurge="), std::string::npos) << ini;
}

// ulimit -f reached while the log is written: the log stops, the run goes on to its end.
TEST_F(OneShotRunTest, FileSizeLimitStopsTheLogNotTheRun) {
    const std::int64_t now = std::time(nullptr);
    for (int i = 0; i < 200; ++i) {
        tree.File("data/many/old file number " + std::to_string(i), now - 100 * 3600);
    }
    Configure("DemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n");
    constexpr rlim_t kLimit = 4096;
    const int code = test::RunInChild([&] {
        // As a shell leaves it for the programs it starts.
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 200;
        }
        limit.rlim_cur = kLimit;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 201;
        }
        return test::RunProgram(binary, {"-C"}).exitCode;
    });
    EXPECT_EQ(code, kExitSuccess) << "128 + " << code - 128 << ": ended by a signal";
    EXPECT_EQ(tree.List("data"),
              (std::vector<std::string>{"data/many", "data/recent", "data/sub"}));
    const std::string ini = dir.Read("Quellix.ini");
    EXPECT_NE(ini.find("\nNbDernierePurge=202\n"), std::string::npos) << ini;
    const std::vector<std::string> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(dir.Read("logs/" + logs[0]).size(), kLimit);
}

TEST_F(OneShotRunTest, WithoutImmediatePurgeItOnlyArmsTheScheduleAndEnds) {
    Configure("DemarrageAutomatiqueLancement=1\nPurgeImmediate=0\nHeure=0:00\n");
    const auto result = test::RunProgram(binary, {"-c"});
    EXPECT_EQ(result.exitCode, kExitSuccess) << result.err;
    EXPECT_EQ(tree.List("data").size(), 4u);
    EXPECT_TRUE(Logs().empty());
    EXPECT_EQ(dir.Read("Quellix.ini").find("NbDernierePurge"), std::string::npos);
}

TEST_F(OneShotRunTest, NothingToPurgeShowsNoMessage) {
    std::filesystem::remove_all(tree.Path("data"));
    tree.Folder("data");
    Configure("DemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n");
    const auto result = test::RunProgram(binary, {"-C"});
    EXPECT_EQ(result.exitCode, kExitSuccess);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(Logs().empty());
}

TEST_F(OneShotRunTest, OneShotAndServiceExcludeEachOther) {
    Configure("");
    const auto result = test::RunProgram(binary, {"-C", "--service"});
    EXPECT_EQ(result.exitCode, kExitUsage);
    EXPECT_TRUE(result.err.starts_with("quellix: choose one of -C (or --dry-run), --undo-last"))
        << result.err;
    EXPECT_EQ(test::RunProgram(binary, {"--dry-run", "--uninstall-service"}).exitCode, kExitUsage);
}

// A preview prints what the run then does, and leaves everything as it was: files, the folder's
// access time, the configuration file, the logs. A file it cannot use is refused as -C refuses it.
TEST_F(OneShotRunTest, DryRunShowsWhatTheRunDoesAndChangesNothing) {
    Configure("DemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n");
    const std::string ini = dir.Read("Quellix.ini");
    const auto files = tree.List("data");
    // Set after that listing, which marks access.
    const timespec longAgo[2] = {{1'000'000'000, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(::utimensat(AT_FDCWD, tree.Path("data").c_str(), longAgo, 0), 0);

    const auto text = test::RunProgram(binary, {"--dry-run"});
    EXPECT_EQ(text.exitCode, kExitSuccess) << text.err;
    EXPECT_EQ(text.out, "delete: " + tree.Path("data/old1") + "\ndelete: " +
                            tree.Path("data/sub/old2") + "\nentry 1, " + tree.Path("data") +
                            ": 2 files (2 bytes), 0 empty subfolders\nin all: 2 files (2 bytes), "
                            "0 empty subfolders\n");
    const auto json = test::RunProgram(binary, {"-C", "--dry-run", "--json"});
    EXPECT_EQ(json.exitCode, kExitSuccess) << json.err;
    EXPECT_TRUE(json.out.starts_with("{\"entry\":1,\"outcome\":\"delete\",\"path\":\"" +
                                     tree.Path("data/old1") + "\",\"bytes\":1,\"date\":\""))
        << json.out;
    EXPECT_TRUE(
        json.out.ends_with("\n{\"total\":true,\"files\":2,\"bytes\":2,"
                           "\"empty_subfolders\":0,\"in_use\":0,\"left\":0}\n"))
        << json.out;

    struct stat folder {};
    ASSERT_EQ(::stat(tree.Path("data").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_atim.tv_sec, 1'000'000'000);
    EXPECT_EQ(tree.List("data"), files);
    EXPECT_EQ(dir.Read("Quellix.ini"), ini);
    EXPECT_TRUE(Logs().empty());

    // The run deletes just those two.
    ASSERT_EQ(test::RunProgram(binary, {"-C"}).exitCode, kExitSuccess);
    EXPECT_EQ(tree.List("data"), (std::vector<std::string>{"data/recent", "data/sub"}));

    dir.Write("Quellix.ini", "[Paths]\nNbPaths=1\nPath1=/tmp/\nRetentionPath1=0\n");
    const auto refused = test::RunProgram(binary, {"--dry-run"});
    EXPECT_EQ(refused.exitCode, kExitConfigError);
    EXPECT_EQ(refused.out, "");
    EXPECT_TRUE(refused.err.starts_with("quellix: ")) << refused.err;
}

// The last run taken back from the command line: the files it sent to the trash come back, and
// a second undo has nothing left to do.
TEST_F(OneShotRunTest, UndoLastPutsBackWhatTheLastRunTrashed) {
    dir.Write("Quellix.ini",
              "[Purge]\nDemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n"
              "[Paths]\nNbPaths=1\nPath1=" +
                  tree.Path("data") + "\nRetentionPath1=48\nSousDossiers1=oui\nCorbeille1=oui\n");
    const test::EnvOverride home("HOME", dir.File("home"));
    const test::EnvOverride data("XDG_DATA_HOME", dir.File("home/data"));
    ASSERT_EQ(test::RunProgram(binary, {"-C"}).exitCode, kExitSuccess);
    EXPECT_EQ(tree.List("data"), (std::vector<std::string>{"data/recent", "data/sub"}));

    const auto undone = test::RunProgram(binary, {"--undo-last"});
    EXPECT_EQ(undone.exitCode, kExitSuccess) << undone.err;
    EXPECT_NE(undone.out.find("back: " + tree.Path("data/sub/old2") + "\n"), std::string::npos)
        << undone.out;
    EXPECT_TRUE(
        undone.out.ends_with("2 back, 0 left, 0 shortcuts removed; deleted files cannot "
                             "come back\n"))
        << undone.out;
    EXPECT_EQ(tree.List("data"),
              (std::vector<std::string>{"data/old1", "data/recent", "data/sub", "data/sub/old2"}));
    const auto again = test::RunProgram(binary, {"--undo-last"});
    EXPECT_EQ(again.exitCode, kExitSuccess);
    EXPECT_TRUE(again.out.starts_with("nothing to undo")) << again.out;
}

}  // namespace
}  // namespace quellix
