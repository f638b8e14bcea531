#include "core/mainwindow/main_window_presenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/ini_file.h"
#include "core/mainwindow/scheduler.h"
#include "core/purge/run_journal.h"
#include "support/fake_clock.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/folder_entries.h"
#include "support/recording_main_window_view.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

constexpr auto kYes = MessageAnswer::Yes;
constexpr auto kNo = MessageAnswer::No;
using State = RecordingMainWindowView::State;

// A main window on a recording view, with the program's state around it.
struct Window {
    Window() {
        program.config = std::make_unique<MemoryConfigStore>();
        Settings& settings = program.settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.OsDescription = "Linux v.6.1";
        settings.IsNt = true;
        settings.Heure = "12:00";
        settings.DaysDisplayEn = " [Mon] ";
        settings.Temporisation = 30;
        Folders(2);
    }

    void Folders(int n) {
        program.folders.Clear();
        for (int i = 0; i < n; ++i) {
            program.folders.Append(test::EntryOf(
                {"1", "/srv/f" + std::to_string(i) + "/", "24", "no", "M", "Delete"}));
        }
    }

    MainWindowPresenter& Presenter() {
        if (!presenter) {
            presenter = std::make_unique<MainWindowPresenter>(
                view, tray, dialogs,
                MainWindowContext{program, frontEnd, service, work, scheduler,
                                  [this] { ++countPasses; },
                                  [this](const std::string& path) {
                                      opened.push_back(path);
                                      return true;
                                  },
                                  [this](const std::string& path) { return path == existing; },
                                  [this](const std::string& path) {
                                      edited.push_back(path);
                                      return true;
                                  },
                                  [this](int code) { quitWith = code; },
                                  [this](const FolderList& folders) { return Preview(folders); }});
        }
        return *presenter;
    }

    // The entries asked for, as the preview sees them, and whether it ran under the busy cursor
    // with other work kept out.
    PurgePreview Preview(const FolderList& folders) {
        PurgePreview preview;
        std::vector<std::string> paths;
        for (const FolderEntry& entry : folders.Entries()) {
            paths.push_back(entry.path);
            preview.entries.push_back(
                {paths.size() - 1, entry.path, entry.count.IsUnknown(), {}, {}});
        }
        previewed.push_back(paths);
        previewedBusy.push_back(view.busyCursor && work.Busy());
        if (duringPreview) {
            duringPreview();
        }
        return preview;
    }

    std::string Ini() const { return static_cast<MemoryConfigStore&>(*program.config).Text(); }
    bool Enabled(const char* name) const { return view.Get(name).enabled; }
    bool Visible(const char* name) const { return view.Get(name).visible; }
    bool Checked(const char* name) const { return view.Get(name).checked; }

    ProgramState program;
    test::ScriptedFrontEnd frontEnd;
    test::FakeServiceHost service;
    test::FakeClock clock{test::EpochOf(2026, 12, 7, 9)};
    ExclusiveWork work;
    Scheduler scheduler{SchedulerContext{program, frontEnd, service, clock, work, [] {}, [] {}}};
    RecordingMainWindowView view;
    RecordingTray tray;
    RecordingDialogOpener dialogs;
    std::unique_ptr<MainWindowPresenter> presenter;
    int countPasses = 0;
    std::vector<std::string> opened;
    std::vector<std::string> edited;
    std::string existing;
    std::optional<int> quitWith;
    std::vector<std::vector<std::string>> previewed;
    std::vector<bool> previewedBusy;
    std::function<void()> duringPreview;
};

class MainWindowPresenterTest : public ::testing::Test, public Window {};

