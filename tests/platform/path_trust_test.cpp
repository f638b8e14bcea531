#include "platform/path_trust.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "support/file_tree.h"

namespace quellix {
namespace {

constexpr uid_t kOtherUser = 65534;

TEST(PlaceOthersCanChange, OnlyRootsOwnWayIsTrusted) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give entries to another user";
    }
    test::FileTree tree;  // root's, 0700: what is below is as safe as its own modes make it
    tree.File("root/file", 0);
    tree.File("root/shared-file", 0);
    ASSERT_EQ(::chmod(tree.Path("root/shared-file").c_str(), 0664), 0);
    tree.File("theirs/file", 0);
    ASSERT_EQ(::chown(tree.Path("theirs").c_str(), kOtherUser, kOtherUser), 0);
    tree.File("open/file", 0);
    ASSERT_EQ(::chmod(tree.Path("open").c_str(), 0777), 0);
    tree.File("sticky/root-file", 0);
    tree.File("sticky/their-file", 0);
    ASSERT_EQ(::chown(tree.Path("sticky/their-file").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod(tree.Path("sticky").c_str(), 01777), 0);
    tree.Link("sticky/their-link", tree.Path("root/file"), 0);
    ASSERT_EQ(::lchown(tree.Path("sticky/their-link").c_str(), kOtherUser, kOtherUser), 0);
    tree.Link("root/to-open", tree.Path("open"), 0);
    tree.Link("root/up-and-back", "../root", 0);

    const auto at = [&tree](const char* relative) { return tree.Path(relative); };
    const struct {
        std::string path;
        std::optional<std::string> place;
    } cases[] = {
        {at("root/file"), std::nullopt},
        {at("root/missing/quellix.ini"), std::nullopt},
        {at("root/up-and-back/file"), std::nullopt},
        {at("root/../root/file"), std::nullopt},
        {at("root/shared-file"), at("root/shared-file")},
        {at("theirs/file"), at("theirs")},
        {at("open/file"), at("open")},
        {at("root/to-open/file"), at("open")},
        // A sticky folder keeps root's entries from others, not names nobody holds yet.
        {at("sticky/root-file"), std::nullopt},
        {at("sticky/missing.ini"), at("sticky/missing.ini")},
        {at("sticky/their-file"), at("sticky/their-file")},
        {at("sticky/their-link"), at("sticky/their-link")},
        {"relative/quellix", "relative/quellix"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::PlaceOthersCanChange(c.path), c.place) << c.path;
    }
}

}  // namespace
}  // namespace quellix
