#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/directory.h"
#include "support/file_mode.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::TempDir;

void SetTimes(const std::string& path, time_t accessed, time_t modified) {
    const timespec times[2] = {{accessed, 0}, {modified, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

  private:
    mode_t old_;
};

TEST(DirectoryStat, ReportsTimesTypeAndWriteBit) {
    TempDir dir;
    const std::string path = dir.Write("file", "data");
    SetTimes(path, 1700000000, 1600000000);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    const std::optional<EntryInfo> info = folder->Stat("file");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->type, EntryType::File);
    EXPECT_FALSE(info->ownerWritable);
    EXPECT_EQ(info->modified, 1600000000);
    EXPECT_EQ(info->accessed, 1700000000);

    struct stat expected {};
    ASSERT_EQ(::lstat(path.c_str(), &expected), 0);
    EXPECT_EQ(info->changed, expected.st_ctim.tv_sec);
    EXPECT_EQ(info->device, expected.st_dev);
    EXPECT_EQ(info->size, 4);
    EXPECT_EQ(info->links, 1u);
    ASSERT_EQ(::link(path.c_str(), dir.File("second name").c_str()), 0);
    EXPECT_EQ(folder->Stat("file")->links, 2u);
    // A birth time, where the file system keeps one, cannot be after the last change.
    if (info->born) {
        EXPECT_LE(*info->born, info->changed);
        EXPECT_GT(*info->born, 0);
    }

    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    EXPECT_TRUE(folder->Stat("file")->ownerWritable);
    ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0755), 0);
    EXPECT_EQ(folder->Stat("sub")->type, EntryType::Directory);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(folder->Stat("fifo")->type, EntryType::Other);
    EXPECT_FALSE(folder->Stat("missing").has_value());
}

TEST(DirectoryStat, DescribesTheLinkNotItsTarget) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("target").c_str(), 0755), 0);
    SetTimes(dir.File("target"), 1500000000, 1500000000);
    ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);
    SetTimes(dir.File("link"), 1400000000, 1300000000);
    ASSERT_EQ(::symlink("nowhere", dir.File("dangling").c_str()), 0);

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    const std::optional<EntryInfo> link = folder->Stat("link");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->type, EntryType::Symlink);
    EXPECT_EQ(link->modified, 1300000000);
    EXPECT_EQ(link->accessed, 1400000000);
    ASSERT_TRUE(folder->Stat("dangling").has_value());
    EXPECT_EQ(folder->Stat("dangling")->type, EntryType::Symlink);
}

// Names are single components: nothing may reach outside the folder, whatever the caller passes.
TEST(DirectoryNames, PathsAndDotsAreRefused) {
    TempDir dir;
    dir.Write("outside", "keep");
    dir.Write("folder/sub/inner", "keep");
    const std::optional<Directory> folder = Directory::Open(dir.File("folder"));
    ASSERT_TRUE(folder.has_value());

    for (const std::string& name :
         {std::string("../outside"), std::string("sub/inner"), std::string(".."), std::string("."),
          std::string(), std::string("sub\0x", 5)}) {
        EXPECT_EQ(folder->RemoveFile(name), EINVAL) << name;
        EXPECT_EQ(folder->RemoveEmptyDirectory(name), EINVAL) << name;
        EXPECT_EQ(folder->SetOwnerWritable(name), EINVAL) << name;
        EXPECT_EQ(folder->MakeDirectory(name), EINVAL) << name;
        EXPECT_EQ(folder->MakeSymlink(name, "x"), EINVAL) << name;
        EXPECT_FALSE(folder->Stat(name).has_value()) << name;
        EXPECT_FALSE(folder->OpenChild(name).has_value()) << name;
        EXPECT_FALSE(folder->IsLocked(name)) << name;
    }
    EXPECT_EQ(folder->RemoveFile(std::string(256, 'n')), ENAMETOOLONG);
    EXPECT_EQ(dir.Read("outside"), "keep");
    EXPECT_EQ(dir.Read("folder/sub/inner"), "keep");
}

TEST(DirectoryOpen, ChildMustBeARealFolderWhileTheTopMayBeALink) {
    TempDir dir;
    dir.Write("real/inside", "x");
    dir.Write("file", "x");
    ASSERT_EQ(::symlink("real", dir.File("link").c_str()), 0);

    const std::optional<Directory> top = Directory::Open(dir.Path());
    ASSERT_TRUE(top.has_value());
    EXPECT_TRUE(top->OpenChild("real").has_value());
    EXPECT_FALSE(top->OpenChild("link").has_value());
    EXPECT_FALSE(top->OpenChild("file").has_value());
    EXPECT_FALSE(top->OpenChild("missing").has_value());

    const std::optional<Directory> throughLink = Directory::Open(dir.File("link"));
    ASSERT_TRUE(throughLink.has_value());
    EXPECT_TRUE(throughLink->Stat("inside").has_value());
    EXPECT_FALSE(Directory::Open(dir.File("file")).has_value());
    EXPECT_FALSE(Directory::Open(dir.File("missing")).has_value());
}

