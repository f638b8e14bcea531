#include "purge/log_retention.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
        PruneLogs(dir.Path(), c.keep);
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

    PruneLogs(dir.Path(), 2);

    std::vector<std::string> expected = others;
    expected.push_back("Log Quellix 2099-01-01.htm");
    expected.push_back(DayName(4));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(dir.Path()), expected);
}

TEST(PruneLogs, UndatedLogNamesTakePartByNameOrder) {
    TempDir dir;
    WriteAll(dir, Days(0, 5));
    dir.Write("Log Quellix notes.htm", "notes");
    dir.Write("Log Quellix 0 draft.htm", "draft");

    // Seven logs, keep 3: the five first by name go, whatever the names say. "notes" sorts after
    // every dated name and so outlives the newer dated logs.
    PruneLogs(dir.Path(), 3);

    EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{DayName(4), "Log Quellix notes.htm"}));
}

TEST(PruneLogs, MissingFolderIsNothing) {
    TempDir dir;
    PruneLogs(dir.File("absent"), 2);
    PruneLogs(dir.File("absent/deeper"), 0);
    EXPECT_FALSE(dir.Exists("absent"));
    EXPECT_TRUE(NamesIn(dir.Path()).empty());
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
    PruneLogs(dir.Path(), 10);

    std::vector<std::string> expected = Days(2, 9);
    expected.insert(expected.begin(), DayName(0));
    EXPECT_EQ(NamesIn(dir.Path()), expected);
}

}  // namespace
}  // namespace quellix
