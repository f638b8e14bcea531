#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_program.h"
#include "core/common/service_host.h"
#include "core/config/program_files.h"
#include "support/child_process.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// A service host whose entries go down a pipe, one per line, so that the test process can read
// what its forked service process logged.
class PipeServiceHost final : public ServiceHost {
  public:
    explicit PipeServiceHost(int fd) : fd_(fd) {}
    bool IsInstalled() const override { return true; }
    bool IsServiceProcess() const override { return true; }
    void WriteEventLog(std::string_view text, EventType type) override {
        const std::string line =
            std::to_string(static_cast<int>(type)) + " " + std::string(text) + "\n";
        [[maybe_unused]] const ssize_t written = ::write(fd_, line.data(), line.size());
    }
    ServiceStartType StartType() const override { return ServiceStartType::Automatic; }
    void SetStartType(ServiceStartType) override {}
    bool InteractWithDesktop() const override { return false; }
    void SetInteractWithDesktop(bool) override {}
    bool Install(bool) override { return false; }
    bool Uninstall() override { return false; }

  private:
    int fd_;
};

class ServiceProcessTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(::pipe(entries_), 0); }
    void TearDown() override {
        ::close(entries_[0]);
        if (entries_[1] >= 0) {
            ::close(entries_[1]);
        }
    }

    // Starts the service process on the test's configuration file.
    test::Child& StartService() {
        CommandLine line = ParseCommandLine({"--service", "--ini=" + dir.File("Quellix.ini")});
        child_ = std::make_unique<test::Child>([this, line] {
            ::close(entries_[0]);
            PipeServiceHost host(entries_[1]);
            std::ostringstream messages;
            HeadlessProgram program(line, LocateProgramFiles(dir.Path(), line.iniPath), messages,
                                    host);
            return program.Run();
        });
        ::close(entries_[1]);
        entries_[1] = -1;
        return *child_;
    }
    // The next entry the service wrote (blocks until it comes), or "" when it has ended.
    std::string NextEntry() {
        std::string line;
        char c = 0;
        while (::read(entries_[0], &c, 1) == 1) {
            if (c == '\n') {
                return line;
            }
            line += c;
        }
        return line;
    }

    test::TempDir dir;
    test::FileTree tree;

  private:
    int entries_[2] = {-1, -1};
    std::unique_ptr<test::Child> child_;
};

TEST_F(ServiceProcessTest, SignalsWriteTheirEntriesAndStopEndsTheProcess) {
    dir.Write("Quellix.ini", "[Purge]\nHeure=3:00\n[Paths]\nNbPaths=1\nPath1=" + tree.Root() +
                                 "\nRetentionPath1=48\nEffacer1=oui\n");
    test::Child& service = StartService();
    ASSERT_TRUE(service.Started());
    EXPECT_EQ(NextEntry(), "4 Quellix Service: started. Purge at 3:00");

    ::kill(service.Pid(), SIGUSR1);
    EXPECT_EQ(NextEntry(), "4 Quellix Service: paused");
    ::kill(service.Pid(), SIGUSR2);
    EXPECT_EQ(NextEntry(), "4 Quellix Service: continued");
    ::kill(service.Pid(), SIGTERM);
    EXPECT_EQ(NextEntry(), "4 Quellix Service: stopped");
    EXPECT_EQ(NextEntry(), "");
    EXPECT_EQ(service.Wait(), 0);
}

TEST_F(ServiceProcessTest, EntriesFollowTheLanguageEvenWithAnEmptyList) {
    dir.Write("Quellix.ini", "[Purge]\nLangue=1\n");
    test::Child& service = StartService();
    ASSERT_TRUE(service.Started());
    EXPECT_EQ(NextEntry(), "4 Quellix Service: démarré. Heure de purge 12:00");
    ::kill(service.Pid(), SIGTERM);
    EXPECT_EQ(NextEntry(), "4 Quellix Service: arrêté");
    EXPECT_EQ(service.Wait(), 0);
}

TEST_F(ServiceProcessTest, ImmediatePurgeRunsAtTheServiceStart) {
    const std::int64_t now = std::time(nullptr);
    tree.File("old", now - 100 * 3600);
    tree.File("recent", now);
    std::filesystem::create_directory(dir.File("logs"));
    dir.Write("Quellix.ini", "[Purge]\nPurgeImmediate=1\n[Paths]\nNbPaths=1\nPath1=" + tree.Root() +
                                 "\nRetentionPath1=48\nEffacer1=oui\n[Logs]\nLogs=1\nPathLogs=" +
                                 dir.File("logs") + "\n");
    test::Child& service = StartService();
    ASSERT_TRUE(service.Started());
    EXPECT_EQ(NextEntry(), "4 Quellix Service: started. Purge at 12:00");
    // The purge's summary, which an installed service also sends as a warning.
    const std::string summary = NextEntry();
    EXPECT_TRUE(summary.starts_with("2 Last purge: ")) << summary;
    EXPECT_NE(summary.find("Deleted: 1 files"), std::string::npos) << summary;
    ::kill(service.Pid(), SIGTERM);
    EXPECT_EQ(NextEntry(), "4 Quellix Service: stopped");
    EXPECT_EQ(service.Wait(), 0);
    EXPECT_EQ(tree.List(), std::vector<std::string>{"recent"});
    EXPECT_NE(dir.Read("Quellix.ini").find("\nNbDernierePurge=1\n"), std::string::npos);
}

}  // namespace
}  // namespace quellix
