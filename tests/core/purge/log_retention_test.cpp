#include "core/purge/log_retention.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using test::NamesIn;
using test::TempDir;

// "Log Quellix yyyy-mm-dd.htm" for the nth day from 2026-01-01.
std::string DayName(int n) {
    using namespace std::chrono;
    const year_month_day date{sys_days{year{2026} / January / 1} + days{n}};
    char name[40];
    std::snprintf(name, sizeof name, "Log Quellix %04d-%02u-%02u.htm", int{date.year()},
                  unsigned{date.month()}, unsigned{date.day()});
    return name;
}

std::vector<std::string> Days(int first, int count) {
    std::vector<std::string> names;
    for (int i = first; i < first + count; ++i) {
        names.push_back(DayName(i));
    }
    return names;
}

// Writes the files newest first, so that the folder's own order is not date order.
void WriteAll(const TempDir& dir, std::vector<std::string> names) {
    std::reverse(names.begin(), names.end());
    for (const std::string& name : names) {
        dir.Write(name, "log");
    }
}

void Prune(const std::string& folder, std::int16_t keep) {
    const std::optional<platform::Directory> opened = platform::Directory::Open(folder);
    ASSERT_TRUE(opened.has_value()) << folder;
    PruneLogs(*opened, keep);
}

TEST(PruneLogs, KeepsRoomForTheNewDay) {
    struct Case {
        std::int16_t keep;
        int present;
        int removed;  // the oldest ones
    };
    const Case cases[] = {
        {10, 11, 2},   {10, 10, 0}, {10, 9, 0},   {10, 0, 0}, {2, 30, 29},
        {2, 2, 0},     {2, 3, 2},   {1, 1, 0},    {1, 2, 2},  {366, 367, 2},
        {366, 366, 0}, {10, 12, 3}, {3, 100, 98},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "keep " << c.keep << ", present " << c.present);
        TempDir dir;
        WriteAll(dir, Days(0, c.present));
        Prune(dir.Path(), c.keep);
        EXPECT_EQ(NamesIn(dir.Path()), Days(c.removed, c.present - c.removed));
    }
}

TEST(PruneLogs, OtherEntriesOfTheFolderAreLeftAlone) {
    TempDir dir;
    const std::vector<std::string> others = {
        "Log Quellix 2026-01-01.htm.bak",
        "Log Quellix 2026-01-01.txt",
        "Log 2026-01-01.htm",
        "Quellix 2026-01-01.htm",
        "a Log Quellix 2026-01-01.htm",
        "notes.htm",
        "Log Quellix.ht",
    };
    for (const std::string& name : others) {
        dir.Write(name, "other");
    }
    // A folder named like the newest log is not a log file.
    fs::create_directory(dir.File("Log Quellix 2099-01-01.htm"));
    WriteAll(dir, Days(0, 5));

    Prune(dir.Path(), 2);

    std::vector<std::string> expected = others;
    expected.push_back("Log Quellix 2099-01-01.htm");
    expected.push_back(DayName(4));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(dir.Path()), expected);
}

