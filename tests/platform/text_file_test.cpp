#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "platform/file_size_limit.h"
#include "support/child_process.h"
#include "support/file_mode.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::RunInChild;
using test::TempDir;

class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

  private:
    mode_t old_;
};

Directory OpenFolder(const std::string& path) {
    std::optional<Directory> folder = Directory::Open(path);
    EXPECT_TRUE(folder.has_value()) << path;
    return std::move(*folder);
}

std::unique_ptr<AppendFile> Open(const TempDir& dir, const std::string& name, AppendFile::Mode mode,
                                 int* error, unsigned newMode = 0644) {
    return OpenAppendFile(OpenFolder(dir.Path()), name, mode, newMode, error);
}

TEST(AppendFile, CreateNewMakesAFreshFileOnly) {
    TempDir dir;
    const std::string path = dir.File("log.txt");
    int error = -1;
    {
        UmaskGuard guard(027);
        std::unique_ptr<AppendFile> file =
            Open(dir, "log.txt", AppendFile::Mode::CreateNew, &error);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(error, 0);
        EXPECT_TRUE(file->Write("first line\n"));
        EXPECT_TRUE(file->Write(std::string("with\0nul\n", 9)));
        // What the handle tells is the file written to.
        const std::optional<EntryInfo> info = file->Info();
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->size, 20);
        EXPECT_EQ(info->links, 1u);
        EXPECT_TRUE(BelongsToThisUser(*info));
    }
    // The mode asked for, whatever the umask: wider or narrower than it would allow.
    EXPECT_EQ(test::ModeOf(path), 0644u);
    EXPECT_EQ(dir.Read("log.txt"), std::string("first line\nwith\0nul\n", 20));
    {
        UmaskGuard guard(0);
        EXPECT_NE(Open(dir, "private.txt", AppendFile::Mode::CreateNew, &error, 0600), nullptr);
        EXPECT_NE(Open(dir, "private2.txt", AppendFile::Mode::Append, &error, 0600), nullptr);
    }
    EXPECT_EQ(test::ModeOf(dir.File("private.txt")), 0600u);
    EXPECT_EQ(test::ModeOf(dir.File("private2.txt")), 0600u);

    EXPECT_EQ(Open(dir, "log.txt", AppendFile::Mode::CreateNew, &error), nullptr);
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(dir.Read("log.txt"), std::string("first line\nwith\0nul\n", 20));

    // A link, even one leading nowhere, is not followed to create its target, nor to append.
    ASSERT_EQ(::symlink("target.txt", dir.File("link.txt").c_str()), 0);
    EXPECT_EQ(Open(dir, "link.txt", AppendFile::Mode::CreateNew, &error), nullptr);
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(Open(dir, "link.txt", AppendFile::Mode::Append, &error), nullptr);
    EXPECT_EQ(error, ELOOP);
    EXPECT_FALSE(dir.Exists("target.txt"));

    // Names are single components.
    dir.Write("sub/inner.txt", "x");
    EXPECT_EQ(Open(dir, "sub/inner.txt", AppendFile::Mode::Append, &error), nullptr);
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(dir.Read("sub/inner.txt"), "x");
}

TEST(AppendFile, AppendAddsToTheEndFromEveryWriter) {
    TempDir dir;
    dir.Write("log.txt", "old\n");
    int error = -1;
    std::unique_ptr<AppendFile> first = Open(dir, "log.txt", AppendFile::Mode::Append, &error);
    std::unique_ptr<AppendFile> second = Open(dir, "log.txt", AppendFile::Mode::Append, &error);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->Write("one\n"));
    EXPECT_TRUE(second->Write("two\n"));
    EXPECT_TRUE(first->Write("three\n"));
    EXPECT_EQ(dir.Read("log.txt"), "old\none\ntwo\nthree\n");

    std::unique_ptr<AppendFile> created = Open(dir, "new.txt", AppendFile::Mode::Append, &error);
    ASSERT_NE(created, nullptr);
    const std::string big(8 * 1024 * 1024 + 3, 'b');
    EXPECT_TRUE(created->Write(big));
    EXPECT_EQ(dir.Read("new.txt").size(), big.size());
}

