#include "platform/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/companion_files.h"
#include "platform/directory.h"
#include "platform/instance_lock.h"
#include "platform/leftover_temporaries.h"
#include "platform/os_info.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr uid_t kOtherUser = 65534;

// In a folder open to all, like /tmp, a link's maker is not the folder's owner. Whatever a link
// of the other user's leads to must be theirs: no call that writes, locks or cleans up beside the
// configuration file may reach root's files through it.
TEST(ConfigFile, LinksPlantedInASharedFolderLeadOnlyToTheirMakersFiles) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "planting another user's links needs root";
    }
    TempDir dir;
    fs::create_directory(dir.File("shared"));
    ASSERT_EQ(::chmod(dir.File("shared").c_str(), 01777), 0);
    const std::string victim = dir.Write("root-only/victim.ini", "keep");
    ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
    const std::string othersFile = dir.Write("theirs/own.ini", "theirs");
    ASSERT_EQ(::chown(dir.File("theirs").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chown(othersFile.c_str(), kOtherUser, kOtherUser), 0);
    // What a killed writer of victim.ini would have left: only a cleanup of victim.ini removes it.
    std::string temporary = TemporaryNameTemplate("victim.ini");
    temporary.replace(temporary.size() - 6, 6, "a1B2c3");
    dir.Write("root-only/" + temporary, "left");
    const auto rootOnly = test::NamesIn(dir.File("root-only"));

    const auto link = [&](const std::string& target, const std::string& name, uid_t owner) {
        fs::create_symlink(target, dir.File("shared/" + name));
        EXPECT_EQ(::lchown(dir.File("shared/" + name).c_str(), owner, owner), 0);
        return dir.File("shared/" + name);
    };
    const struct {
        std::string path;
        ConfigFileState state;
        bool replaced;  // by the replacement that does not judge the file itself
        int cleaned;
    } cases[] = {
        {link(victim, "to-roots-file.ini", kOtherUser), ConfigFileState::UnsafeLink, false, 0},
        {link(dir.File("root-only/new.ini"), "into-roots-folder.ini", kOtherUser),
         ConfigFileState::UnsafeLink, false, 0},
        {link(dir.File("root-only"), "to-roots-folder", kOtherUser) + "/victim.ini",
         ConfigFileState::UnsafeLink, false, 0},
        // Their own file they may lead to; root then does not go by it.
        {link(othersFile, "to-their-file.ini", kOtherUser), ConfigFileState::Untrusted, true, 0},
        {link(victim, "roots-own-link.ini", 0), ConfigFileState::Regular, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(InspectConfigFile(c.path).state, c.state);
        EXPECT_EQ(ReadConfigFile(c.path, 100).state, c.state);
        EXPECT_EQ(ReplaceConfigFile(c.path, "config"), c.state == ConfigFileState::Regular);
        EXPECT_EQ(ReplaceFileContents(c.path, "replaced"), c.replaced);
        const bool unsafe = c.state == ConfigFileState::UnsafeLink;
        EXPECT_EQ(RemoveLeftoverTemporaries(c.path, 0), c.cleaned);
        const auto lock = TryAcquireInstanceLock(c.path);
        ASSERT_NE(lock, nullptr);
        EXPECT_EQ(lock->ExcludesEveryWriter(), !unsafe);
        if (unsafe) {
            // Named as written, so that what opens it meets the link.
            EXPECT_EQ(CanonicalPath(c.path), c.path);
            EXPECT_EQ(test::NamesIn(dir.File("root-only")), rootOnly);
            EXPECT_EQ(dir.Read("root-only/victim.ini"), "keep");
        }
    }
    EXPECT_FALSE(Directory::Open(dir.File("shared/to-roots-folder")).has_value());
    EXPECT_EQ(dir.Read("theirs/own.ini"), "replaced");
    EXPECT_EQ(dir.Read("root-only/victim.ini"), "replaced");
}

// The size is judged before anything is read, and no more than one byte past the limit is ever
// read, also from a file that reports no size (as /proc's do) or grew since.
TEST(ConfigFile, ReadsNoMoreThanTheLimit) {
    TempDir dir;
    const std::string path = dir.Write("q.ini", std::string(100, 'x'));
    ConfigFileRead read = ReadConfigFile(path, 100);
    EXPECT_EQ(read.state, ConfigFileState::Regular);
    EXPECT_EQ(read.text, std::string(100, 'x'));
    ASSERT_TRUE(read.stamp.has_value());
    EXPECT_EQ(read.stamp, GetFileStamp(path));
    read = ReadConfigFile(path, 99);
    EXPECT_EQ(read.state, ConfigFileState::TooLarge);
    EXPECT_EQ(read.text, "");

    const std::string status = "/proc/self/status";
    ASSERT_EQ(fs::file_size(status), 0u);
    EXPECT_EQ(ReadConfigFile(status, 10).state, ConfigFileState::TooLarge);
    EXPECT_EQ(ReadConfigFile(status, 1 << 20).state, ConfigFileState::Regular);
}

}  // namespace
}  // namespace quellix::platform
