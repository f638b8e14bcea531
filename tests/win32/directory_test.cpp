#include "platform/directory.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "file_helpers.h"
#include "platform/win32/entry_info.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using quellix::test::TempDir;
using win32::test::AttributesAt;
using win32::test::ExistsAt;
using win32::test::HeldOpen;
using win32::test::MakeJunction;
using win32::test::SetAttributesAt;
using win32::test::WriteFileAt;

// Wine reports the archive attribute on every file: only these are compared.
constexpr DWORD kCompared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::vector<std::pair<std::string, EntryType>> Listing(const Directory& folder) {
    std::vector<std::pair<std::string, EntryType>> entries;
    EXPECT_TRUE(folder.ForEachEntry(
        [&](std::string_view name, EntryType type) { entries.emplace_back(name, type); }));
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST(Win32Directory, ListsAndStatsUnicodeNamesExactly) {
    TempDir temp;
    const std::string names[] = {"r\xc3\xa9sum\xc3\xa9.txt", "\xe6\x97\xa5\xe6\x9c\xac",
                                 "\xf0\x9f\x93\x81 notes.txt"};
    for (const std::string& name : names) {
        ASSERT_TRUE(WriteFileAt(temp.File(name), "x"));
    }
    temp.Write("sub/inner.txt", "y");
    const std::optional<Directory> folder = Directory::Open(temp.Path());
    ASSERT_TRUE(folder);
    std::vector<std::pair<std::string, EntryType>> expected = {{"sub", EntryType::Directory}};
    for (const std::string& name : names) {
        expected.emplace_back(name, EntryType::File);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(*folder), expected);
    // Listed twice from the start, with an entry removed during the walk.
    int seen = 0;
    EXPECT_TRUE(folder->ForEachEntry([&](std::string_view name, EntryType) {
        ++seen;
        if (name == names[0]) {
            EXPECT_EQ(folder->RemoveFile(name), 0);
        }
    }));
    EXPECT_EQ(seen, 4);
    EXPECT_FALSE(ExistsAt(temp.File(names[0])));

    for (const std::string& name : {names[1], names[2], std::string("sub")}) {
        const std::optional<EntryInfo> info = folder->Stat(name);
        const std::optional<EntryInfo> byPath = StatPath(temp.File(name));
        ASSERT_TRUE(info && byPath) << name;
        EXPECT_TRUE(info->SameEntryAs(*byPath)) << name;
        EXPECT_EQ(info->type, name == "sub" ? EntryType::Directory : EntryType::File);
        EXPECT_EQ(info->mode, name == "sub" ? 0777u : 0666u);
    }
    const std::optional<Directory> sub = folder->OpenChild("sub");
    ASSERT_TRUE(sub);
    const std::optional<Directory> parent = sub->OpenParent();
    const std::optional<Directory> again = folder->Duplicate();
    ASSERT_TRUE(parent && again);
    EXPECT_TRUE(parent->StatSelf()->SameEntryAs(*folder->StatSelf()));
    EXPECT_TRUE(again->StatSelf()->SameEntryAs(*folder->StatSelf()));
    EXPECT_FALSE(folder->StatSelf()->mountRoot);
    EXPECT_FALSE(folder->OpenChild(names[1]));  // a file
    EXPECT_FALSE(folder->Stat("missing"));
}

TEST(Win32Directory, ReadsTheTimesSetOnAnEntry) {
    TempDir temp;
    const std::string path = temp.Write("dated.txt", "x");
    // 2001-09-09 01:46:40, 2009-02-13 23:31:30 and 2017-07-14 02:40:00 UTC, with a fraction.
    const std::int64_t created = 1'000'000'000, accessed = 1'234'567'890, written = 1'500'000'000;
    const auto fileTime = [](std::int64_t seconds) {
        const std::uint64_t ticks = (seconds * 10'000'000) + 116'444'736'000'000'000 + 4'321;
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    {
        const HANDLE file = ::CreateFileW(win32::SystemPath(path).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const FILETIME c = fileTime(created), a = fileTime(accessed), w = fileTime(written);
        EXPECT_TRUE(::SetFileTime(file, &c, &a, &w));
        ::CloseHandle(file);
    }
    const std::optional<EntryInfo> info = Directory::Open(temp.Path())->Stat("dated.txt");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->modified, written);
    EXPECT_EQ(info->accessed, accessed);
    // Linux file systems keep no settable creation time: Wine 8 reports the last write time in
    // its place.
    ASSERT_TRUE(info->born);
    EXPECT_TRUE(*info->born == created || *info->born == written) << *info->born;
    EXPECT_GT(info->changed, written);  // the change time is the system's own: now
}

TEST(Win32Directory, ClearsReadOnlyKeepingTheOtherAttributes) {
    const struct {
        DWORD before;
        DWORD after;
    } cases[] = {
        {FILE_ATTRIBUTE_READONLY, 0},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
    };
    for (const auto& c : cases) {
        TempDir temp;
        const std::string path = temp.Write("file.txt", "x");
        ASSERT_TRUE(SetAttributesAt(path, c.before));
        const std::optional<Directory> folder = Directory::Open(temp.Path());
        EXPECT_EQ(folder->Stat("file.txt")->ownerWritable,
                  (c.before & FILE_ATTRIBUTE_READONLY) == 0);
        EXPECT_EQ(folder->Stat("file.txt")->mode,
                  (c.before & FILE_ATTRIBUTE_READONLY) != 0 ? 0444u : 0666u);
        EXPECT_EQ(folder->SetOwnerWritable("file.txt"), 0) << c.before;
        EXPECT_EQ(AttributesAt(path) & kCompared, c.after) << c.before;
        EXPECT_TRUE(folder->Stat("file.txt")->ownerWritable);
    }
}

TEST(Win32Directory, RemovesWhatItIsAskedToAndRefusesOtherNames) {
    TempDir temp;
    temp.Write("full/file.txt", "x");
    const std::string readOnly = temp.Write("read-only.txt", "x");
    ASSERT_TRUE(SetAttributesAt(readOnly, FILE_ATTRIBUTE_READONLY));
    const std::optional<Directory> folder = Directory::Open(temp.Path());
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->MakeDirectory("empty"), 0);
    EXPECT_EQ(folder->MakeDirectory("empty"), EEXIST);
    EXPECT_TRUE(folder->OpenOrMakeChildLike("made", EntryInfo{}));
    EXPECT_TRUE(folder->OpenOrMakeChildLike("made", EntryInfo{}));
    const struct {
        const char* name;
        bool folder;
        int expected;
    } cases[] = {
        {"empty", true, 0},      {"made", true, 0},           {"full", true, ENOTEMPTY},
        {"full", false, EISDIR}, {"read-only.txt", false, 0}, {"missing", false, ENOENT},
        {"", false, EINVAL},     {".", true, EINVAL},         {"..", false, EINVAL},
        {"a/b", false, EINVAL},  {"a\\b", true, EINVAL},      {"file.txt:stream", false, EINVAL},
    };
    for (const auto& c : cases) {
        const int result =
            c.folder ? folder->RemoveEmptyDirectory(c.name) : folder->RemoveFile(c.name);
        EXPECT_EQ(result, c.expected) << c.name;
    }
    EXPECT_EQ(quellix::test::NamesIn(temp.Path()), std::vector<std::string>{"full"});
    EXPECT_TRUE(temp.Exists("full/file.txt"));
}

TEST(Win32Directory, TreatsReparsePointsAsFilesAndRemovesOnlyThemselves) {
    TempDir temp;
    temp.Write("target/kept.txt", "kept");
    temp.Write("walked/file.txt", "x");
    // Wine 8 makes no reparse point (CreateSymbolicLinkW returns TRUE and makes nothing).
    if (!MakeJunction(temp.File("walked/link"), temp.File("target"))) {
        GTEST_SKIP() << "this system makes no junction";
    }
    const std::optional<Directory> walked = Directory::Open(temp.File("walked"));
    ASSERT_TRUE(walked);
    const std::vector<std::pair<std::string, EntryType>> expected = {{"file.txt", EntryType::File},
                                                                     {"link", EntryType::Symlink}};
    EXPECT_EQ(Listing(*walked), expected);
    const std::optional<EntryInfo> info = walked->Stat("link");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, EntryType::Symlink);
    EXPECT_FALSE(info->mountRoot);  // a junction, not a volume
    EXPECT_FALSE(walked->OpenChild("link"));
    EXPECT_FALSE(walked->HasOnlyHiddenEntries("link"));
    EXPECT_FALSE(walked->IsLocked("link"));
    EXPECT_EQ(walked->RemoveEmptyDirectory("link"), ENOTDIR);
    EXPECT_EQ(walked->RemoveFile("link"), 0);
    EXPECT_FALSE(temp.Exists("walked/link"));
    EXPECT_EQ(temp.Read("target/kept.txt"), "kept");
    // A configured folder that is a link is followed.
    ASSERT_TRUE(MakeJunction(temp.File("walked/link"), temp.File("target")));
    const std::optional<Directory> followed = Directory::Open(temp.File("walked/link"));
    ASSERT_TRUE(followed);
    EXPECT_EQ(Listing(*followed),
              (std::vector<std::pair<std::string, EntryType>>{{"kept.txt", EntryType::File}}));
}

