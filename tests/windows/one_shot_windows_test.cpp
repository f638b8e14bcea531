#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/config/ini_file.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"
#include "windows/quellix_process.h"
#include "windows/service_trace.h"

namespace quellix {
namespace {

// "-C" runs of the real quellix.exe, as the Task Scheduler starts them: the copy keeps its
// settings beside itself, folders are written as Windows writes them.
TEST(WindowsOneShotRun, PurgesTheListAndLogsBesideTheProgram) {
    const char* binary = std::getenv("QUELLIX_BINARY");
    ASSERT_NE(binary, nullptr) << "QUELLIX_BINARY names quellix.exe";
    test::TempDir dir;
    test::FileTree tree;
    const std::string folder = test::Backslashed(dir.File("Quellix"));
    const std::string exe = folder + "\\quellix.exe";
    ASSERT_TRUE(::CreateDirectoryW(platform::win32::Widen(folder).c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(platform::win32::Widen(test::WindowsPathOf(binary)).c_str(),
                            platform::win32::Widen(exe).c_str(), TRUE));
    test::WriteDatedFile(test::Backslashed(tree.Path("old.txt")), 100);
    tree.Folder("sub");
    test::WriteDatedFile(test::Backslashed(tree.Path("sub/old.txt")), 100);
    test::WriteDatedFile(test::Backslashed(tree.Path("recent.txt")), 1);
    tree.Folder("dest");
    dir.Write("Quellix/Quellix.ini",
              "[Purge]\r\nDemarrageAutomatiqueLancement=1\r\nPurgeImmediate=1\r\n"
              "[Paths]\r\nNbPaths=1\r\nPath1=" +
                  test::Backslashed(tree.Root()) +
                  "\\\r\nRetentionPath1=48\r\nSousDossiers1=oui\r\nDate1=M\r\nEffacer1=non\r\n"
                  "Corbeille1=non\r\nAutreDossier1=" +
                  test::Backslashed(tree.Path("dest")) + "\\\r\n[Logs]\r\nLogs=1\r\n");

    ASSERT_EQ(test::RunQuellix(exe, {"-C"}), 0);

    EXPECT_EQ(tree.List(), (std::vector<std::string>{"dest", "dest/old.txt", "dest/sub",
                                                     "dest/sub/old.txt", "recent.txt", "sub"}));
    // No log folder given: the day's log is beside the program.
    std::vector<std::string> logs;
    for (const std::string& name : test::NamesIn(dir.File("Quellix"))) {
        if (name.starts_with("Log Quellix ")) {
            logs.push_back(name);
        }
    }
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = dir.Read("Quellix/" + logs[0]);
    EXPECT_NE(log.find(test::Backslashed(tree.Root()) + "\\sub\\old.txt <i>moved to</i> " +
                       test::Backslashed(tree.Path("dest")) + "\\sub\\ [Date M.: "),
              std::string::npos)
        << log;
    const std::string ini = dir.Read("Quellix/Quellix.ini");
    EXPECT_NE(ini.find("NbDernierePurge=2\r\n"), std::string::npos) << ini;
}

// What --ini names is judged by Windows' own answers: a missing folder or a folder is no
// configuration file, a file past the size limit is a configuration error.
TEST(WindowsOneShotRun, IniThatCannotBeAConfigurationFileEndsTheRun) {
    const char* binary = std::getenv("QUELLIX_BINARY");
    ASSERT_NE(binary, nullptr) << "QUELLIX_BINARY names quellix.exe";
    test::TempDir dir;
    const std::string exe = test::Backslashed(dir.File("quellix.exe"));
    ASSERT_TRUE(::CopyFileW(platform::win32::Widen(test::WindowsPathOf(binary)).c_str(),
                            platform::win32::Widen(exe).c_str(), TRUE));
    dir.Write("conf/huge.ini", "[Purge]\r\n");
    std::filesystem::resize_file(dir.File("conf/huge.ini"), IniFile::kMaxFileBytes + 1);
    const struct {
        std::string ini;
        int code;
    } cases[] = {
        {dir.File("missing/Quellix.ini"), 66},
        {dir.File("conf"), 66},
        {dir.File("conf/huge.ini"), 1},
        {dir.File("conf/new.ini"), 0},
    };
    const std::string newIni = dir.File("conf/new.ini");
    for (const auto& c : cases) {
        EXPECT_EQ(test::RunQuellix(exe, {"-C", "--ini=" + test::Backslashed(c.ini)}), c.code)
            << c.ini;
    }
    EXPECT_FALSE(dir.Exists("missing"));
    EXPECT_EQ(std::filesystem::file_size(dir.File("conf/huge.ini")), IniFile::kMaxFileBytes + 1);
    // A file the program creates on Windows has Windows line ends.
    EXPECT_EQ(dir.Read("conf/new.ini"),
              "[Purge]\r\nHeure=12:00\r\nJours=1234567\r\nTemporisation=30\r\n");
    // The service typed by hand says how to start it, at once, instead of waiting for a service
    // manager that never calls.
    EXPECT_EQ(test::RunQuellix(exe, {"--service", "--ini=" + test::Backslashed(newIni)}), 64);
}

}  // namespace
}  // namespace quellix