TEST_F(MainWindowPresenterTest, LoadFillsTheWindowHiddenAndAddsTheTrayIcon) {
    Settings& settings = program.settings;
    settings.DemarrageAutomatiqueLancement = true;
    settings.PurgeImmediate = true;
    settings.PurgeLogs = true;
    ASSERT_TRUE(Presenter().Load());

    EXPECT_EQ(view.Text("frmPurgeNN"), "Quellix 1.0.0 - Linux v.6.1");
    EXPECT_EQ(view.startsMinimized, std::optional<bool>(true));
    EXPECT_EQ(view.state, State::NotYetShown);
    EXPECT_TRUE(Checked("chkPurgeImmediate"));
    // The ticked box hides the purge time and is written back, as a click would.
    EXPECT_TRUE(frontEnd.Called("SetPurgeTimeVisible(false)"));
    EXPECT_NE(Ini().find("PurgeImmediate=1"), std::string::npos);
    EXPECT_EQ(view.Text("lblHeurePurge"), "Purge at 12:00 [Mon] ");
    EXPECT_EQ(view.Text("lblDernierePurge").rfind("Last purge: ", 0), 0U);
    for (const char* hidden : {"lblMaj", "imgRefresh", "lblMode", "lblBulle"}) {
        EXPECT_FALSE(Visible(hidden)) << hidden;
    }
    EXPECT_TRUE(Checked("mnuDemarrageAutomatique"));
    EXPECT_TRUE(Checked("mnuPurgeLogs"));
    EXPECT_FALSE(Checked("mnuDefinirLogs"));
    EXPECT_TRUE(Checked("mnuAnglais"));
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, "Quellix 1.0.0");
    EXPECT_TRUE(Enabled("cmdDemarrer") && !Enabled("cmdArreter") && Enabled("mnuQuitter"));
}

