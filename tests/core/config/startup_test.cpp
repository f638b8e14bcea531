#include "core/config/startup.h"

#include <gtest/gtest.h>

#include <ctime>

#include "core/common/settings.h"
#include "platform/os_info.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// The start-up request of a copy whose executable is in folder.
StartupRequest Request(const std::vector<std::string>& arguments, const std::string& folder) {
    const CommandLine line = ParseCommandLine(arguments);
    return {line, LocateProgramFiles(folder, line.iniPath)};
}

class StartupTest : public ::testing::Test {
  protected:
    StartupOutcome Start(std::vector<std::string> extraArguments = {}) {
        std::vector<std::string> arguments = {"--ini=" + ConfigPath()};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        state = std::make_unique<ProgramState>();
        return RunStartup(Request(arguments, dir.Path()), *state, frontEnd, service);
    }
    std::string ConfigPath() const { return dir.File("Quellix.ini"); }
    void WriteConfig(const std::string& text) { dir.Write("Quellix.ini", text); }
    std::string Config() const { return dir.Read("Quellix.ini"); }
    static std::string ExpectedTitle() {
        Settings settings;
        SetBuildVersion(settings);
        return settings.ProgramTitle;
    }

    test::TempDir dir;
    test::ScriptedFrontEnd frontEnd;
    test::FakeServiceHost service;
    std::unique_ptr<ProgramState> state;
};

TEST_F(StartupTest, FirstStartWithoutFileWritesOnlyTheScheduleDefaults) {
    ASSERT_EQ(Start(), StartupOutcome::Running);
    EXPECT_EQ(Config(), "[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30\n");

    const Settings& s = state->settings;
    EXPECT_EQ(s.ProgramTitle, "Quellix " + s.Version);
    EXPECT_EQ(s.ConfigPath, ConfigPath());
    EXPECT_EQ(s.PurgeMinute, 720);
    EXPECT_EQ(s.DaysDisplayEn, " [Mon Tue Wed Thu Fri Sat Sun] ");
    EXPECT_EQ(s.DaysDisplayFr, " [Lun Mar Mer Jeu Ven Sam Dim] ");
    EXPECT_EQ(s.Temporisation, 30);
    EXPECT_EQ(s.Langue, 0);
    EXPECT_EQ(s.DateDernierePurge, "dd/mm/yyyy - hh:mm");
    EXPECT_FALSE(s.Logs);
    EXPECT_EQ(s.PathLogs, dir.Path());
    EXPECT_EQ(s.DelaiLogs, 10);
    EXPECT_EQ(s.NbPaths, 0);
    EXPECT_TRUE(s.IsNt);
    EXPECT_NE(s.OsDescription.find("Linux "), std::string::npos) << s.OsDescription;
    EXPECT_EQ(FolderListTitle(state->folders, Language::English), "Folders to purge (0)");
    EXPECT_EQ(state->scheduler.LastPurgeDay, 0);

    const std::vector<std::string> expected = {"ShowLoadingWindow(" + ExpectedTitle() + ")",
                                               "SetLoadingMessage(Loading folders)",
                                               "CreateMainWindow",
                                               "ApplyCaptions",
                                               "FolderListChanged",
                                               "SetStatusText(Update...)",
                                               "SetBusyVisible(true)",
                                               "ShowMainWindow",
                                               "RunCountPass",
                                               "SetBusyVisible(false)",
                                               "HideLoadingWindow"};
    EXPECT_EQ(frontEnd.calls, expected);
}

TEST_F(StartupTest, OneShotRunShowsNoWindowAndStartsWhenAutomatic) {
    WriteConfig("[Purge]\nDemarrageAutomatiqueLancement= 1 \nLangue=1\n");
    ASSERT_EQ(Start({"/x", "-c"}), StartupOutcome::RunOnceFinished);
    EXPECT_TRUE(state->settings.RunOnce);
    EXPECT_EQ(state->settings.CommandLine, "/X -C");
    EXPECT_FALSE(frontEnd.Called("ShowLoadingWindow"));
    EXPECT_FALSE(frontEnd.Called("ShowMainWindow"));
    EXPECT_TRUE(frontEnd.Called("SetLoadingMessage(Chargement des dossiers en cours)"));
    EXPECT_TRUE(frontEnd.Called("SetStatusText(Mise à jour en cours...)"));
    ASSERT_FALSE(frontEnd.calls.empty());
    EXPECT_EQ(frontEnd.calls.back(), "RunStartCommand");
    EXPECT_LT(frontEnd.IndexOf("RunCountPass"), frontEnd.IndexOf("RunStartCommand"));
}

TEST_F(StartupTest, InvalidPurgeTimeStopsBeforeAnythingElseIsWritten) {
    const std::string text = "[Purge]\nHeure=25:00\nLangue=1\n";
    WriteConfig(text);
    ASSERT_EQ(Start(), StartupOutcome::ConfigError);
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text,
              "Heure de purge invalide\nSection=Purge Clé=Heure\nfichier '" + ConfigPath() + "'");
    EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(frontEnd.messages[0].title, ExpectedTitle());
    EXPECT_FALSE(frontEnd.Called("CreateMainWindow"));
    EXPECT_EQ(Config(), text);
}

