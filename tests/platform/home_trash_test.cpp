#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "immutable_flag.h"
#include "platform/directory.h"
#include "platform/trash.h"
#include "support/env_override.h"
#include "support/file_mode.h"
#include "support/temp_dir.h"
#include "trash_list.h"

namespace quellix::platform {
namespace {

using test::EnvOverride;
using test::ImmutableFlag;
using test::TempDir;
using test::ZoneOverride;

constexpr std::int64_t kDeletedAt = 1796630950;  // 2026-12-07 08:09:10 UTC
constexpr char kDeletionDate[] = "2026-12-07T08:09:10";

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string InfoText(const std::string& encodedPath) {
    return "[Trash Info]\nPath=" + encodedPath + "\nDeletionDate=" + kDeletionDate + "\n";
}

// A user whose home, and the folders purged, are inside the test's folder.
class HomeTrashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir(dir_.File("home").c_str(), 0700), 0);
        ASSERT_EQ(::mkdir(work_.c_str(), 0755), 0);
        folder_ = Directory::Open(work_);
        ASSERT_TRUE(folder_.has_value());
    }

    int Trash(const std::string& name) {
        return MoveToTrash(*folder_, name, work_ + "/" + name, kDeletedAt);
    }

    TempDir dir_;
    std::string work_ = dir_.File("work");
    std::string trash_ = dir_.File("home/.local/share/Trash");
    EnvOverride home_{"HOME", dir_.File("home")};
    EnvOverride dataHome_{"XDG_DATA_HOME", std::nullopt};
    ZoneOverride zone_{"UTC0"};
    std::optional<Directory> folder_;
};

TEST_F(HomeTrashTest, EntryMovesInWithItsInfoAndPrivateFolders) {
    dir_.Write("work/report.txt", "content");
    dir_.Write("work/folder/inside", "deep");

    ASSERT_EQ(Trash("report.txt"), 0);
    ASSERT_EQ(Trash("folder"), 0);
    EXPECT_TRUE(Entries(work_).empty());
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/report.txt"), "content");
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/folder/inside"), "deep");
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/report.txt.trashinfo"),
              InfoText(work_ + "/report.txt"));
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/folder.trashinfo"),
              InfoText(work_ + "/folder"));
    for (const char* made : {"", "/files", "/info"}) {
        EXPECT_EQ(test::ModeOf(trash_ + made), 0700u) << made;
    }
}

TEST_F(HomeTrashTest, AnyBytesInNamesArePercentEncoded) {
    const std::vector<std::pair<std::string, std::string>> names = {
        {"with space", "with%20space"},
        {"new\nline", "new%0Aline"},
        {"\xff bad", "%FF%20bad"},
        {"-dash", "-dash"},
        {"100%", "100%25"},
        {"a+b&c=d#?;", "a%2Bb%26c%3Dd%23%3F%3B"},
        {"caf\xc3\xa9", "caf%C3%A9"},
        {"tilde~_.", "tilde~_."},
    };
    for (const auto& [name, encoded] : names) {
        dir_.Write("work/" + name, name);
        ASSERT_EQ(Trash(name), 0) << name;
        EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/" + name), name);
        EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/" + name + ".trashinfo"),
                  InfoText(work_ + "/" + encoded));
    }
}

// The info file adds ".trashinfo" to the name: a name at the file system's limit is kept shorter
// in the trash, cut between characters, while the info keeps the whole original path.
TEST_F(HomeTrashTest, LongNamesAreShortenedInTheTrashOnly) {
    const std::string ascii(255, 'L');
    std::string accented;
    for (int i = 0; i < 127; ++i) {
        accented += "\xc3\xa9";
    }
    dir_.Write("work/" + ascii, "ascii");
    dir_.Write("work/" + accented, "accented");

    ASSERT_EQ(Trash(ascii), 0);
    ASSERT_EQ(Trash(accented), 0);
    const std::string keptAscii(245, 'L');
    const std::string keptAccented = accented.substr(0, 244);
    EXPECT_EQ(Entries(trash_ + "/files"), (std::vector<std::string>{keptAscii, keptAccented}));
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/" + keptAscii), "ascii");
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/" + keptAscii + ".trashinfo"),
              InfoText(work_ + "/" + ascii));
    std::string encodedAccented;
    for (int i = 0; i < 127; ++i) {
        encodedAccented += "%C3%A9";
    }
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/" + keptAccented + ".trashinfo"),
              InfoText(work_ + "/" + encodedAccented));
}

TEST_F(HomeTrashTest, TakenNamesGetTheNextNumber) {
    dir_.Write("work/a/same", "first");
    dir_.Write("work/b/same", "second");
    dir_.Write("work/c/same", "third");
    // Left behind without its info file: still taken.
    dir_.Write("home/.local/share/Trash/files/orphan", "old");
    dir_.Write("work/orphan", "new");

    for (const char* sub : {"a", "b", "c"}) {
        const std::optional<Directory> folder = Directory::Open(work_ + "/" + sub);
        ASSERT_TRUE(folder.has_value());
        ASSERT_EQ(MoveToTrash(*folder, "same", work_ + "/" + sub + "/same", kDeletedAt), 0);
    }
    ASSERT_EQ(Trash("orphan"), 0);

    EXPECT_EQ(Entries(trash_ + "/files"),
              (std::vector<std::string>{"orphan", "orphan.2", "same", "same.2", "same.3"}));
    EXPECT_EQ(Entries(trash_ + "/info"),
              (std::vector<std::string>{"orphan.2.trashinfo", "same.2.trashinfo",
                                        "same.3.trashinfo", "same.trashinfo"}));
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/same.2"), "second");
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/info/same.3.trashinfo"),
              InfoText(work_ + "/c/same"));
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/orphan"), "old");
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/orphan.2"), "new");
}