// What another user can plant in a shared log folder, and what is not plainly a log of ours, takes
// no part whatever it sorts as: it is neither counted nor removed. Our own logs go oldest first.
TEST(PruneLogs, OnlyOwnSingleLinkLogsWithACalendarDateTakePart) {
    enum class Kind { Ours, OtherUsers, HardLink, Symlink };
    const struct {
        const char* what;
        std::string name;
        Kind kind;
    } planted[] = {
        {"another user's, sorting last", "Log Quellix 2099-12-31.htm", Kind::OtherUsers},
        {"another user's, sorting first", "Log Quellix 2000-01-01.htm", Kind::OtherUsers},
        {"a second name of a file", "Log Quellix 2001-01-01.htm", Kind::HardLink},
        {"a link to a log", "Log Quellix 2002-01-01.htm", Kind::Symlink},
        {"no such day", "Log Quellix 2026-02-30.htm", Kind::Ours},
        {"no such month", "Log Quellix 2026-13-01.htm", Kind::Ours},
        {"no leap day that year", "Log Quellix 2025-02-29.htm", Kind::Ours},
        {"zero date", "Log Quellix 0000-00-00.htm", Kind::Ours},
        {"markup instead of a date", "Log Quellix <b>AAAA.htm", Kind::Ours},
        {"undated", "Log Quellix notes.htm", Kind::Ours},
        {"undated, sorting first", "Log Quellix 0 draft.htm", Kind::Ours},
        {"unpadded month", "Log Quellix 2026-1-01.htm", Kind::Ours},
        {"blank before the extension", "Log Quellix 2026-01-01 .htm", Kind::Ours},
        {"signed number", "Log Quellix +026-01-01.htm", Kind::Ours},
        {"other letter case", "Log Quellix 2026-01-01.HTM", Kind::Ours},
    };
    TempDir dir;
    const bool root = geteuid() == 0;
    dir.Write("elsewhere/target", "kept");
    fs::create_directory(dir.File("logs"));
    std::vector<std::string> expected;
    for (const auto& p : planted) {
        SCOPED_TRACE(p.what);
        const std::string path = dir.File("logs/" + p.name);
        switch (p.kind) {
            case Kind::Ours:
                dir.Write("logs/" + p.name, "planted");
                break;
            case Kind::OtherUsers:
                if (!root) {
                    continue;  // only root can give a file away
                }
                dir.Write("logs/" + p.name, "planted");
                ASSERT_EQ(lchown(path.c_str(), 65534, 65534), 0);
                break;
            case Kind::HardLink:
                ASSERT_EQ(link(dir.File("elsewhere/target").c_str(), path.c_str()), 0);
                break;
            case Kind::Symlink:
                ASSERT_EQ(symlink(DayName(4).c_str(), path.c_str()), 0);
                break;
        }
        expected.push_back(p.name);
    }
    // Our own: a leap day, then five days of 2026. Six logs, keep 3: the four oldest go.
    dir.Write("logs/Log Quellix 2024-02-29.htm", "log");
    for (const std::string& name : Days(0, 5)) {
        dir.Write("logs/" + name, "log");
    }
    Prune(dir.File("logs"), 3);

    expected.push_back(DayName(3));
    expected.push_back(DayName(4));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(dir.File("logs")), expected);
    EXPECT_EQ(dir.Read("elsewhere/target"), "kept");
}

// The folder is the one opened, wherever its path leads by now; a folder gone is nothing.
TEST(PruneLogs, WorksOnTheFolderOpenedWhateverItsPathNamesNow) {
    TempDir dir;
    for (const std::string& name : Days(0, 3)) {
        dir.Write("logs/" + name, "log");
    }
    const std::optional<platform::Directory> opened = platform::Directory::Open(dir.File("logs"));
    ASSERT_TRUE(opened.has_value());
    fs::rename(dir.File("logs"), dir.File("moved"));
    for (const std::string& name : Days(0, 3)) {
        dir.Write("logs/" + name, "log");
    }
    PruneLogs(*opened, 2);
    EXPECT_EQ(NamesIn(dir.File("moved")), Days(2, 1));
    EXPECT_EQ(NamesIn(dir.File("logs")), Days(0, 3));

    fs::create_directory(dir.File("gone"));
    const std::optional<platform::Directory> gone = platform::Directory::Open(dir.File("gone"));
    ASSERT_TRUE(gone.has_value());
    fs::remove(dir.File("gone"));
    PruneLogs(*gone, 0);
    EXPECT_FALSE(dir.Exists("gone"));
}

// Marks a file immutable for as long as it lives, so that not even root can remove it.
class ImmutableFile {
  public:
    explicit ImmutableFile(std::string path) : path_(std::move(path)) { set_ = Change(true); }
    ~ImmutableFile() {
        if (set_) {
            Change(false);
        }
    }
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;
    bool IsSet() const { return set_; }

  private:
    bool Change(bool on) const {
        const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return done;
    }

    std::string path_;
    bool set_ = false;
};

TEST(PruneLogs, FileThatCannotBeRemovedStillCountsAsGone) {
    TempDir dir;
    WriteAll(dir, Days(0, 11));
    const ImmutableFile stuck(dir.File(DayName(0)));
    if (!stuck.IsSet()) {
        GTEST_SKIP() << "the file system or the process cannot make a file immutable";
    }

    // Eleven logs, keep 10: the two oldest are tried; the first stays, the second goes, and no
    // third is taken in its place.
    Prune(dir.Path(), 10);

    std::vector<std::string> expected = Days(2, 9);
    expected.insert(expected.begin(), DayName(0));
    EXPECT_EQ(NamesIn(dir.Path()), expected);
}

}  // namespace
}  // namespace quellix