TEST_F(StartupTest, PurgeTimeAndDays) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"Heure= 7:30 \nJours=17\n", 450, " [Sat Sun] "},
        {"Heure=23:59:59\nJours=23456\n", 1439, " [Mon Tue Wed Thu Fri] "},
        {"Heure=00:00\nJours=089\n", 0, " [] "},
    };
    for (const auto& [keys, minute, days] : cases) {
        WriteConfig(std::string("[Purge]\n") + keys);
        ASSERT_EQ(Start(), StartupOutcome::Running) << keys;
        EXPECT_EQ(state->settings.PurgeMinute, minute);
        EXPECT_EQ(state->settings.DaysDisplayEn, days);
        EXPECT_EQ(Config(), std::string("[Purge]\n") + keys + "Temporisation=30\n");
    }
}

TEST_F(StartupTest, TemporisationLimits) {
    const std::pair<const char*, int> accepted[] = {{"1", 1}, {"60", 60}, {"45abc", 45}, {" 7", 7}};
    for (const auto& [value, seconds] : accepted) {
        WriteConfig(std::string("[Purge]\nHeure=12:00\nJours=1\nTemporisation=") + value + "\n");
        ASSERT_EQ(Start(), StartupOutcome::Running) << value;
        EXPECT_EQ(state->settings.Temporisation, seconds);
    }
    for (const char* value : {"0", "61", "-5", "abc", "99999", "0.4"}) {
        frontEnd.messages.clear();
        WriteConfig(std::string("[Purge]\nTemporisation=") + value + "\n");
        ASSERT_EQ(Start(), StartupOutcome::ConfigError) << value;
        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_TRUE(frontEnd.messages[0].text.starts_with(
            "Time between updates must be set between 1 and 60 seconds\nSection=Purge "
            "Key=Temporisation\n"));
    }
}

TEST_F(StartupTest, SecondCopyOnTheSameFileEnds) {
    auto held = platform::TryAcquireInstanceLock(ConfigPath());
    ASSERT_TRUE(held);
    // The running copy's temporary is not a leftover.
    dir.Write(".Quellix.ini.quellix-wr1tes", "[Purge]\n");

    WriteConfig("[Purge]\nLangue=1\n");
    ASSERT_EQ(Start(), StartupOutcome::AlreadyRunning);
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, "Programme déjà lancé");
    EXPECT_EQ(frontEnd.messages[0].title, "Quellix - " + state->settings.Version);
    EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(Config(), "[Purge]\nLangue=1\n");

    service.installed = true;
    frontEnd.messages.clear();
    WriteConfig("");
    ASSERT_EQ(Start(), StartupOutcome::AlreadyRunning);
    EXPECT_TRUE(frontEnd.messages.empty());
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_EQ(service.events[0].first, "Program already running");
    EXPECT_EQ(service.events[0].second, EventType::Error);

    EXPECT_TRUE(dir.Exists(".Quellix.ini.quellix-wr1tes"));

    held.reset();
    EXPECT_EQ(Start(), StartupOutcome::Running);
    EXPECT_FALSE(dir.Exists(".Quellix.ini.quellix-wr1tes"));
}

TEST_F(StartupTest, LeftoversOfKilledWritersAreRemoved) {
    test::FileTree tree;
    const std::int64_t dayAndAHourAgo = std::time(nullptr) - 25 * 3600;
    for (const char* name : {".Quellix.ini.quellix-k1LLed", ".Quellix.ini.quellix-0ld000",
                             ".quellix-0ld000", ".quellix-n0w000", ".Other.ini.quellix-k1LLed"}) {
        tree.File(name,
                  std::string(name).ends_with("n0w000") ? std::time(nullptr) : dayAndAHourAgo);
    }
    const std::string path = tree.Path("Quellix.ini");
    state = std::make_unique<ProgramState>();
    ASSERT_EQ(RunStartup(Request({"--ini=" + path}, tree.Root()), *state, frontEnd, service),
              StartupOutcome::Running);
    EXPECT_EQ(tree.List(),
              (std::vector<std::string>{".Other.ini.quellix-k1LLed", ".Quellix.ini.lock",
                                        ".quellix-n0w000", "Quellix.ini"}));
}

TEST_F(StartupTest, CopiesOnDifferentFilesRunSideBySide) {
    ASSERT_EQ(Start(), StartupOutcome::Running);
    const auto first = std::move(state);
    test::TempDir other;
    ProgramState second;
    EXPECT_EQ(RunStartup(Request({"--ini=" + other.File("Quellix.ini")}, other.Path()), second,
                         frontEnd, service),
              StartupOutcome::Running);
    EXPECT_TRUE(frontEnd.messages.empty());
}