// What the load step makes of an installed service: the window's part of each outcome.
TEST(MainWindowPresenter, LoadWithAnInstalledService) {
    struct Case {
        const char* name;
        bool installed;
        bool serviceProcess;
        bool runOnce;
        std::deque<MessageAnswer> answers;
        bool loads;
        bool trayShown;
        bool serviceLabel;
        bool exitEnabled;
        std::size_t questions;
    };
    const Case cases[] = {
        {"no service", false, false, false, {}, true, true, false, true, 0},
        {"one-shot run", false, false, true, {}, true, false, false, true, 0},
        {"the service itself", true, true, false, {}, true, true, true, false, 0},
        {"removed on Yes", true, false, false, {kYes}, true, true, false, true, 1},
        {"kept on No", true, false, false, {kNo}, false, false, false, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window t;
        t.service.installed = c.installed;
        t.service.serviceProcess = c.serviceProcess;
        t.program.settings.RunOnce = c.runOnce;
        t.frontEnd.answers = c.answers;
        EXPECT_EQ(t.Presenter().Load(), c.loads);
        EXPECT_EQ(t.tray.shown, c.trayShown);
        EXPECT_EQ(t.Visible("lblMode"), c.serviceLabel);
        EXPECT_EQ(t.frontEnd.messages.size(), c.questions);
        if (c.loads) {
            EXPECT_EQ(t.Enabled("mnuQuitter"), c.exitEnabled);
            // The service process cannot be left from its window.
            t.frontEnd.answers = {kYes};
            EXPECT_EQ(t.Presenter().OnCloseRequested(), c.exitEnabled);
        }
    }
}

TEST(MainWindowPresenter, SchedulerModeDrivesButtonsMenusAndTimer) {
    struct Case {
        SchedulerMode mode;
        bool isNt;
        bool start, stop, immediate, settingsMenus, service, timer;
    };
    const Case cases[] = {
        {SchedulerMode::Stopped, true, true, false, true, true, true, false},
        {SchedulerMode::Stopped, false, true, false, true, true, false, false},
        {SchedulerMode::Running, true, false, true, false, false, false, true},
        {SchedulerMode::Immediate, true, false, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 2 + (c.isNt ? 1 : 0));
        Window t;
        t.program.settings.IsNt = c.isNt;
        ASSERT_TRUE(t.Presenter().Load());
        t.Presenter().SetSchedulerMode(c.mode);
        EXPECT_EQ(t.Enabled("cmdDemarrer"), c.start);
        EXPECT_EQ(t.Enabled("cmdArreter"), c.stop);
        EXPECT_EQ(t.Enabled("chkPurgeImmediate"), c.immediate);
        for (const char* menu :
             {"mnuModifierHeure", "mnuTemporisation", "mnuEditerIni", "mnuDossiers"}) {
            EXPECT_EQ(t.Enabled(menu), c.settingsMenus) << menu;
        }
        EXPECT_EQ(t.Enabled("mnuService"), c.service);
        EXPECT_TRUE(t.Enabled("mnuUseShortPathnames"));
        EXPECT_TRUE(t.Enabled("mnuQuitter"));
        EXPECT_EQ(t.view.timerRunning, c.timer);
    }
}

// Every menu item reaches its command; the dialogs' own effects show in the check marks.
TEST(MainWindowPresenter, CommandsOpenTheirDialogsAndFollowThem) {
    struct Case {
        const char* item;
        std::vector<std::string> opened;
        std::function<void(Settings&)> dialogDoes;
        const char* tickedAfter;
    };
    const Case cases[] = {
        {"mnuDemarrageAutomatique",
         {"AutomaticStart"},
         [](Settings& s) { s.DemarrageAutomatiqueLancement = true; },
         "mnuDemarrageAutomatique"},
        {"mnuTousFichiersObsoletes",
         {"AllObsolete"},
         [](Settings& s) { s.TousFichiersObsoletes = true; },
         "mnuTousFichiersObsoletes"},
        {"mnuDefinirLogs", {"LogFolder"}, [](Settings& s) { s.Logs = true; }, "mnuDefinirLogs"},
        {"mnuPurgeLogs", {"LogRetention"}, [](Settings& s) { s.PurgeLogs = true; }, "mnuPurgeLogs"},
        {"mnuTemporisation", {"TimeBetweenUpdates"}, nullptr, nullptr},
        {"mnuModifierHeure", {"PurgeTime"}, nullptr, nullptr},
        {"mnuService", {"Service"}, nullptr, nullptr},
        {"mnuAProposDe", {"About"}, nullptr, nullptr},
        {"mnuVoirLogs", {"LogViewer"}, nullptr, nullptr},
        {"mnuConfigurationAjouterAvant", {"FolderEditor(AddBefore,1)"}, nullptr, nullptr},
        {"mnuAjouterApres", {"FolderEditor(AddAfter,1)"}, nullptr, nullptr},
        {"mnuModifier", {"FolderEditor(Modify,1)"}, nullptr, nullptr},
        {"mnuNoSuchItem", {}, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Window t;
        ASSERT_TRUE(t.Presenter().Load());
        t.view.currentRow = 1;
        if (c.dialogDoes) {
            t.dialogs.whileOpen = [&] { c.dialogDoes(t.program.settings); };
        }
        t.Presenter().OnCommand(c.item);
        EXPECT_EQ(t.dialogs.opened, c.opened);
        if (c.tickedAfter != nullptr) {
            EXPECT_TRUE(t.Checked(c.tickedAfter));
        }
        EXPECT_FALSE(t.quitWith.has_value());
    }
}

TEST_F(MainWindowPresenterTest, FolderEditorOnlyWhileStoppedAndIdle) {
    ASSERT_TRUE(Presenter().Load());
    // Modify needs a row.
    Presenter().OnGridDoubleClicked();
    EXPECT_TRUE(dialogs.opened.empty());
    // The written row becomes the current one, and the hint follows the list.
    Folders(0);
    dialogs.whileOpen = [&] { Folders(1); };
    dialogs.editorWrites = 0;
    const int refreshes = view.gridRefreshes;
    Presenter().OnCommand("mnuAjouterAvant");
    EXPECT_EQ(dialogs.opened, std::vector<std::string>{"FolderEditor(AddBefore,-1)"});
    EXPECT_EQ(view.currentRow, 0);
    EXPECT_GT(view.gridRefreshes, refreshes);
    EXPECT_FALSE(Visible("lblBulle"));
    EXPECT_TRUE(Visible("cmdDemarrer"));

    dialogs.opened.clear();
    Presenter().SetSchedulerMode(SchedulerMode::Running);
    Presenter().OnGridDoubleClicked();
    Presenter().OnCommand("mnuConfigurationAjouterApres");
    Presenter().SetSchedulerMode(SchedulerMode::Stopped);
    work.TryRun([&] { Presenter().OnCommand("mnuConfigurationModifier"); });
    EXPECT_TRUE(dialogs.opened.empty());
    // The purge time label opens its dialog in every state; a change is shown at once.
    Presenter().SetSchedulerMode(SchedulerMode::Running);
    dialogs.purgeTimeChanged = true;
    dialogs.whileOpen = [&] { program.settings.Heure = "07:30"; };
    Presenter().OnPurgeTimeClicked();
    EXPECT_EQ(dialogs.opened, std::vector<std::string>{"PurgeTime"});
    EXPECT_EQ(view.Text("lblHeurePurge"), "Purge at 07:30 [Mon] ");
}

TEST_F(MainWindowPresenterTest, RemovingAsksThenSavesAndShowsTheHint) {
    Folders(1);
    ASSERT_TRUE(Presenter().Load());
    // Nothing selected, or a schedule running: the key does nothing.
    Presenter().OnDeleteKey();
    view.currentRow = 0;
    Presenter().SetSchedulerMode(SchedulerMode::Running);
    Presenter().OnDeleteKey();
    Presenter().OnCommand("mnuSupprimer");
    EXPECT_TRUE(frontEnd.messages.empty());

    Presenter().SetSchedulerMode(SchedulerMode::Stopped);
    frontEnd.answers = {kNo, kYes};
    Presenter().OnDeleteKey();
    EXPECT_EQ(program.folders.Size(), 1U);
    Presenter().OnCommand("mnuConfigurationSupprimer");
    ASSERT_EQ(frontEnd.messages.size(), 2U);
    EXPECT_EQ(frontEnd.messages[1].text, "Remove '/srv/f0/'\r\nfrom the list of folders");
    EXPECT_EQ(program.folders.Size(), 0U);
    EXPECT_NE(Ini().find("NbPaths=0"), std::string::npos);
    EXPECT_FALSE(view.busyCursor);
    EXPECT_TRUE(Visible("lblBulle"));
    for (const char* hidden : {"cmdDemarrer", "cmdArreter", "chkPurgeImmediate"}) {
        EXPECT_FALSE(Visible(hidden)) << hidden;
    }
}

TEST_F(MainWindowPresenterTest, OwnCommandsWriteAndOpenWhatTheyName) {
    program.settings.ConfigPath = "/etc/quellix/Quellix.ini";
    program.settings.HelpFolder = "/usr/share/doc/quellix";
    ASSERT_TRUE(Presenter().Load());
    Presenter().SetSchedulerMode(SchedulerMode::Running);

    // Even while the schedule runs: written at once, and the counts follow.
    Presenter().OnCommand("mnuUseShortPathnames");
    EXPECT_TRUE(Checked("mnuUseShortPathnames"));
    EXPECT_NE(Ini().find("UseShortPathnames=1"), std::string::npos);
    EXPECT_EQ(countPasses, 1);

    Presenter().OnCommand("mnuEditerIni");
    EXPECT_EQ(edited, std::vector<std::string>{"/etc/quellix/Quellix.ini"});
    Presenter().OnCommand("mnuHelp");
    existing = "/usr/share/doc/quellix/QuellixEN.htm";
    Presenter().OnCommand("mnuHelp");
    EXPECT_EQ(opened, std::vector<std::string>{existing});
    ASSERT_EQ(frontEnd.messages.size(), 2U);
    EXPECT_EQ(frontEnd.messages[1].text, "Help not available...");

    // Either language item switches, and every caption follows.
    Presenter().OnCommand("mnuAnglais");
    EXPECT_EQ(program.settings.language(), Language::French);
    EXPECT_EQ(view.Text("mnuFichier"), "&Fichier");
    EXPECT_EQ(view.toolTips["lblHeurePurge"], "Modifier l'heure de purge");
    EXPECT_TRUE(Checked("mnuFrancais") && !Checked("mnuAnglais"));
    EXPECT_NE(Ini().find("Langue=1"), std::string::npos);
}

TEST_F(MainWindowPresenterTest, ContextMenuIsPreparedBeforeEachDisplay) {
    ASSERT_TRUE(Presenter().Load());
    Folders(0);
    Presenter().OnContextMenu();
    EXPECT_EQ(view.Text("mnuAjouterAvant"), "&Add a new folder");
    EXPECT_FALSE(Visible("mnuAjouterApres"));
    EXPECT_FALSE(Enabled("mnuSupprimer"));
    Folders(1);
    Presenter().SetSchedulerMode(SchedulerMode::Running);
    Presenter().OnContextMenu();
    EXPECT_EQ(view.Text("mnuAjouterAvant"), "Add a new folder &before");
    EXPECT_TRUE(Visible("mnuAjouterApres"));
    EXPECT_FALSE(Enabled("mnuAjouterAvant"));
    EXPECT_EQ(view.contextMenus, 2);
}

TEST_F(MainWindowPresenterTest, PreviewOfEveryEntryOrOfTheSelectedOne) {
    using Paths = std::vector<std::vector<std::string>>;
    program.folders.Entries()[1].count = FileCount::Unknown();
    ASSERT_TRUE(Presenter().Load());
    // The Folders menu's item previews every entry, the context menu's the selected one alone,
    // its count kept (the preview passes over an unknown folder as the run does).
    Presenter().OnCommand("mnuApercuPurge");
    view.currentRow = 1;
    Presenter().OnContextMenu();
    EXPECT_TRUE(Enabled("mnuApercu"));
    Presenter().OnCommand("mnuApercu");
    EXPECT_EQ(previewed, (Paths{{"/srv/f0/", "/srv/f1/"}, {"/srv/f1/"}}));
    EXPECT_EQ(previewedBusy, (std::vector<bool>{true, true}));
    EXPECT_FALSE(view.busyCursor);
    ASSERT_EQ(dialogs.previews.size(), 2U);
    EXPECT_TRUE(dialogs.previews[1].entries.at(0).skipped);

    // No row, or a count walking: the context item is greyed and does nothing.
    view.currentRow = -1;
    Presenter().OnContextMenu();
    EXPECT_FALSE(Enabled("mnuApercu"));
    Presenter().OnCommand("mnuApercu");
    view.currentRow = 0;
    work.TryRun([&] {
        Presenter().OnContextMenu();
        EXPECT_FALSE(Enabled("mnuApercu"));
        Presenter().OnCommand("mnuApercu");
        Presenter().OnCommand("mnuApercuPurge");
    });
    EXPECT_EQ(previewed.size(), 2U);

    // Exit confirmed during the walk: no window opens for a program that is ending.
    frontEnd.answers = {kYes};
    duringPreview = [&] { Presenter().OnCloseRequested(); };
    Presenter().OnCommand("mnuApercuPurge");
    EXPECT_EQ(previewed.size(), 3U);
    EXPECT_EQ(quitWith, std::optional<int>(0));
    EXPECT_EQ(dialogs.previews.size(), 2U);
}

// Undo last purge is kept out while a count or purge walks; otherwise it asks, puts back and
// counts again.
TEST_F(MainWindowPresenterTest, UndoLastPurgeAsksPutsBackAndCounts) {
    test::FileTree tree;
    tree.File("dest/a.txt", test::EpochOf(2026, 12, 1), "a");
    tree.Folder("in");
    std::string journal(kJournalHeader);
    journal += "\n";
    journal += JournalLine(
        {JournalRecord::Kind::Moved, tree.Path("in/a.txt"), tree.Path("dest/a.txt"), "", false});
    journal += "\n";
    tree.File("Quellix.ini.last-purge", test::EpochOf(2026, 12, 1), journal);
    program.settings.JournalPath = tree.Path("Quellix.ini.last-purge");
    ASSERT_TRUE(Presenter().Load());
    const int countsBefore = countPasses;
    work.TryRun([&] { Presenter().OnCommand("mnuAnnulerPurge"); });
    EXPECT_TRUE(frontEnd.messages.empty());
    frontEnd.answers = {kYes, MessageAnswer::Ok};
    Presenter().OnCommand("mnuAnnulerPurge");
    ASSERT_EQ(frontEnd.messages.size(), 2U);
    EXPECT_EQ(frontEnd.messages[1].text, "1 file is back where it was.");
    EXPECT_EQ(tree.Read("in/a.txt"), "a");
    EXPECT_EQ(countPasses, countsBefore + 1);
}

TEST(MainWindowPresenter, TrayToggleAndMinimizing) {
    struct Case {
        State before;
        bool trayAvailable;
        State afterClick;
        State afterMinimized;
    };
    const Case cases[] = {
        {State::Shown, true, State::Hidden, State::Hidden},
        {State::Hidden, true, State::Shown, State::Hidden},
        {State::Minimized, true, State::Shown, State::Hidden},
        // Without a notification area the task bar keeps the window.
        {State::Shown, false, State::Minimized, State::Minimized},
        {State::Minimized, false, State::Shown, State::Minimized},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.before) * 2 + (c.trayAvailable ? 1 : 0));
        Window t;
        t.tray.available = c.trayAvailable;
        t.view.state = c.before;
        t.Presenter().OnTrayLeftClick();
        EXPECT_EQ(t.view.state, c.afterClick);
        t.view.state = State::Minimized;
        t.Presenter().OnMinimized();
        EXPECT_EQ(t.view.state, c.afterMinimized);
    }
}

