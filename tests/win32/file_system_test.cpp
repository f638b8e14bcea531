#include "platform/file_system.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "file_helpers.h"
#include "platform/companion_files.h"
#include "platform/directory.h"
#include "platform/leftover_temporaries.h"
#include "platform/os_info.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using quellix::test::NamesIn;
using quellix::test::TempDir;

TEST(Win32FileSystem, ReplacesWholeOrKeepsTheOldFile) {
    TempDir temp;
    const std::string path = temp.Write("settings.ini", "old");
    EXPECT_TRUE(ReplaceFileContents(path, "new"));
    EXPECT_EQ(temp.Read("settings.ini"), "new");
    EXPECT_TRUE(ReplaceFileContents(path, "private", 0444u));
    EXPECT_NE(win32::test::AttributesAt(path) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(ReplaceFileContents(path, "again"));  // a read-only file is replaced too
    EXPECT_EQ(temp.Read("settings.ini"), "again");
    EXPECT_NE(win32::test::AttributesAt(path) & FILE_ATTRIBUTE_READONLY, 0u);
    {
        // Held open without sharing: the replacement must fail and change nothing.
        const win32::test::HeldOpen holder(path, 0);
        ASSERT_TRUE(holder.Valid());
        EXPECT_FALSE(ReplaceFileContents(path, "lost"));
    }
    EXPECT_EQ(temp.Read("settings.ini"), "again");
    temp.Write("folder/x", "");
    EXPECT_FALSE(ReplaceFileContents(temp.File("folder"), "x"));
    EXPECT_EQ(NamesIn(temp.Path()), (std::vector<std::string>{"folder", "settings.ini"}));
}

TEST(Win32FileSystem, OpensAppendFilesInAFolderByMode) {
    TempDir temp;
    temp.Write("old.log", "a");
    temp.Write("folder/x", "");
    const std::optional<Directory> folder = Directory::Open(temp.Path());
    ASSERT_TRUE(folder);
    const struct {
        const char* name;
        AppendFile::Mode mode;
        int error;
        const char* after;
    } cases[] = {
        {"new.log", AppendFile::Mode::CreateNew, 0, "+"},
        {"old.log", AppendFile::Mode::CreateNew, EEXIST, "a"},
        {"old.log", AppendFile::Mode::Append, 0, "a+"},
        {"other.log", AppendFile::Mode::Append, 0, "+"},
        {"folder", AppendFile::Mode::Append, EISDIR, nullptr},
        {"folder\\x", AppendFile::Mode::Append, EINVAL, nullptr},
    };
    for (const auto& c : cases) {
        int error = -1;
        const auto file = OpenAppendFile(*folder, c.name, c.mode, 0600, &error);
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(file != nullptr, c.error == 0) << c.name;
        if (file) {
            EXPECT_TRUE(file->Write("+"));
            const std::optional<EntryInfo> info = file->Info();
            ASSERT_TRUE(info) << c.name;
            EXPECT_EQ(info->size, static_cast<std::int64_t>(std::strlen(c.after))) << c.name;
            EXPECT_EQ(info->links, 1u) << c.name;
        }
        if (c.after != nullptr) {
            EXPECT_EQ(temp.Read(c.name), c.after) << c.name;
        }
    }
    EXPECT_EQ(temp.Read("folder/x"), "");

    // A second name of the file shows through the handle; the folder lists regular files only.
    ASSERT_TRUE(::CreateHardLinkW(win32::SystemPath(temp.File("second.log")).c_str(),
                                  win32::SystemPath(temp.File("old.log")).c_str(), nullptr));
    int error = -1;
    const auto linked = OpenAppendFile(*folder, "old.log", AppendFile::Mode::Append, 0600, &error);
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->Info()->links, 2u);
    std::vector<std::string> names;
    for (const FolderFile& file :
         ListRegularFiles(*folder, [](std::string_view name) { return name != "other.log"; })) {
        names.push_back(file.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"new.log", "old.log", "second.log"}));
}

TEST(Win32FileSystem, CanonicalPathsAreAbsoluteWithBackslashes) {
    TempDir temp;
    temp.Write("sub/file.txt", "x");
    const std::string real = CanonicalPath(temp.Path());
    ASSERT_EQ(real.find('/'), std::string::npos) << real;
    EXPECT_FALSE(real.starts_with("\\\\?\\"));
    EXPECT_EQ(CanonicalPath(temp.Path() + "/sub/../sub/./file.txt"), real + "\\sub\\file.txt");
    EXPECT_EQ(CanonicalPath(temp.Path() + "/sub/new.txt"), real + "\\sub\\new.txt");
    EXPECT_EQ(CanonicalPath(temp.Path() + "/missing/new.txt"), temp.Path() + "/missing/new.txt");
}

// The calls the start-up and the log make of folders and files, on backslash paths.
TEST(Win32FileSystem, FoldersStampsAndLeftoverTemporaries) {
    TempDir temp;
    std::string root = temp.Path();
    for (char& c : root) {
        c = c == '/' ? '\\' : c;
    }
    EXPECT_TRUE(IsWritableFolder(root));
    EXPECT_FALSE(IsWritableFolder(root + "\\missing"));
    ASSERT_TRUE(MakeFolders(root + "\\a\\b\\c", 0700));
    EXPECT_TRUE(IsExistingDirectory(root + "\\a\\b\\c"));
    EXPECT_TRUE(MakeFolders(root + "\\a\\b\\c"));  // already there
    temp.Write("plain.txt", "12345");
    EXPECT_FALSE(MakeFolders(root + "\\plain.txt\\sub"));
    EXPECT_FALSE(IsExistingDirectory(root + "\\plain.txt"));

    const auto stamp = GetFileStamp(root + "\\plain.txt");
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->size, 5);
    EXPECT_FALSE(GetFileStamp(root + "\\missing.txt").has_value());
    ASSERT_TRUE(ReplaceFileContents(root + "\\plain.txt", "longer text"));
    EXPECT_NE(GetFileStamp(root + "\\plain.txt"), stamp);

    // What a killed writer of Quellix.ini left goes; another file's temporary and a folder stay.
    std::string own = TemporaryNameTemplate("Quellix.ini");
    own.replace(own.size() - 6, 6, "a1B2c3");
    std::string other = TemporaryNameTemplate("Other.ini");
    other.replace(other.size() - 6, 6, "a1B2c3");
    temp.Write(own, "half written");
    temp.Write(other, "someone else's");
    temp.Write("Quellix.ini", "[Purge]\n");
    EXPECT_EQ(RemoveLeftoverTemporaries(root + "\\Quellix.ini", 1796641140), 1);
    EXPECT_EQ(NamesIn(temp.Path()),
              (std::vector<std::string>{other, "Quellix.ini", "a", "plain.txt"}));
}

}  // namespace
}  // namespace quellix::platform
