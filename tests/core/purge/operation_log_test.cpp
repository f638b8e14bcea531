#include "core/purge/operation_log.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/fake_clock.h"
#include "support/fake_service_host.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using test::EpochOf;
using test::FakeClock;
using test::FakeServiceHost;
using test::NamesIn;
using test::TempDir;

const char* const kTodayName = "Log Quellix 2026-12-07.htm";

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

std::string Header(const std::string& heading, const std::string& longDate) {
    return Lines({"<html>", "<head>", "<meta charset=\"utf-8\">", "<title>Logs Quellix</title>",
                  "</head>", "<body>", heading, "<center><h3>" + longDate + "</h3></center>"});
}

const std::string kEnglishHeading = "<b><center><h1>Deleting Logs</h1></center></b>";
const std::string kFrenchHeading =
    "<b><center><h1>Journal des opérations d'effacement</h1></center></b>";

class OperationLogTest : public ::testing::Test {
  protected:
    OperationLogTest() {
        settings.Logs = true;
        settings.PathLogs = dir.Path();
        settings.PurgeLogs = false;
        settings.DelaiLogs = 10;
    }

    // One run: open, the given lines, the summary.
    void Run(const std::vector<std::string>& lines, const std::string& summary) {
        OperationLog log(settings, clock, service);
        log.Open();
        for (const std::string& line : lines) {
            log.WriteLine(line);
        }
        log.Close(summary);
    }

    TempDir dir;
    Settings settings;
    FakeClock clock{EpochOf(2026, 12, 7, 10, 0, 0)};
    FakeServiceHost service;
};

TEST(DayLogPath, FolderNameAndZeroPaddedDate) {
    const std::pair<platform::CivilTime, std::string> cases[] = {
        {{2026, 12, 7, 10, 0, 0, 1}, "/var/log/quellix/Log Quellix 2026-12-07.htm"},
        {{2027, 1, 5, 0, 0, 0, 2}, "/var/log/quellix/Log Quellix 2027-01-05.htm"},
        {{987, 10, 31, 23, 59, 59, 0}, "/var/log/quellix/Log Quellix 0987-10-31.htm"},
    };
    for (const auto& [today, path] : cases) {
        EXPECT_EQ(DayLogPath("/var/log/quellix", today), path);
    }
}

TEST_F(OperationLogTest, FirstRunOfTheDayWritesTheHeader) {
    Run({"/in/a.txt <i>deleted</i> [Date M.: 12/01/26]<br>"}, "S1");
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{kTodayName});
    EXPECT_EQ(dir.Read(kTodayName),
              Header(kEnglishHeading, "Monday 07 December 2026") +
                  Lines({"/in/a.txt <i>deleted</i> [Date M.: 12/01/26]<br>", "<b>S1</b><hr>"}));
    EXPECT_TRUE(service.events.empty());
}

TEST_F(OperationLogTest, ALinkNamedLikeTheDaysLogIsNeverWrittenThrough) {
    TempDir elsewhere;
    fs::create_symlink(elsewhere.File("target"), dir.File(kTodayName));
    Run({"line"}, "S1");
    EXPECT_FALSE(elsewhere.Exists("target"));
    EXPECT_EQ(service.events.size(), 1u);

    elsewhere.Write("target", "victim\n");
    Run({"line"}, "S2");
    EXPECT_EQ(elsewhere.Read("target"), "victim\n");
}

TEST_F(OperationLogTest, LaterRunsOfTheDayAppendWithoutHeader) {
    Run({"a1", "a2"}, "S1");
    clock.Set(EpochOf(2026, 12, 7, 23, 59, 59));
    Run({}, "S2");
    clock.Set(EpochOf(2026, 12, 7, 0, 0, 0));
    Run({"c1"}, "S3");

    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{kTodayName});
    EXPECT_EQ(dir.Read(kTodayName),
              Header(kEnglishHeading, "Monday 07 December 2026") +
                  Lines({"a1", "a2", "<b>S1</b><hr>", "<b>S2</b><hr>", "c1", "<b>S3</b><hr>"}));
}

TEST_F(OperationLogTest, DaysFileLeftEmptyGetsItsHeaderAtTheNextRun) {
    // What a run leaves when the disk is full before the header is written.
    dir.Write(kTodayName, "");
    Run({"a1"}, "S1");
    Run({"b1"}, "S2");
    EXPECT_EQ(dir.Read(kTodayName), Header(kEnglishHeading, "Monday 07 December 2026") +
                                        Lines({"a1", "<b>S1</b><hr>", "b1", "<b>S2</b><hr>"}));
}