TEST(MainWindowPresenter, ShownAtStartUnlessTheScheduleStartsByItself) {
    const std::tuple<bool, bool, State> cases[] = {
        {false, true, State::Shown},
        {true, true, State::NotYetShown},
        {true, false, State::Minimized},
    };
    for (const auto& [automatic, trayAvailable, expected] : cases) {
        Window t;
        t.program.settings.DemarrageAutomatiqueLancement = automatic;
        t.tray.available = trayAvailable;
        t.Presenter().ShowAtStart();
        EXPECT_EQ(t.view.state, expected) << automatic << trayAvailable;
    }
}

TEST_F(MainWindowPresenterTest, ExitAsksAndEndsOnYesOnly) {
    ASSERT_TRUE(Presenter().Load());
    frontEnd.answers = {kNo, kYes};
    Presenter().OnCommand("mnuQuitter");
    EXPECT_EQ(frontEnd.messages.at(0).text, "Exit program");
    // Enter alone answers No.
    EXPECT_EQ(frontEnd.messages.at(0).defaultAnswer, MessageAnswer::No);
    EXPECT_FALSE(view.closed.has_value());
    EXPECT_TRUE(tray.shown);
    EXPECT_FALSE(quitWith.has_value());

    Presenter().OnCommand("mnuQuitter");
    EXPECT_EQ(view.closed, std::optional<bool>(true));
    EXPECT_FALSE(tray.shown);
    EXPECT_EQ(quitWith, std::optional<int>(0));
    // The close that follows is let through without asking again.
    EXPECT_TRUE(Presenter().OnCloseRequested());
    EXPECT_EQ(frontEnd.messages.size(), 2U);
}