TEST_F(HomeTrashTest, FailedMoveLeavesTheEntryAndNoInfo) {
    const std::string path = dir_.Write("work/pinned", "content");
    ImmutableFlag immutable(path);
    if (!immutable.Set()) {
        GTEST_SKIP() << "cannot make a file immutable here (needs root and ext4, xfs, btrfs...)";
    }
    EXPECT_EQ(Trash("pinned"), EPERM);
    EXPECT_EQ(dir_.Read("work/pinned"), "content");
    EXPECT_TRUE(Entries(trash_ + "/info").empty());
    EXPECT_TRUE(Entries(trash_ + "/files").empty());
}

TEST_F(HomeTrashTest, NothingToTrashOrNoPathCreatesNothing) {
    dir_.Write("work/file", "x");
    EXPECT_EQ(Trash("missing"), ENOENT);
    EXPECT_EQ(MoveToTrash(*folder_, "file", "work/file", kDeletedAt), EINVAL);
    EXPECT_EQ(MoveToTrash(*folder_, "file", "", kDeletedAt), EINVAL);
    EXPECT_EQ(MoveToTrash(*folder_, "../work/file", work_ + "/file", kDeletedAt), EINVAL);
    EXPECT_TRUE(Entries(dir_.File("home")).empty());
    EXPECT_EQ(dir_.Read("work/file"), "x");
}

TEST_F(HomeTrashTest, DataHomeFromTheEnvironmentWhenAbsolute) {
    dir_.Write("work/one", "1");
    dir_.Write("work/two", "2");
    {
        EnvOverride data("XDG_DATA_HOME", dir_.File("data"));
        ASSERT_EQ(Trash("one"), 0);
    }
    {
        // A relative value is invalid: the default applies.
        EnvOverride data("XDG_DATA_HOME", "relative/data");
        ASSERT_EQ(Trash("two"), 0);
    }
    EXPECT_EQ(dir_.Read("data/Trash/files/one"), "1");
    EXPECT_EQ(dir_.Read("data/Trash/info/one.trashinfo"), InfoText(work_ + "/one"));
    EXPECT_EQ(dir_.Read("home/.local/share/Trash/files/two"), "2");
}

TEST_F(HomeTrashTest, RootTakesOnlyATrashRootAloneCanChange) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "the rule is root's";
    }
    // Started with a user's environment, root must not put what it trashes where they read it.
    ASSERT_EQ(::mkdir(dir_.File("theirs").c_str(), 0755), 0);
    ASSERT_EQ(::chown(dir_.File("theirs").c_str(), 65534, 65534), 0);
    const std::string roots = std::string(::getpwuid(0)->pw_dir) + "/.local/share/Trash";
    const struct {
        std::optional<std::string> data;
        std::string home;
        std::string trash;
    } cases[] = {
        {dir_.File("data"), dir_.File("theirs"), dir_.File("data/Trash")},
        {dir_.File("theirs/data"), dir_.File("home"), trash_},
        {dir_.File("theirs/data"), dir_.File("theirs"), roots},
        {std::nullopt, dir_.File("theirs"), roots},
    };
    for (const auto& c : cases) {
        const EnvOverride data("XDG_DATA_HOME", c.data);
        const EnvOverride home("HOME", c.home);
        EXPECT_EQ(HomeTrashPath(), c.trash) << c.data.value_or("(unset)") << " " << c.home;
    }
}

TEST_F(HomeTrashTest, TrashCliListsOriginalPaths) {
    const std::vector<std::string> names = {
        "plain.txt", "with space",  "new\nline",           "-dash",
        "100%",      "caf\xc3\xa9", std::string(255, 'L'), "same"};
    for (const std::string& name : names) {
        dir_.Write("work/" + name, "x");
        ASSERT_EQ(Trash(name), 0) << name;
    }
    dir_.Write("work/same", "again");
    ASSERT_EQ(Trash("same"), 0);
    dir_.Write("work/\xff bad", "x");
    ASSERT_EQ(Trash("\xff bad"), 0);

    const std::optional<std::string> listing = test::TrashList();
    if (!listing) {
        GTEST_SKIP() << "trash-cli is not installed (scripts/install-deps.sh test)";
    }
    const std::string date = "2026-12-07 08:09:10 ";
    for (const std::string& name : names) {
        EXPECT_NE(listing->find(date + work_ + "/" + name + "\n"), std::string::npos)
            << name << " in\n"
            << *listing;
    }
    const std::string same = date + work_ + "/same\n";
    const std::size_t first = listing->find(same);
    EXPECT_NE(listing->find(same, first + 1), std::string::npos) << *listing;
    // trash-cli decodes paths as UTF-8 and shows other bytes as U+FFFD.
    EXPECT_NE(listing->find(date + work_ + "/\xef\xbf\xbd bad\n"), std::string::npos) << *listing;
}

}  // namespace
}  // namespace quellix::platform