TEST_F(StartupTest, StatisticsLanguageAndLogSettings) {
    dir.Write("logs/.keep", "");
    WriteConfig(
        "[Purge]\nLangue=abc\nDateDernierePurge= 05 mars 2026 - 10:00:00 \nNbDernierePurge=12\n"
        "NbDernierePurgeDossiers=3.5\nNbLocked=99999999999\n"
        "[Paths]\nUseShortPathnames= 1\n"
        "[Logs]\nLogs=1\nPathLogs=" +
        dir.File("logs") + "\nPurgeLogs=1\nDelaiLogs=0\n");
    ASSERT_EQ(Start(), StartupOutcome::Running);
    const Settings& s = state->settings;
    EXPECT_EQ(s.Langue, 0);
    EXPECT_EQ(s.DateDernierePurge, "05 mars 2026 - 10:00:00");
    EXPECT_EQ(s.NbDernierePurge, 12);
    EXPECT_EQ(s.NbDernierePurgeDossiers, 4);
    EXPECT_EQ(s.NbLocked, 0);
    // The file's blanks around a value never count, as with Windows' own reader.
    EXPECT_TRUE(s.UseShortPathnames);
    EXPECT_TRUE(s.Logs);
    EXPECT_TRUE(s.PurgeLogs);
    EXPECT_EQ(s.PathLogs, dir.File("logs"));
    EXPECT_EQ(s.DelaiLogs, 10);

    WriteConfig("[Purge]\nLangue=1\n[Logs]\nPathLogs=" + dir.File("missing") + "\nDelaiLogs=5\n");
    ASSERT_EQ(Start(), StartupOutcome::Running);
    EXPECT_EQ(state->settings.PathLogs, dir.Path());
    EXPECT_EQ(state->settings.DelaiLogs, 5);
    EXPECT_EQ(state->settings.DateDernierePurge, "jj/mm/aaaa - hh:mm");
    EXPECT_EQ(FolderListTitle(state->folders, Language::French), "Dossiers à purger (0)");
    // The fallback folder is not written back.
    EXPECT_NE(Config().find("PathLogs=" + dir.File("missing")), std::string::npos);
}

TEST_F(StartupTest, FolderCountValues) {
    const std::string entries = "Path1=/a/\nRetentionPath1=2\nPath2=/b/\nRetentionPath2=3\n";
    const std::pair<const char*, std::size_t> cases[] = {{"", 0},
                                                         {"NbPaths=0\n", 0},
                                                         {"NbPaths=-3\n", 0},
                                                         {"NbPaths=abc\n", 0},
                                                         {"NbPaths=1\n", 1},
                                                         {"NbPaths=2xyz\n", 2},
                                                         {"NbPaths=1.5\n", 2}};
    for (const auto& [count, rows] : cases) {
        WriteConfig("[Paths]\n" + std::string(count) + entries);
        ASSERT_EQ(Start(), StartupOutcome::Running) << count;
        EXPECT_EQ(state->folders.Size(), rows) << count;
        EXPECT_EQ(FolderListTitle(state->folders, Language::English),
                  "Folders to purge (" + std::to_string(rows) + ")");
    }
    // More entries than 16-bit numbers count are refused, not cut to the first 32767; a count
    // within the limit but past the file's entries stops at the first missing one.
    const std::pair<const char*, const char*> refused[] = {
        {"NbPaths=99999999999999\n",
         "Too many folders (at most 32767)\nSection=Paths Key=NbPaths\n"},
        {"NbPaths=32768\n", "Too many folders (at most 32767)\nSection=Paths Key=NbPaths\n"},
        {"NbPaths=32767\n", "Lost path\nSection=Paths Key=Path3\n"}};
    for (const auto& [count, message] : refused) {
        WriteConfig("[Paths]\n" + std::string(count) + entries);
        ASSERT_EQ(Start(), StartupOutcome::ConfigError) << count;
        EXPECT_TRUE(frontEnd.messages.back().text.starts_with(message)) << count;
    }
}

TEST_F(StartupTest, FolderListErrorsAndMainWindowRefusal) {
    WriteConfig("[Paths]\nNbPaths=3\nPath1=/a/\nRetentionPath1=2\nPath3=/c/\nRetentionPath3=2\n");
    ASSERT_EQ(Start(), StartupOutcome::ConfigError);
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text,
              "Lost path\nSection=Paths Key=Path2\nfile '" + ConfigPath() + "'");
    EXPECT_FALSE(frontEnd.Called("ShowMainWindow"));

    WriteConfig("[Paths]\nNbPaths=1\nPath1=/a/\nRetentionPath1=2\n");
    frontEnd = test::ScriptedFrontEnd();
    frontEnd.mainWindowLoadSucceeds = false;
    ASSERT_EQ(Start(), StartupOutcome::EndedByMainWindow);
    EXPECT_FALSE(frontEnd.Called("SetLoadingCounter"));
    EXPECT_TRUE(state->folders.Entries().empty());
}

}  // namespace
}  // namespace quellix