TEST_F(MainWindowPresenterTest, ServiceDialogOutcomes) {
    ASSERT_TRUE(Presenter().Load());
    dialogs.serviceChange = ServiceChange::Removed;
    Presenter().OnCommand("mnuService");
    EXPECT_FALSE(Visible("lblMode"));
    EXPECT_FALSE(quitWith.has_value());

    // The service takes over: this copy ends without asking.
    dialogs.serviceChange = ServiceChange::Installed;
    Presenter().OnCommand("mnuService");
    EXPECT_TRUE(Visible("lblMode"));
    EXPECT_FALSE(tray.shown);
    EXPECT_EQ(quitWith, std::optional<int>(0));
    EXPECT_TRUE(Presenter().OnCloseRequested());
    EXPECT_TRUE(frontEnd.messages.empty());
}

TEST_F(MainWindowPresenterTest, ScheduleControlsReachTheScheduler) {
    ASSERT_TRUE(Presenter().Load());
    Presenter().OnStart();
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Running);
    Presenter().OnTimer();
    EXPECT_EQ(frontEnd.hourglassFrame, 0);
    Presenter().OnStop();
    EXPECT_EQ(scheduler.Mode(), SchedulerMode::Stopped);
    Presenter().OnImmediateClicked(true);
    EXPECT_TRUE(program.settings.PurgeImmediate);
    // The host's calls reach the labels.
    Presenter().SetStatusText("Update in 3 seconds");
    Presenter().SetBusyVisible(true);
    Presenter().SetLastPurgeText("Last purge: today");
    Presenter().ShowHourglassFrame(4);
    EXPECT_EQ(view.Text("lblMaj"), "Update in 3 seconds");
    EXPECT_TRUE(Visible("lblMaj") && Visible("imgRefresh"));
    EXPECT_EQ(view.Text("lblDernierePurge"), "Last purge: today");
    EXPECT_EQ(view.hourglassFrame, 4);
}

}  // namespace
}  // namespace quellix
