#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::RunInChild;
using test::TempDir;

TEST(ReadWholeFile, ReadsRegularFilesOnly) {
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.File("missing.ini")), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir.Path()), std::nullopt);

    dir.Write("empty.ini", "");
    EXPECT_EQ(ReadWholeFile(dir.File("empty.ini")), std::string());

    const std::string binary("x\0y\n\xff", 5);
    dir.Write("binary.ini", binary);
    EXPECT_EQ(ReadWholeFile(dir.File("binary.ini")), binary);

    ASSERT_EQ(::symlink("binary.ini", dir.File("link.ini").c_str()), 0);
    EXPECT_EQ(ReadWholeFile(dir.File("link.ini")), binary);
}

TEST(ReadWholeFile, FifoIsRefusedWithoutWaitingForAWriter) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Turns a hang into a failure instead of a stuck test run.
    const int code = RunInChild([&] {
        ::alarm(20);
        return ReadWholeFile(fifo).has_value() ? 1 : 0;
    });
    EXPECT_EQ(code, 0) << "1: read something, -" << SIGALRM << ": blocked";
}

TEST(ReadWholeFile, ReadsLargeFilesAndFilesThatReportNoSize) {
    TempDir dir;
    std::string large(10 << 20, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>((i * 7) ^ (i >> 13));
    }
    dir.Write("large.bin", large);
    const std::optional<std::string> read = ReadWholeFile(dir.File("large.bin"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), large.size());
    EXPECT_TRUE(*read == large);

    // Sizes of /proc files are 0: a reader trusting the size would return nothing.
    const std::optional<std::string> status = ReadWholeFile("/proc/self/status");
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->find("\nPid:"), std::string::npos);
}

TEST(ReadWholeFile, UnreadableFileIsNullopt) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind root";
    }
    TempDir dir;
    const std::string path = dir.Write("secret.ini", "x");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(ReadWholeFile(path), std::nullopt);
}

TEST(GetFileStamp, ReportsTheFileThroughLinks) {
    TempDir dir;
    EXPECT_EQ(GetFileStamp(dir.File("missing.ini")), std::nullopt);

    const std::string path = dir.Write("settings.ini", "12345");
    const timespec times[2] = {{1000000000, 0}, {1234567890, 987654321}};
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const std::time_t after = std::time(nullptr);

    const std::optional<FileStamp> stamp = GetFileStamp(path);
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->size, 5);
    EXPECT_EQ(stamp->modifiedSeconds, 1234567890);
    EXPECT_EQ(stamp->modifiedNanoseconds, 987654321);
    // Setting the times changed the status time to about now.
    EXPECT_GE(stamp->changedSeconds, before - 1);
    EXPECT_LE(stamp->changedSeconds, after + 1);
    EXPECT_GE(stamp->changedNanoseconds, 0);
    EXPECT_LT(stamp->changedNanoseconds, 1000000000);
    EXPECT_NE(stamp->inode, 0u);
    EXPECT_EQ(GetFileStamp(path), stamp);

    ASSERT_EQ(::symlink("settings.ini", dir.File("link.ini").c_str()), 0);
    EXPECT_EQ(GetFileStamp(dir.File("link.ini")), stamp);
    ASSERT_EQ(::symlink("missing.ini", dir.File("dangling.ini").c_str()), 0);
    EXPECT_EQ(GetFileStamp(dir.File("dangling.ini")), std::nullopt);
}

TEST(GetFileStamp, ChangesWhenContentIsReplaced) {
    TempDir dir;
    const std::string path = dir.Write("settings.ini", "12345");
    const std::optional<FileStamp> before = GetFileStamp(path);
    ASSERT_TRUE(before.has_value());

    // Same size and, on a coarse clock, possibly the same times: only the identity differs.
    ASSERT_TRUE(ReplaceFileContents(path, "54321"));
    const std::optional<FileStamp> after = GetFileStamp(path);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after, before);
    EXPECT_EQ(after->size, 5);
}

TEST(FileSystemQueries, ExistenceAndFolders) {
    TempDir dir;
    const std::string file = dir.Write("file.ini", "x");
    ASSERT_TRUE(std::filesystem::create_directory(dir.File("folder")));
    ASSERT_EQ(::symlink("folder", dir.File("folder-link").c_str()), 0);
    ASSERT_EQ(::symlink("missing", dir.File("dangling").c_str()), 0);

    EXPECT_TRUE(IsExistingDirectory(dir.Path()));
    EXPECT_TRUE(IsExistingDirectory(dir.File("folder")));
    EXPECT_TRUE(IsExistingDirectory(dir.File("folder-link")));
    EXPECT_FALSE(IsExistingDirectory(file));
    EXPECT_FALSE(IsExistingDirectory(dir.File("missing")));
    EXPECT_FALSE(IsExistingDirectory(dir.File("dangling")));

    EXPECT_TRUE(PathExists(file));
    EXPECT_TRUE(PathExists(dir.File("folder")));
    EXPECT_TRUE(PathExists(dir.File("dangling")));
    EXPECT_FALSE(PathExists(dir.File("missing")));
    EXPECT_FALSE(PathExists(file + "/below-a-file"));
}

TEST(FileSystemQueries, NamesAreBytes) {
    TempDir dir;
    for (const std::string name : {"-leading dash.ini", "two  spaces .ini", "new\nline.ini",
                                   "latin1-\xe9t\xe9.ini", "\xff\xfe.ini", "100%s%n.ini"}) {
        const std::string path = dir.File(name);
        ASSERT_TRUE(ReplaceFileContents(path, name)) << name;
        EXPECT_EQ(ReadWholeFile(path), name);
        EXPECT_TRUE(PathExists(path));
        EXPECT_TRUE(GetFileStamp(path).has_value());
        ASSERT_TRUE(ReplaceFileContents(path, "again"));
        EXPECT_EQ(dir.Read(name), "again");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              6);
}

}  // namespace
}  // namespace quellix::platform