TEST(AppendFile, OnlyRegularFilesAndNeverAWait) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    // Run apart: an open that waited for a reader would never return.
    const int code = RunInChild([&] {
        ::alarm(10);
        int error = 0;
        const bool opened = Open(dir, "fifo", AppendFile::Mode::Append, &error) != nullptr;
        return opened ? 100 : error;
    });
    EXPECT_EQ(code, ENXIO);

    int error = 0;
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0700), 0);
    EXPECT_EQ(Open(dir, "folder", AppendFile::Mode::Append, &error), nullptr);
    EXPECT_EQ(error, EISDIR);
}

TEST(AppendFile, WritePastTheFileSizeLimitFailsWithoutEndingTheProcess) {
    TempDir dir;
    const int code = RunInChild([&] {
        ::signal(SIGXFSZ, SIG_DFL);
        TreatFileSizeLimitAsWriteFailure();
        rlimit limit{};
        int error = 0;
        auto file = Open(dir, "log.htm", AppendFile::Mode::CreateNew, &error);
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || !file) {
            return 2;
        }
        limit.rlim_cur = 4096;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        const bool written = file->Write(std::string(3000, 'a'));
        const bool pastTheLimit = file->Write(std::string(3000, 'b'));
        return written && !pastTheLimit && errno == EFBIG ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "1: the failure went unseen, negative: ended by a signal";
    EXPECT_EQ(dir.Read("log.htm").size(), 4096u);
}

TEST(ListRegularFiles, RegularFilesOnlyAndOnlyTheWantedNames) {
    TempDir dir;
    const std::vector<std::string> files = {"a.log", "with space", "new\nline", "\xff",
                                            std::string(255, 'f')};
    for (const std::string& name : files) {
        dir.Write("logs/" + name, "x");
    }
    dir.Write("logs/skipped.log", "x");
    dir.Write("logs/sub/inner.log", "x");
    ASSERT_EQ(::symlink("a.log", dir.File("logs/link.log").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("logs/fifo.log").c_str(), 0600), 0);
    ASSERT_EQ(::link(dir.File("logs/with space").c_str(), dir.File("elsewhere").c_str()), 0);

    Directory logs = OpenFolder(dir.File("logs"));
    std::vector<std::string> names;
    for (const FolderFile& file :
         ListRegularFiles(logs, [](std::string_view name) { return name != "skipped.log"; })) {
        EXPECT_EQ(file.info.type, EntryType::File) << file.name;
        EXPECT_EQ(file.info.links, file.name == "with space" ? 2u : 1u) << file.name;
        names.push_back(file.name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = files;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    // A folder removed while open lists nothing.
    Directory gone = OpenFolder(dir.File("logs/sub"));
    ASSERT_EQ(::unlink(dir.File("logs/sub/inner.log").c_str()), 0);
    ASSERT_EQ(::rmdir(dir.File("logs/sub").c_str()), 0);
    EXPECT_TRUE(ListRegularFiles(gone, [](std::string_view) { return true; }).empty());
}

TEST(RemoveFileAt, RemovesFilesAndLinksNotFolders) {
    TempDir dir;
    dir.Write("file", "x");
    dir.Write("target", "kept");
    ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0755), 0);

    EXPECT_EQ(RemoveFileAt(dir.File("file")), 0);
    EXPECT_FALSE(dir.Exists("file"));
    EXPECT_EQ(RemoveFileAt(dir.File("link")), 0);
    EXPECT_EQ(dir.Read("target"), "kept");
    EXPECT_EQ(RemoveFileAt(dir.File("file")), ENOENT);
    EXPECT_EQ(RemoveFileAt(dir.File("folder")), EISDIR);
}

}  // namespace
}  // namespace quellix::platform
