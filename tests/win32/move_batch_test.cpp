#include "platform/move_batch.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "file_helpers.h"
#include "platform/directory.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using quellix::test::NamesIn;
using quellix::test::TempDir;
using win32::test::HeldOpen;

TEST(Win32MoveBatch, RenamesWithinAVolumeAndNeverReplaces) {
    TempDir temp;
    temp.Write("from/free.txt", "free");
    temp.Write("from/clash.txt", "source");
    temp.Write("to/clash.txt", "target");
    temp.Write("from/folder/inner.txt", "inner");
    const std::optional<Directory> from = Directory::Open(temp.File("from"));
    const std::optional<Directory> to = Directory::Open(temp.File("to"));
    ASSERT_TRUE(from && to);
    const struct {
        const char* name;
        const char* newName;
        int expected;
    } cases[] = {
        {"free.txt", "moved.txt", 0},     {"clash.txt", "clash.txt", EEXIST},
        {"missing.txt", "x.txt", ENOENT}, {"folder", "folder", 0},
        {"free.txt", "a/b", EINVAL},
    };
    MoveBatch batch;
    for (const auto& c : cases) {
        int outcome = -1;
        batch.Move(*from, c.name, *to, c.newName, [&](int error) { outcome = error; });
        EXPECT_EQ(outcome, c.expected) << c.name;  // done before Move returns
    }
    EXPECT_EQ(temp.Read("to/moved.txt"), "free");
    EXPECT_EQ(temp.Read("to/clash.txt"), "target");
    EXPECT_EQ(temp.Read("from/clash.txt"), "source");
    EXPECT_EQ(temp.Read("to/folder/inner.txt"), "inner");
    EXPECT_EQ(NamesIn(temp.File("from")), std::vector<std::string>{"clash.txt"});
    EXPECT_EQ(batch.DestinationSyncs(), 0u);
    EXPECT_EQ(MoveEntry(*to, "moved.txt", *to, "clash.txt"), EEXIST);
}

// Wine keeps one drive for all of "/", but a rename onto another Linux file system fails as a
// move between volumes does: /dev/shm is such a one.
TEST(Win32MoveBatch, CopiesAcrossVolumesThenRemovesTheSource) {
    TempDir temp;
    char name[64];
    std::snprintf(name, sizeof name, "Z:/dev/shm/quellix-test-%lu",
                  static_cast<unsigned long>(::GetCurrentProcessId()));
    const std::string other = name;
    if (!::CreateDirectoryW(win32::SystemPath(other).c_str(), nullptr)) {
        GTEST_SKIP() << "no second file system";
    }
    const std::string source = temp.Write("from/data.txt", std::string(60000, 'q'));
    temp.Write("from/clash.txt", "source");
    temp.Write("from/folder/inner.txt", "inner");
    const FILETIME old{0x12345678, 0x01c00000};
    {
        const HANDLE file = ::CreateFileW(win32::SystemPath(source).c_str(), FILE_WRITE_ATTRIBUTES,
                                          0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &old));
        ::CloseHandle(file);
    }
    const std::vector<std::string> otherFiles = {"clash.txt", ".quellix-move-1-1",
                                                 ".quellix-move-2-1"};
    for (const std::string& file : otherFiles) {
        ASSERT_TRUE(win32::test::WriteFileAt(other + "/" + file, "old"));
    }
    {
        // A live mover holds its copy open; the dead one's copy is free.
        const HeldOpen live(other + "/.quellix-move-2-1", 0);
        const std::optional<Directory> from = Directory::Open(temp.File("from"));
        const std::optional<Directory> to = Directory::Open(other);
        ASSERT_TRUE(from && to && live.Valid());
        MoveBatch batch;
        std::vector<int> outcomes;
        for (const char* entry : {"data.txt", "clash.txt", "folder"}) {
            batch.Move(*from, entry, *to, entry, [&](int error) { outcomes.push_back(error); });
        }
        EXPECT_EQ(outcomes, (std::vector<int>{0, EEXIST, EXDEV}));
        EXPECT_EQ(batch.DestinationSyncs(), 2u);
        const std::optional<EntryInfo> moved = to->Stat("data.txt");
        ASSERT_TRUE(moved);
        const std::int64_t oldTicks = (std::int64_t{old.dwHighDateTime} << 32) | old.dwLowDateTime;
        EXPECT_EQ(moved->modified, (oldTicks - 116'444'736'000'000'000) / 10'000'000);
    }
    EXPECT_EQ(win32::test::ReadFileAt(other + "/data.txt"), std::string(60000, 'q'));
    EXPECT_EQ(win32::test::ReadFileAt(other + "/clash.txt"), "old");
    EXPECT_EQ(NamesIn(other),
              (std::vector<std::string>{".quellix-move-2-1", "clash.txt", "data.txt"}));
    EXPECT_EQ(NamesIn(temp.File("from")), (std::vector<std::string>{"clash.txt", "folder"}));
    for (const std::string& file : {std::string("data.txt"), otherFiles[0], otherFiles[2]}) {
        ::DeleteFileW(win32::SystemPath(other + "/" + file).c_str());
    }
    ::RemoveDirectoryW(win32::SystemPath(other).c_str());
}

}  // namespace
}  // namespace quellix::platform