TEST(Win32Directory, SeesAFileOpenElsewhereAsLocked) {
    TempDir temp;
    const std::string held = temp.Write("held.txt", "x");
    const std::string shared = temp.Write("shared.txt", "x");
    temp.Write("closed.txt", "x");
    temp.Write("folder/inner.txt", "x");
    const HeldOpen holder(held, 0);
    const HeldOpen sharer(shared, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(holder.Valid() && sharer.Valid());
    const std::optional<Directory> folder = Directory::Open(temp.Path());
    const struct {
        const char* name;
        EntryType seenAs;
        bool locked;
    } cases[] = {
        {"held.txt", EntryType::Unknown, true},     {"held.txt", EntryType::File, true},
        {"shared.txt", EntryType::Unknown, true},   {"closed.txt", EntryType::File, false},
        {"folder", EntryType::Directory, false},    {"folder", EntryType::Unknown, false},
        {"missing.txt", EntryType::Unknown, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folder->IsLocked(c.name, c.seenAs), c.locked) << c.name;
    }
    // The probe itself leaves the file free.
    EXPECT_TRUE(HeldOpen(temp.File("closed.txt"), 0).Valid());
}

// Cloud files kept elsewhere carry attributes Wine never gives: the decision is fed them here.
TEST(Win32CloudPlaceholder, IsToldByTheRecallAttributes) {
    const struct {
        DWORD attributes;
        bool placeholder;
    } cases[] = {
        {0, false},
        {FILE_ATTRIBUTE_NORMAL, false},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, false},
        {FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_SPARSE_FILE, false},
        {FILE_ATTRIBUTE_REPARSE_POINT, false},
        {win32::kRecallOnOpen, true},
        {win32::kRecallOnDataAccess, true},
        {win32::kRecallOnDataAccess | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SPARSE_FILE, true},
        {win32::kRecallOnOpen | FILE_ATTRIBUTE_DIRECTORY, true},
        {win32::kRecallOnOpen | win32::kRecallOnDataAccess | FILE_ATTRIBUTE_REPARSE_POINT, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win32::IsCloudPlaceholder(c.attributes), c.placeholder)
            << std::hex << c.attributes;
    }
}

