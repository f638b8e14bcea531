#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "platform/trash.h"
#include "support/env_override.h"
#include "support/file_mode.h"
#include "support/scratch_mount.h"
#include "support/temp_dir.h"
#include "trash_list.h"

namespace quellix::platform {
namespace {

using test::EnvOverride;
using test::ScratchMount;
using test::TempDir;
using test::ZoneOverride;

constexpr std::int64_t kDeletedAt = 1796630950;  // 2026-12-07 08:09:10 UTC

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
    return "[Trash Info]\nPath=" + encodedPath + "\nDeletionDate=2026-12-07T08:09:10\n";
}

// Entries of a volume mounted for the test, while the home is on the test folder's file system.
class TopdirTrashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir(dir_.File("home").c_str(), 0700), 0);
        volume_ = std::make_unique<ScratchMount>(dir_.File("volume"));
        if (!volume_->Mounted()) {
            GTEST_SKIP() << "mounting a tmpfs for a second volume needs root";
        }
        ASSERT_EQ(::mkdir(Volume("sub").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(Volume("sub/deeper").c_str(), 0755), 0);
        WriteOnVolume("sub/deeper/file", "content");
        folder_ = Directory::Open(Volume("sub/deeper"));
        ASSERT_TRUE(folder_.has_value());
    }

    std::string Volume(const std::string& path) const { return volume_->Path() + "/" + path; }
    void WriteOnVolume(const std::string& path, const std::string& content) const {
        FILE* file = std::fopen(Volume(path).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(content.c_str(), file);
        std::fclose(file);
    }
    std::string ReadOnVolume(const std::string& path) const {
        std::string content;
        if (FILE* file = std::fopen(Volume(path).c_str(), "rb")) {
            for (int c; (c = std::fgetc(file)) != EOF;) {
                content += static_cast<char>(c);
            }
            std::fclose(file);
        }
        return content;
    }
    int Trash(const std::string& name) {
        return MoveToTrash(*folder_, name, Volume("sub/deeper/" + name), kDeletedAt);
    }

    TempDir dir_;
    EnvOverride home_{"HOME", dir_.File("home")};
    EnvOverride dataHome_{"XDG_DATA_HOME", std::nullopt};
    ZoneOverride zone_{"UTC0"};
    std::unique_ptr<ScratchMount> volume_;
    std::optional<Directory> folder_;
    std::string uid_ = std::to_string(::getuid());
};

TEST_F(TopdirTrashTest, UserTrashAtTheTopOfTheVolumeWithRelativePath) {
    ASSERT_EQ(Trash("file"), 0);
    const std::string trash = ".Trash-" + uid_;
    EXPECT_EQ(ReadOnVolume(trash + "/files/file"), "content");
    EXPECT_EQ(ReadOnVolume(trash + "/info/file.trashinfo"), InfoText("sub/deeper/file"));
    EXPECT_EQ(test::ModeOf(Volume(trash)), 0700u);
    EXPECT_TRUE(Entries(Volume("sub/deeper")).empty());
    EXPECT_TRUE(Entries(dir_.File("home")).empty()) << "the home trash is on another volume";
}

TEST_F(TopdirTrashTest, SharedTrashWhenAnAdministratorMadeIt) {
    ASSERT_EQ(::mkdir(Volume(".Trash").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Volume(".Trash").c_str(), 01777), 0);
    ASSERT_EQ(Trash("file"), 0);
    EXPECT_EQ(ReadOnVolume(".Trash/" + uid_ + "/files/file"), "content");
    EXPECT_EQ(ReadOnVolume(".Trash/" + uid_ + "/info/file.trashinfo"), InfoText("sub/deeper/file"));
    EXPECT_EQ(test::ModeOf(Volume(".Trash/" + uid_)), 0700u);
    EXPECT_EQ(Entries(volume_->Path()), (std::vector<std::string>{".Trash", "sub"}));
}

