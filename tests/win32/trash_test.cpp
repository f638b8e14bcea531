#include "platform/trash.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iterator>

#include "platform/process_info.h"
#include "platform/win32/trash.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

// Wine keeps the Recycle Bin in the freedesktop trash of $XDG_DATA_HOME, which wine-run.sh puts
// in the build folder; Z: is Wine's view of "/".
std::string WineTrashFolder() {
    const std::optional<std::string> data = EnvironmentVariable("XDG_DATA_HOME");
    return data && data->starts_with("/") ? "Z:" + *data + "/Trash" : std::string();
}

std::vector<std::string> Difference(std::vector<std::string> after,
                                    const std::vector<std::string>& before) {
    std::vector<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    return added;
}

class WindowsRecycleBin : public ::testing::Test {
  protected:
    void SetUp() override {
        trash_ = WineTrashFolder();
        if (trash_.empty()) {
            GTEST_SKIP() << "needs Wine's trash (scripts/wine-run.sh)";
        }
    }
    win32::RecycleOutcome Recycle(const std::string& name) const {
        return win32::RecycleEntry(win32::SystemPath(dir_.Path()), win32::Widen(name));
    }

    test::TempDir dir_;
    std::string trash_;
};

TEST_F(WindowsRecycleBin, TheFileEndsUpInTheBinAndNothingIsLeftBeside) {
    dir_.Write("old report.txt", "kept in the bin");
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    const win32::RecycleOutcome outcome = Recycle("old report.txt");
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.shellResult, 0);
    EXPECT_EQ(outcome.aborted, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(added[0].starts_with("old report")) << added[0];
    ::DeleteFileW(win32::SystemPath(trash_ + "/files/" + added[0]).c_str());
    ::DeleteFileW(win32::SystemPath(trash_ + "/info/" + added[0] + ".trashinfo").c_str());
}

// Where the shell cannot keep a file it deletes it for good and reports success: on Windows a
// volume without a bin or a file too large for it, under Wine a trash folder it cannot make
// (Wine makes a missing one again, so a plain file stands in its way here).
TEST_F(WindowsRecycleBin, AReadOnlyFileLeavesNothingBehind) {
    const std::string file = dir_.Write("frozen.txt", "read-only");
    ASSERT_TRUE(::SetFileAttributesW(win32::SystemPath(file).c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    EXPECT_EQ(Recycle("frozen.txt").error, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    const std::wstring inBin = win32::SystemPath(trash_ + "/files/" + added[0]);
    ::SetFileAttributesW(inBin.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(inBin.c_str());
    ::DeleteFileW(win32::SystemPath(trash_ + "/info/" + added[0] + ".trashinfo").c_str());
}

// A folder has no second name to keep it: the bin's count must grow by it instead.
TEST_F(WindowsRecycleBin, AFolderIsCountedIntoTheBin) {
    dir_.Write("old folder/inside.txt", "x");
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    EXPECT_EQ(Recycle("old folder").error, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(test::NamesIn(trash_ + "/files/" + added[0]), std::vector<std::string>{"inside.txt"});
    std::error_code ignored;
    std::filesystem::remove_all(win32::Widen(trash_ + "/files/" + added[0]), ignored);
    std::filesystem::remove(win32::Widen(trash_ + "/info/" + added[0] + ".trashinfo"), ignored);
}

TEST_F(WindowsRecycleBin, NoBinMeansFailureAndTheFileStays) {
    dir_.Write("precious.txt", "must survive");
    const std::wstring trash = win32::SystemPath(trash_);
    const std::wstring away = win32::SystemPath(trash_ + ".away");
    ASSERT_TRUE(::MoveFileW(trash.c_str(), away.c_str()));
    HANDLE blocker = ::CreateFileW(trash.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool blocked = blocker != INVALID_HANDLE_VALUE;
    ::CloseHandle(blocker);
    const win32::RecycleOutcome outcome = Recycle("precious.txt");
    ::DeleteFileW(trash.c_str());
    ASSERT_TRUE(::MoveFileW(away.c_str(), trash.c_str()));
    ASSERT_TRUE(blocked);
    EXPECT_NE(outcome.error, 0);
    EXPECT_EQ(dir_.Read("precious.txt"), "must survive");
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{"precious.txt"});
}

TEST_F(WindowsRecycleBin, RefusesWhatIsNotOneExistingEntry) {
    dir_.Write("kept.txt", "");
    const struct {
        const char* name;
        int error;
    } cases[] = {
        {"", EINVAL},
        {".", EINVAL},
        {"..", EINVAL},
        {"sub\\kept.txt", EINVAL},
        {"kept.txt:stream", EINVAL},
        {"*.txt", EINVAL},
        {"missing.txt", ENOENT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Recycle(c.name).error, c.error) << c.name;
    }
    EXPECT_TRUE(dir_.Exists("kept.txt"));
}

TEST(WindowsTrashNames, TheRecycleBinFoldersAtAVolumesTop) {
    const struct {
        const char* name;
        bool isBin;
    } cases[] = {
        {"$Recycle.Bin", true}, {"$RECYCLE.BIN", true},   {"Recycler", true},
        {"RECYCLED", true},     {"recycled", true},       {".Trash", false},
        {".Trash-1000", false}, {"$Recycle.Bin2", false}, {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTopdirTrashName(c.name), c.isBin) << c.name;
    }
    EXPECT_EQ(HomeTrashPath(), "");
}

}  // namespace
}  // namespace quellix::platform