TEST_F(OperationLogTest, EachDayHasItsOwnFile) {
    Run({"monday"}, "S1");
    clock.Set(EpochOf(2026, 12, 8, 0, 0, 0));
    Run({"tuesday"}, "S2");

    EXPECT_EQ(NamesIn(dir.Path()),
              (std::vector<std::string>{kTodayName, "Log Quellix 2026-12-08.htm"}));
    EXPECT_EQ(dir.Read(kTodayName), Header(kEnglishHeading, "Monday 07 December 2026") +
                                        Lines({"monday", "<b>S1</b><hr>"}));
    EXPECT_EQ(
        dir.Read("Log Quellix 2026-12-08.htm"),
        Header(kEnglishHeading, "Tuesday 08 December 2026") + Lines({"tuesday", "<b>S2</b><hr>"}));
}

TEST_F(OperationLogTest, EveryLineEndsWithCrLfAcrossBlockWrites) {
    // Well past the size at which buffered lines are written out, so that several blocks and a
    // final partial one reach the file.
    std::vector<std::string> lines;
    for (int i = 0; i < 6000; ++i) {
        lines.push_back("/data/in/file number " + std::to_string(i) + ".txt <i>deleted</i>");
    }
    Run(lines, "done");
    lines.push_back("<b>done</b><hr>");

    const std::string text = dir.Read(kTodayName);
    EXPECT_EQ(text, Header(kEnglishHeading, "Monday 07 December 2026") + Lines(lines));
    for (std::size_t pos = 0; (pos = text.find('\n', pos)) != std::string::npos; ++pos) {
        ASSERT_GT(pos, 0u);
        ASSERT_EQ(text[pos - 1], '\r') << "at " << pos;
    }
}

TEST_F(OperationLogTest, HeadingIsFrenchOnlyForLangueOne) {
    const std::pair<std::int16_t, std::string> cases[] = {
        {0, kEnglishHeading},
        {1, kFrenchHeading},
        {2, kEnglishHeading},
        {-1, kEnglishHeading},
    };
    for (const auto& [langue, heading] : cases) {
        TempDir folder;
        settings.PathLogs = folder.Path();
        settings.Langue = langue;
        Run({}, "S");
        EXPECT_EQ(folder.Read(kTodayName),
                  Header(heading, "Monday 07 December 2026") + Lines({"<b>S</b><hr>"}))
            << "Langue " << langue;
    }
}

TEST_F(OperationLogTest, OnlyOpenCreatesTheFile) {
    OperationLog log(settings, clock, service);
    log.WriteLine("before");
    log.Flush();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_TRUE(NamesIn(dir.Path()).empty());

    log.Open();
    EXPECT_TRUE(log.IsOpen());
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{kTodayName});
    log.WriteLine("after");
    log.Close("S");
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(dir.Read(kTodayName), Header(kEnglishHeading, "Monday 07 December 2026") +
                                        Lines({"after", "<b>S</b><hr>"}));

    // Once closed, nothing more reaches the file.
    log.WriteLine("late");
    log.Flush();
    EXPECT_EQ(dir.Read(kTodayName).find("late"), std::string::npos);
}

TEST_F(OperationLogTest, LinesOfALogDroppedWithoutCloseAreKept) {
    {
        OperationLog log(settings, clock, service);
        log.Open();
        log.WriteLine("kept");
    }
    EXPECT_EQ(dir.Read(kTodayName),
              Header(kEnglishHeading, "Monday 07 December 2026") + Lines({"kept"}));
}

