#include "core/config/program_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/config/startup.h"
#include "support/fake_service_host.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

TEST(ProgramFiles, PortableOrInstalledByTheExecutablesFolder) {
    struct Case {
        const char* folder;
        bool holdsConfig;
        bool writable;
        const char* configHome;
        std::optional<std::string> ini;
        bool installed;
        const char* configPath;
        const char* ownFolder;
        const char* helpFolder;
    };
    const Case cases[] = {
        // A copy unpacked into a folder of its own keeps everything there.
        {"/home/ann/quellix", false, true, "/home/ann/.config", std::nullopt, false,
         "/home/ann/quellix/Quellix.ini", "/home/ann/quellix", "/home/ann/quellix"},
        // Installed by the package: settings in the home, help from the data folder.
        {"/usr/bin", false, false, "/home/ann/.config", std::nullopt, true,
         "/home/ann/.config/quellix/Quellix.ini", "/home/ann/.config/quellix",
         "/usr/share/quellix/help"},
        // Root may write to /usr/bin, which is still no place for settings.
        {"/usr/bin", false, true, "/root/.config/", std::nullopt, true,
         "/root/.config/quellix/Quellix.ini", "/root/.config/quellix", "/usr/share/quellix/help"},
        {"/usr/local/bin", false, true, "/root/.config", std::nullopt, true,
         "/root/.config/quellix/Quellix.ini", "/root/.config/quellix",
         "/usr/local/share/quellix/help"},
        // A file put beside the executable makes any copy portable.
        {"/usr/bin", true, false, "/home/ann/.config", std::nullopt, false, "/usr/bin/Quellix.ini",
         "/usr/bin", "/usr/bin"},
        // A shared copy that users may not write to.
        {"/opt/quellix", false, false, "/home/ann/.config", std::nullopt, true,
         "/home/ann/.config/quellix/Quellix.ini", "/home/ann/.config/quellix",
         "/opt/share/quellix/help"},
        {"/usrlocal/bin", false, true, "/home/ann/.config", std::nullopt, false,
         "/usrlocal/bin/Quellix.ini", "/usrlocal/bin", "/usrlocal/bin"},
        // --ini always names the file; an installed copy's own folder follows it.
        {"/usr/bin", false, false, "/home/ann/.config", "/srv/purge/site.ini", true,
         "/srv/purge/site.ini", "/srv/purge", "/usr/share/quellix/help"},
        {"/home/ann/quellix", false, true, "/home/ann/.config", "/srv/purge/site.ini", false,
         "/srv/purge/site.ini", "/home/ann/quellix", "/home/ann/quellix"},
        // Without a home there is no other place to look.
        {"/usr/bin", false, false, "", std::nullopt, false, "/usr/bin/Quellix.ini", "/usr/bin",
         "/usr/bin"},
    };
    for (const Case& c : cases) {
        const ProgramFiles files = ResolveProgramFiles(
            {c.folder, c.holdsConfig, c.writable, c.configHome, "../share/quellix", "/st"}, c.ini);
        SCOPED_TRACE(std::string(c.folder) + " ini=" + c.ini.value_or("-"));
        EXPECT_EQ(files.installed, c.installed);
        EXPECT_EQ(files.configPath, c.configPath);
        EXPECT_EQ(files.ownFolder, c.ownFolder);
        EXPECT_EQ(files.helpFolder, c.helpFolder);
        EXPECT_EQ(files.configIsDefault, !c.ini);
        // The journal of the last run: in the state folder for an installed copy's own
        // settings, else beside the file.
        EXPECT_EQ(files.journalPath, c.installed && !c.ini
                                         ? std::string("/st/quellix/Quellix.ini.last-purge")
                                         : std::string(c.configPath) + ".last-purge");
    }
}

// The first start of an installed copy makes the user's folder and file; the program's own
// folder, where logs go without a log folder, is that folder.
TEST(ProgramFiles, InstalledCopyCreatesItsSettingsInTheUsersFolder) {
    test::TempDir home;
    const ProgramFiles files = ResolveProgramFiles(
        {"/usr/bin", false, false, home.File("config"), "../share/quellix", ""}, std::nullopt);
    ProgramState state;
    test::ScriptedFrontEnd frontEnd;
    test::FakeServiceHost service;
    ASSERT_EQ(RunStartup({ParseCommandLine({"-C"}), files}, state, frontEnd, service),
              StartupOutcome::RunOnceFinished);

    EXPECT_EQ(home.Read("config/quellix/Quellix.ini"),
              "[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30\n");
    struct stat info {};
    ASSERT_EQ(::stat(home.File("config/quellix").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(state.settings.ConfigPath, home.File("config/quellix/Quellix.ini"));
    EXPECT_EQ(state.settings.PathLogs, home.File("config/quellix"));
    EXPECT_EQ(state.settings.HelpFolder, "/usr/share/quellix/help");
}

// A file named by --ini is the user's business: its missing folder is an error of theirs, not
// something to create.
TEST(ProgramFiles, OnlyTheDefaultFileGetsItsFolderMade) {
    test::TempDir home;
    ProgramFiles files = ResolveProgramFiles({"/usr/bin", false, false, home.Path(), "", ""},
                                             home.File("typo/site.ini"));
    EXPECT_TRUE(PrepareConfigFolder(files));
    EXPECT_FALSE(home.Exists("typo"));
    files = PortableProgramFiles(home.File("portable"));
    EXPECT_TRUE(PrepareConfigFolder(files));
    EXPECT_FALSE(home.Exists("portable"));
}

}  // namespace
}  // namespace quellix