TEST(DirectoryOpen, MovedHandleKeepsTheFolder) {
    TempDir dir;
    dir.Write("inside", "x");
    std::optional<Directory> first = Directory::Open(dir.Path());
    ASSERT_TRUE(first.has_value());
    Directory second = std::move(*first);
    EXPECT_EQ(first->Descriptor(), -1);
    EXPECT_TRUE(second.Stat("inside").has_value());
    Directory third;
    third = std::move(second);
    EXPECT_TRUE(third.Stat("inside").has_value());
}

TEST(DirectoryChanges, SetOwnerWritableAddsOnlyTheOwnerWriteBit) {
    TempDir dir;
    dir.Write("read-only", "x");
    ASSERT_EQ(::chmod(dir.File("read-only").c_str(), 0444), 0);
    dir.Write("odd-bits", "x");
    ASSERT_EQ(::chmod(dir.File("odd-bits").c_str(), 02505), 0);
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0555), 0);
    dir.Write("target", "x");
    ASSERT_EQ(::chmod(dir.File("target").c_str(), 0444), 0);
    ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->SetOwnerWritable("read-only"), 0);
    EXPECT_EQ(test::ModeOf(dir.File("read-only")), 0644u);
    EXPECT_EQ(folder->SetOwnerWritable("odd-bits"), 0);
    EXPECT_EQ(test::ModeOf(dir.File("odd-bits")), 02705u);
    EXPECT_EQ(folder->SetOwnerWritable("folder"), 0);
    EXPECT_EQ(test::ModeOf(dir.File("folder")), 0755u);
    // The link is left alone and its target is not reached through it.
    EXPECT_EQ(folder->SetOwnerWritable("link"), 0);
    EXPECT_EQ(test::ModeOf(dir.File("target")), 0444u);
    EXPECT_EQ(folder->SetOwnerWritable("missing"), ENOENT);
}

TEST(DirectoryChanges, RemoveFileAndRemoveEmptyDirectory) {
    TempDir dir;
    dir.Write("file", "x");
    dir.Write("target", "kept");
    ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("empty").c_str(), 0755), 0);
    dir.Write("full/inside", "x");

    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->RemoveFile("file"), 0);
    EXPECT_FALSE(dir.Exists("file"));
    EXPECT_EQ(folder->RemoveFile("link"), 0);
    EXPECT_FALSE(dir.Exists("link"));
    EXPECT_EQ(dir.Read("target"), "kept");
    EXPECT_EQ(folder->RemoveFile("missing"), ENOENT);
    EXPECT_EQ(folder->RemoveFile("empty"), EISDIR);

    EXPECT_EQ(folder->RemoveEmptyDirectory("full"), ENOTEMPTY);
    EXPECT_TRUE(dir.Exists("full/inside"));
    EXPECT_EQ(folder->RemoveEmptyDirectory("target"), ENOTDIR);
    EXPECT_EQ(folder->RemoveEmptyDirectory("empty"), 0);
    EXPECT_FALSE(dir.Exists("empty"));
}

TEST(DirectoryChanges, MakeDirectoryAndSymlinkNeverReplace) {
    TempDir dir;
    dir.Write("existing", "kept");
    const std::optional<Directory> folder = Directory::Open(dir.Path());
    ASSERT_TRUE(folder.has_value());
    {
        UmaskGuard guard(027);
        EXPECT_EQ(folder->MakeDirectory("made"), 0);
    }
    EXPECT_EQ(test::ModeOf(dir.File("made")), 0750u);
    EXPECT_EQ(folder->MakeDirectory("made"), EEXIST);
    EXPECT_EQ(folder->MakeDirectory("existing"), EEXIST);

    const std::string target = "../some where/\xff odd";
    EXPECT_EQ(folder->MakeSymlink("link", target), 0);
    char buffer[256] = {};
    ASSERT_EQ(::readlink(dir.File("link").c_str(), buffer, sizeof buffer - 1),
              static_cast<ssize_t>(target.size()));
    EXPECT_EQ(std::string(buffer), target);
    EXPECT_EQ(folder->MakeSymlink("existing", "elsewhere"), EEXIST);
    EXPECT_EQ(dir.Read("existing"), "kept");
    EXPECT_EQ(folder->MakeSymlink("empty-target", ""), EINVAL);

    // Asked before a file is moved away: what MakeSymlink would say of the name and the target.
    const struct {
        const char* name;
        std::string target;
        int error;
    } cases[] = {
        {"free", target, 0},          {"link", target, EEXIST},
        {"existing", target, EEXIST}, {"made", target, EEXIST},
        {"a/b", target, EINVAL},      {"..", target, EINVAL},
        {"free", "", EINVAL},         {"free", std::string(PATH_MAX, 'x'), ENAMETOOLONG},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folder->CanMakeSymlink(c.name, c.target), c.error) << c.name;
    }
    EXPECT_FALSE(dir.Exists("free"));
}

}  // namespace
}  // namespace quellix::platform
