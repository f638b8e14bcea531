#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/exit_codes.h"
#include "support/child_process.h"
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
    EXPECT_TRUE(result.err.starts_with("quellix: choose one of -C, --service")) << result.err;
}

}  // namespace
}  // namespace quellix