// Without the sticky bit any user could take the others' trash away; a link could lead anywhere.
TEST_F(TopdirTrashTest, SharedTrashIgnoredWithoutStickyBitOrAsALink) {
    ASSERT_EQ(::mkdir(Volume(".Trash").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Volume(".Trash").c_str(), 0777), 0);
    ASSERT_EQ(Trash("file"), 0);
    EXPECT_TRUE(Entries(Volume(".Trash")).empty());
    EXPECT_EQ(ReadOnVolume(".Trash-" + uid_ + "/files/file"), "content");

    ASSERT_EQ(::rmdir(Volume(".Trash").c_str()), 0);
    ASSERT_EQ(::mkdir(Volume("elsewhere").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Volume("elsewhere").c_str(), 01777), 0);
    ASSERT_EQ(::symlink("elsewhere", Volume(".Trash").c_str()), 0);
    WriteOnVolume("sub/deeper/second", "2");
    ASSERT_EQ(Trash("second"), 0);
    EXPECT_TRUE(Entries(Volume("elsewhere")).empty());
    EXPECT_EQ(ReadOnVolume(".Trash-" + uid_ + "/files/second"), "2");
}

// A folder under our trash's name that is a link, or not ours, would hand our files to someone.
TEST_F(TopdirTrashTest, ForeignOrLinkedUserTrashIsRefused) {
    ASSERT_EQ(::mkdir(Volume("bait").c_str(), 0777), 0);
    ASSERT_EQ(::symlink("bait", Volume(".Trash-" + uid_).c_str()), 0);
    const int linked = Trash("file");
    EXPECT_TRUE(linked == ELOOP || linked == ENOTDIR) << linked;
    EXPECT_EQ(ReadOnVolume("sub/deeper/file"), "content");
    EXPECT_TRUE(Entries(Volume("bait")).empty());

    if (::geteuid() != 0) {
        return;
    }
    ASSERT_EQ(::unlink(Volume(".Trash-" + uid_).c_str()), 0);
    ASSERT_EQ(::mkdir(Volume(".Trash-" + uid_).c_str(), 0700), 0);
    ASSERT_EQ(::chown(Volume(".Trash-" + uid_).c_str(), 4321, 4321), 0);
    EXPECT_EQ(Trash("file"), EPERM);
    EXPECT_EQ(ReadOnVolume("sub/deeper/file"), "content");
    EXPECT_TRUE(Entries(Volume(".Trash-" + uid_)).empty());
}

// Reached through a link from elsewhere, the path does not start at the volume's top: it is
// kept whole, as the one the user knows.
TEST_F(TopdirTrashTest, PathThroughALinkIsKeptAbsolute) {
    ASSERT_EQ(::symlink(Volume("sub").c_str(), dir_.File("shortcut").c_str()), 0);
    const std::string viaLink = dir_.File("shortcut") + "/deeper/file";
    ASSERT_EQ(MoveToTrash(*folder_, "file", viaLink, kDeletedAt), 0);
    EXPECT_EQ(ReadOnVolume(".Trash-" + uid_ + "/info/file.trashinfo"), InfoText(viaLink));
}

TEST_F(TopdirTrashTest, TrashCliListsOriginalPaths) {
    WriteOnVolume("sub/deeper/with space", "x");
    ASSERT_EQ(Trash("file"), 0);
    ASSERT_EQ(Trash("with space"), 0);
    const std::optional<std::string> listing = test::TrashList();
    if (!listing) {
        GTEST_SKIP() << "trash-cli is not installed (scripts/install-deps.sh test)";
    }
    const std::string date = "2026-12-07 08:09:10 ";
    for (const char* name : {"file", "with space"}) {
        EXPECT_NE(listing->find(date + Volume("sub/deeper/") + name + "\n"), std::string::npos)
            << name << " in\n"
            << *listing;
    }
}

TEST_F(TopdirTrashTest, TrashCliListsTheSharedTrash) {
    ASSERT_EQ(::mkdir(Volume(".Trash").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Volume(".Trash").c_str(), 01777), 0);
    ASSERT_EQ(Trash("file"), 0);
    const std::optional<std::string> listing = test::TrashList();
    if (!listing) {
        GTEST_SKIP() << "trash-cli is not installed (scripts/install-deps.sh test)";
    }
    EXPECT_NE(listing->find("2026-12-07 08:09:10 " + Volume("sub/deeper/file") + "\n"),
              std::string::npos)
        << *listing;
}

}  // namespace
}  // namespace quellix::platform
