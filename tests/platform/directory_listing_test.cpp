#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::TempDir;

std::vector<std::string> ListNames(const Directory& folder) {
    std::vector<std::string> names;
    EXPECT_TRUE(
        folder.ForEachEntry([&](std::string_view name, EntryType) { names.emplace_back(name); }));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> OddNames() {
    return {
        "plain.txt",
        "with space",
        "new\nline",
        "tab\tand\rreturn",
        "\xff\xfe not utf-8 \xc3",
        "-leading-dash",
        "--",
        "-",
        "...",
        ".hidden",
        "back\\slash",
        "caf\xc3\xa9",
        std::string(255, 'n'),
    };
}

TEST(DirectoryListing, ListsEveryNameExactlyOnceWithoutDots) {
    TempDir dir;
    std::vector<std::string> expected = OddNames();
    for (const std::string& name : expected) {
        dir.Write("folder/" + name, "x");
    }
    std::sort(expected.begin(), expected.end());

    std::optional<Directory> folder = Directory::Open(dir.File("folder"));
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(ListNames(*folder), expected);
    // Each listing starts over, however the previous one went: one after another, one begun
    // within another (both whole), and through a handle moved after a listing.
    EXPECT_EQ(ListNames(*folder), expected);
    std::vector<std::string> outer;
    std::vector<std::vector<std::string>> inner;
    ASSERT_TRUE(folder->ForEachEntry([&](std::string_view name, EntryType) {
        outer.emplace_back(name);
        if (inner.size() < 2) {
            inner.push_back(ListNames(*folder));
        }
    }));
    std::sort(outer.begin(), outer.end());
    EXPECT_EQ(outer, expected);
    EXPECT_EQ(inner, (std::vector<std::vector<std::string>>{expected, expected}));
    // A listing ended early visits nothing after its last wanted entry, and the next starts over.
    std::size_t visited = 0;
    ASSERT_TRUE(
        folder->ForEachEntryWhile([&](std::string_view, EntryType) { return ++visited < 2; }));
    EXPECT_EQ(visited, 2U);
    Directory moved = std::move(*folder);
    EXPECT_EQ(ListNames(moved), expected);
}

TEST(DirectoryListing, EmptyFolderListsNothing) {
    TempDir dir;
    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(ListNames(*folder).empty());
}

TEST(DirectoryListing, ReportsTypesWithoutFollowingLinks) {
    TempDir dir;
    dir.Write("file", "data");
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("folder", dir.File("link-to-folder").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", dir.File("dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.File("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(sock);

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    std::map<std::string, EntryType> types;
    ASSERT_TRUE(folder->ForEachEntry(
        [&](std::string_view name, EntryType type) { types[std::string(name)] = type; }));

    // Some file systems leave types out of listings; the ones tests run on give them all.
    const std::map<std::string, EntryType> expected = {
        {"file", EntryType::File},
        {"folder", EntryType::Directory},
        {"link-to-folder", EntryType::Symlink},
        {"dangling", EntryType::Symlink},
        {"fifo", EntryType::Other},
        {"socket", EntryType::Other},
    };
    EXPECT_EQ(types, expected);
}

// Thousands of entries need several reads of the kernel's listing: none may be lost or repeated
// at the seams, also while the visitor removes what it was given, as the purge does.
TEST(DirectoryListing, LargeFolderListedCompletelyWhileEntriesAreRemoved) {
    TempDir dir;
    constexpr int kCount = 3000;
    std::vector<std::string> expected;
    for (int i = 0; i < kCount; ++i) {
        expected.push_back(std::to_string(i) + "-" + std::string(100, 'e'));
        dir.Write("big/" + expected.back(), "");
    }
    std::sort(expected.begin(), expected.end());
    const std::optional<Directory> folder = Directory::Open(dir.File("big"));
    ASSERT_TRUE(folder.has_value());
    ASSERT_EQ(ListNames(*folder), expected);

    std::vector<std::string> visited;
    ASSERT_TRUE(folder->ForEachEntry([&](std::string_view name, EntryType type) {
        EXPECT_EQ(type, EntryType::File);
        visited.emplace_back(name);
        EXPECT_EQ(folder->RemoveFile(name), 0);
    }));
    std::sort(visited.begin(), visited.end());
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(ListNames(*folder).empty());
}

// A folder removed while open must not pass for an empty one.
TEST(DirectoryListing, RemovedFolderIsUnreadableNotEmpty) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("gone").c_str(), 0755), 0);
    const std::optional<Directory> folder = Directory::Open(dir.File("gone"));
    ASSERT_TRUE(folder.has_value());
    ASSERT_EQ(::rmdir(dir.File("gone").c_str()), 0);
    int calls = 0;
    EXPECT_FALSE(folder->ForEachEntry([&](std::string_view, EntryType) { ++calls; }));
    EXPECT_EQ(calls, 0);
}

TEST(DirectoryListing, HasOnlyHiddenEntries) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("empty").c_str(), 0755), 0);
    dir.Write("hidden/.settings", "");
    dir.Write("hidden/.cache/data", "");
    dir.Write("mixed/.settings", "");
    dir.Write("mixed/visible", "");
    dir.Write("file", "");
    ASSERT_EQ(::symlink("hidden", dir.File("link-to-hidden").c_str()), 0);

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->HasOnlyHiddenEntries("empty"), std::optional<bool>(true));
    EXPECT_EQ(folder->HasOnlyHiddenEntries("hidden"), std::optional<bool>(true));
    EXPECT_EQ(folder->HasOnlyHiddenEntries("mixed"), std::optional<bool>(false));
    EXPECT_EQ(folder->HasOnlyHiddenEntries("link-to-hidden"), std::nullopt);
    EXPECT_EQ(folder->HasOnlyHiddenEntries("file"), std::nullopt);
    EXPECT_EQ(folder->HasOnlyHiddenEntries("missing"), std::nullopt);
    EXPECT_EQ(folder->HasOnlyHiddenEntries(".."), std::nullopt);
}

}  // namespace
}  // namespace quellix::platform