TEST_F(OperationLogTest, UnwritableFolderLetsTheRunGoOnWithOneWarning) {
    struct Case {
        const char* what;
        std::function<std::string(const TempDir&)> prepare;  // gives the log folder
    };
    const Case cases[] = {
        {"folder removed after the settings were read",
         [](const TempDir& d) {
             fs::create_directory(d.File("logs"));
             fs::remove(d.File("logs"));
             return d.File("logs");
         }},
        {"folder path under a regular file",
         [](const TempDir& d) {
             d.Write("plain.txt", "x");
             return d.File("plain.txt");
         }},
        {"no log folder at all", [](const TempDir&) { return std::string(); }},
        {"day's file name taken by a folder",
         [](const TempDir& d) {
             fs::create_directories(d.File(std::string("logs/") + kTodayName));
             return d.File("logs");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir folder;
        settings.PathLogs = c.prepare(folder);
        const std::vector<std::string> before = NamesIn(folder.Path());
        service.events.clear();

        OperationLog log(settings, clock, service);
        log.Open();
        EXPECT_FALSE(log.IsOpen());
        for (int i = 0; i < 3; ++i) {
            log.WriteLine("line");
            log.Flush();
        }
        log.Close("S");

        ASSERT_EQ(service.events.size(), 1u);
        EXPECT_EQ(service.events[0].second, EventType::Warning);
        const std::string& text = service.events[0].first;
        EXPECT_TRUE(text.starts_with("Quellix: the operation log cannot be written")) << text;
        const std::string shown =
            settings.PathLogs.empty() ? kTodayName : settings.PathLogs + "/" + kTodayName;
        EXPECT_NE(text.find(shown), std::string::npos) << text;
        EXPECT_EQ(NamesIn(folder.Path()), before);
        std::error_code error;
        EXPECT_FALSE(fs::is_regular_file(settings.PathLogs + "/" + kTodayName, error));
    }
}

// Lowers the largest file size the process may write, for as long as it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        set_ = getrlimit(RLIMIT_FSIZE, &previous_) == 0;
        if (set_) {
            rlimit lowered = previous_;
            lowered.rlim_cur = bytes;
            set_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
        }
    }
    ~FileSizeLimit() {
        if (set_) {
            setrlimit(RLIMIT_FSIZE, &previous_);
        }
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool IsSet() const { return set_; }

  private:
    rlimit previous_{};
    bool set_ = false;
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(OperationLogTest, WriteFailureMidRunStopsTheLogWithOneWarning) {
    OperationLog log(settings, clock, service);
    {
        const FileSizeLimit limit(1024);
        if (!limit.IsSet()) {
            GTEST_SKIP() << "the file size limit cannot be lowered";
        }
        log.Open();
        ASSERT_TRUE(log.IsOpen());
        // Enough lines for several block writes, all past the limit.
        for (int i = 0; i < 5000 && log.IsOpen(); ++i) {
            log.WriteLine("/data/in/file number " + std::to_string(i) + ".txt <i>deleted</i>");
        }
        EXPECT_FALSE(log.IsOpen());
        for (int i = 0; i < 5000; ++i) {
            log.WriteLine("after the failure");
        }
        log.Close("S");
    }
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_EQ(service.events[0].second, EventType::Warning);
    EXPECT_NE(service.events[0].first.find(dir.File(kTodayName)), std::string::npos);
    const std::string text = dir.Read(kTodayName);
    EXPECT_TRUE(text.starts_with(Header(kEnglishHeading, "Monday 07 December 2026")));
    EXPECT_LE(text.size(), 1024u);
}

TEST_F(OperationLogTest, WarningFollowsTheLanguage) {
    settings.PathLogs = dir.File("missing");
    settings.Langue = 2;
    Run({"x"}, "S");
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_TRUE(service.events[0].first.starts_with("Quellix : le journal des opérations"))
        << service.events[0].first;
}

TEST_F(OperationLogTest, OldLogsArePrunedOnlyBeforeTheDaysFirstFile) {
    const std::vector<std::string> old = {
        "Log Quellix 2026-12-01.htm", "Log Quellix 2026-12-02.htm", "Log Quellix 2026-12-03.htm",
        "Log Quellix 2026-12-04.htm", "Log Quellix 2026-12-05.htm"};
    struct Case {
        bool purgeLogs;
        bool todayExists;
        std::vector<std::string> left;  // besides today's file and other.txt
    };
    const Case cases[] = {
        // Keep three: the two newest old files and today's.
        {true, false, {"Log Quellix 2026-12-04.htm", "Log Quellix 2026-12-05.htm"}},
        {true, true, old},
        {false, false, old},
        {false, true, old},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "PurgeLogs " << c.purgeLogs << ", today's file exists " << c.todayExists);
        TempDir folder;
        for (const std::string& name : old) {
            folder.Write(name, "old");
        }
        folder.Write("other.txt", "keep");
        if (c.todayExists) {
            folder.Write(kTodayName, "earlier run\r\n");
        }
        settings.PathLogs = folder.Path();
        settings.PurgeLogs = c.purgeLogs;
        settings.DelaiLogs = 3;

        Run({}, "S");

        std::vector<std::string> expected = c.left;
        expected.push_back(kTodayName);
        expected.push_back("other.txt");
        EXPECT_EQ(NamesIn(folder.Path()), expected);
        const std::string today = folder.Read(kTodayName);
        if (c.todayExists) {
            EXPECT_EQ(today, "earlier run\r\n<b>S</b><hr>\r\n");
        } else {
            EXPECT_TRUE(today.starts_with("<html>\r\n")) << today;
        }
    }
}

constexpr uid_t kOtherUser = 65534;

// A day's log that is there already but not the program's own is never added to: the run goes
// on without a log and the warning says why. A new log is private, whatever the umask.
TEST_F(OperationLogTest, DaysLogOfAnotherUserOrWithASecondNameIsRefused) {
    const struct {
        const char* what;
        bool needsRoot;
        std::int16_t langue;
        std::function<void(const TempDir& logs, const TempDir& elsewhere)> plant;
        std::string content;  // of the planted file, which must stay as it is
        std::string reason;
    } cases[] = {
        {"another user's file, writable by all", true, 0,
         [](const TempDir& logs, const TempDir&) {
             const std::string path = logs.Write(kTodayName, "theirs");
             ASSERT_EQ(chmod(path.c_str(), 0666), 0);
             ASSERT_EQ(lchown(path.c_str(), kOtherUser, kOtherUser), 0);
         },
         "theirs", "the file belongs to another user"},
        {"a hard link to a file of ours", false, 1,
         [](const TempDir& logs, const TempDir& elsewhere) {
             const std::string target = elsewhere.Write("shadow", "secret");
             ASSERT_EQ(link(target.c_str(), logs.File(kTodayName).c_str()), 0);
         },
         "secret", "le fichier a plus d'un lien"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && geteuid() != 0) {
            continue;  // only root can give a file away
        }
        TempDir folder;
        TempDir elsewhere;
        c.plant(folder, elsewhere);
        settings.PathLogs = folder.Path();
        settings.Langue = c.langue;
        service.events.clear();

        Run({"line"}, "S");

        EXPECT_EQ(folder.Read(kTodayName), c.content);
        ASSERT_EQ(service.events.size(), 1u);
        EXPECT_EQ(service.events[0].second, EventType::Warning);
        EXPECT_NE(service.events[0].first.find(folder.File(kTodayName) + " (" + c.reason + ")"),
                  std::string::npos)
            << service.events[0].first;
    }

    for (const mode_t umask : {0000, 0022, 0277}) {
        SCOPED_TRACE(testing::Message() << "umask " << std::oct << umask);
        TempDir folder;
        settings.PathLogs = folder.Path();
        const mode_t before = ::umask(umask);
        Run({"line"}, "S");
        ::umask(before);
        struct stat made {};
        ASSERT_EQ(lstat(folder.File(kTodayName).c_str(), &made), 0);
        EXPECT_EQ(made.st_mode & 07777, 0600u);
        EXPECT_NE(folder.Read(kTodayName).find("line\r\n"), std::string::npos);
    }
}

// The owner of the folder above the log folder swaps it for a link: to a folder of root's it is
// not followed, so nothing there is pruned or created; to a folder of that owner's it is.
TEST_F(OperationLogTest, LogFolderSwappedForALinkByItsParentsOwner) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a folder to another user";
    }
    TempDir top;
    const std::vector<std::string> old = {
        "Log Quellix 2026-12-01.htm", "Log Quellix 2026-12-02.htm", "Log Quellix 2026-12-03.htm"};
    for (const std::string& name : old) {
        top.Write("root's/" + name, "old");
        top.Write("alice/own/" + name, "old");
    }
    for (const char* owned : {"alice", "alice/own"}) {
        ASSERT_EQ(lchown(top.File(owned).c_str(), kOtherUser, kOtherUser), 0);
    }
    settings.PurgeLogs = true;
    settings.DelaiLogs = 2;
    const struct {
        const char* target;
        bool followed;
    } cases[] = {{"root's", false}, {"alice/own", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const std::string link = top.File("alice/logs");
        ASSERT_EQ(symlink(top.File(c.target).c_str(), link.c_str()), 0);
        ASSERT_EQ(lchown(link.c_str(), kOtherUser, kOtherUser), 0);
        settings.PathLogs = link;
        service.events.clear();

        Run({"line"}, "S");

        std::vector<std::string> expected = old;
        if (c.followed) {
            expected = {old.back(), kTodayName};  // the logs there are root's: pruned
        }
        EXPECT_EQ(NamesIn(top.File(c.target)), expected);
        ASSERT_EQ(service.events.size(), c.followed ? 0u : 1u);
        if (!c.followed) {
            EXPECT_TRUE(service.events[0].first.ends_with(
                " (the folder is reached through a link of another user)"))
                << service.events[0].first;
        }
        ASSERT_EQ(unlink(link.c_str()), 0);
    }
}

}  // namespace
}  // namespace quellix