// What the purge knows of a placeholder is its listing's record: dates, size, identity.
TEST(Win32CloudPlaceholder, IsDescribedFromItsListingRecord) {
    FILE_ID_BOTH_DIR_INFO record{};
    record.FileAttributes = win32::kRecallOnDataAccess | FILE_ATTRIBUTE_READONLY;
    constexpr std::int64_t kEpochTicks = 116'444'736'000'000'000;
    record.LastWriteTime.QuadPart = kEpochTicks + 1'700'000'000LL * 10'000'000;
    record.LastAccessTime.QuadPart = kEpochTicks + 1'700'000'100LL * 10'000'000;
    record.CreationTime.QuadPart = kEpochTicks + 1'600'000'000LL * 10'000'000;
    record.ChangeTime.QuadPart = kEpochTicks + 1'700'000'050LL * 10'000'000;
    record.EndOfFile.QuadPart = 5'000'000'000;
    record.FileId.QuadPart = 0x1234'5678'9ABCLL;
    const EntryInfo info = win32::ListedEntryInfo(record, 0xCAFE);
    EXPECT_TRUE(info.cloudPlaceholder);
    EXPECT_EQ(info.type, EntryType::File);
    EXPECT_FALSE(info.ownerWritable);
    EXPECT_EQ(info.modified, 1'700'000'000);
    EXPECT_EQ(info.accessed, 1'700'000'100);
    EXPECT_EQ(info.changed, 1'700'000'050);
    EXPECT_EQ(info.born, std::optional<std::int64_t>(1'600'000'000));
    EXPECT_EQ(info.size, 5'000'000'000);
    EXPECT_EQ(info.device, 0xCAFEu);
    EXPECT_EQ(info.inode, 0x1234'5678'9ABCu);

    record.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_FALSE(win32::ListedEntryInfo(record, 0xCAFE).cloudPlaceholder);
}

// Files whose content is here are examined as before: the listing hands over no info of its own.
TEST(Win32CloudPlaceholder, OrdinaryEntriesAreLeftToStat) {
    TempDir temp;
    temp.Write("file.txt", "x");
    temp.Write("folder/inner.txt", "y");
    const std::optional<Directory> folder = Directory::Open(temp.Path());
    ASSERT_TRUE(folder);
    std::vector<std::pair<std::string, EntryType>> seen;
    EXPECT_TRUE(folder->ForEachEntryWithInfo(
        [&](std::string_view name, EntryType type, const EntryInfo* listed) {
            EXPECT_EQ(listed, nullptr) << name;
            seen.emplace_back(name, type);
        }));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, Listing(*folder));
    EXPECT_FALSE(folder->Stat("file.txt")->cloudPlaceholder);
}

TEST(Win32Directory, CountsHiddenAndSystemEntriesAsHidden) {
    const struct {
        const char* name;
        DWORD attributes;
        std::optional<bool> onlyHidden;
    } cases[] = {
        {nullptr, 0, true},
        {"thumbs.db", FILE_ATTRIBUTE_HIDDEN, true},
        {"desktop.ini", FILE_ATTRIBUTE_SYSTEM, true},
        {".dot", FILE_ATTRIBUTE_NORMAL, true},
        {"plain.txt", FILE_ATTRIBUTE_NORMAL, false},
        {"read-only.txt", FILE_ATTRIBUTE_READONLY, false},
    };
    for (const auto& c : cases) {
        TempDir temp;
        const std::optional<Directory> folder = Directory::Open(temp.Path());
        ASSERT_EQ(folder->MakeDirectory("sub"), 0);
        if (c.name != nullptr) {
            ASSERT_TRUE(
                SetAttributesAt(temp.Write(std::string("sub/") + c.name, "x"), c.attributes));
        }
        EXPECT_EQ(folder->HasOnlyHiddenEntries("sub"), c.onlyHidden) << (c.name ? c.name : "empty");
        EXPECT_EQ(folder->HasOnlyHiddenEntries("missing"), std::nullopt);
    }
}

}  // namespace
}  // namespace quellix::platform
