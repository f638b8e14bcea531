#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "core/logview/log_folder_presenter.h"
#include "core/logview/log_retention_presenter.h"
#include "support/recording_view_of.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// The folder lists as a test sees them: where they start, and where the presenter sent them.
class RecordingLogFolderView final : public RecordingViewOf<LogFolderView> {
  public:
    void ShowFolder(const std::string& folder) override { current = folder + "/"; }
    std::string CurrentFolder() const override { return current; }
    std::string current;
};

struct RetentionStep {
    const char* typed;  // nullptr: the box as it is
    bool up;
    const char* shown;
    const char* limit;  // nullptr: hidden
};

// Each language's limit texts on the same walk; the captions are English or French only.
TEST(LogRetentionPresenter, StepsStopAtTheLimitsAndSaySoInEachLanguage) {
    struct Case {
        std::int16_t langue;
        const char* removeOld;
        const char* unit;
        const char* lowest;
        const char* highest;
    };
    const Case cases[] = {
        {0, "Remove Log files automatically after...", "days", "Minimal value reached",
         "Maximal value reached"},
        {1, "Effacer automatiquement les journaux après...", "jours", "Valeur minimale atteinte",
         "Valeur maximale atteinte"},
        {2, "Effacer automatiquement les journaux après...", "jours", "Valor mínimo atingido",
         "Valor máximo atingido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.langue);
        test::TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        Settings settings;
        settings.Langue = c.langue;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.PurgeLogs = true;
        settings.DelaiLogs = 4;
        RecordingDialogView view;
        LogRetentionPresenter presenter(view, settings, ini);
        presenter.Load();
        EXPECT_EQ(view.Text("frmPurgeLogs"), "Quellix 1.0.0");
        EXPECT_EQ(view.Text("chkPurgeLogs"), c.removeOld);
        EXPECT_EQ(view.Text("lblJours"), c.unit);
        EXPECT_EQ(view.Text("cmdOK"), "&OK");
        EXPECT_TRUE(view.IsChecked("chkPurgeLogs"));
        EXPECT_EQ(view.Text("Text1"), "4");
        EXPECT_FALSE(view.Get("Label1").visible);

        const RetentionStep steps[] = {
            {nullptr, false, "3", nullptr},  {nullptr, false, "2", c.lowest},
            {nullptr, false, "2", c.lowest}, {nullptr, true, "3", nullptr},
            {"365", true, "366", c.highest}, {nullptr, true, "366", c.highest},
            {"abc", true, "1", nullptr},
        };
        for (const RetentionStep& step : steps) {
            if (step.typed != nullptr) {
                view.At("Text1").text = step.typed;
            }
            presenter.OnStep(step.up);
            EXPECT_EQ(view.Text("Text1"), step.shown);
            EXPECT_EQ(view.Get("Label1").visible, step.limit != nullptr) << step.shown;
            if (step.limit != nullptr) {
                EXPECT_EQ(view.Text("Label1"), step.limit);
            }
        }
        EXPECT_FALSE(view.closed.has_value());
        EXPECT_FALSE(dir.Exists("Quellix.ini"));
    }
}

// The refusals leave the dialog open and the file alone; then OK writes both keys and closes.
TEST(LogRetentionPresenter, RefusesOutOfRangeThenStoresAndCloses) {
    test::TempDir dir;
    IniFile ini(dir.File("Quellix.ini"));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Langue = 1;
    settings.DelaiLogs = 10;
    RecordingDialogView view;
    LogRetentionPresenter presenter(view, settings, ini);
    presenter.Load();
    view.At("chkPurgeLogs").checked = true;
    for (const char* refused : {"1", "367", "abc"}) {
        view.At("Text1").text = refused;
        presenter.OnOk();
        ASSERT_FALSE(view.asked.empty());
        EXPECT_EQ(view.asked.back().text, std::string("Valeur incorrecte: ") + refused);
        EXPECT_EQ(view.asked.back().title, "Quellix 1.0.0");
        EXPECT_EQ(view.asked.back().icon, MessageIcon::Critical);
        EXPECT_FALSE(view.closed.has_value());
        EXPECT_FALSE(presenter.Accepted());
    }
    EXPECT_EQ(view.asked.size(), 3u);
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
    EXPECT_FALSE(settings.PurgeLogs);

    view.At("Text1").text = "366";
    presenter.OnOk();
    EXPECT_EQ(view.closed, std::optional<bool>(true));
    EXPECT_TRUE(presenter.Accepted());
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Logs]\nPurgeLogs=1\nDelaiLogs=366\n");
    EXPECT_TRUE(settings.PurgeLogs);
    EXPECT_EQ(settings.DelaiLogs, 366);

    RecordingDialogView cancelled;
    LogRetentionPresenter second(cancelled, settings, ini);
    second.Load();
    cancelled.At("Text1").text = "5";
    cancelled.At("chkPurgeLogs").checked = false;
    second.OnCancel();
    EXPECT_EQ(cancelled.closed, std::optional<bool>(false));
    EXPECT_FALSE(second.Accepted());
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Logs]\nPurgeLogs=1\nDelaiLogs=366\n");
}

TEST(LogFolderPresenter, SwitchGovernsTheFolderControlsAndOkStoresTheShownFolder) {
    struct Case {
        std::int16_t langue;
        bool logs;
        bool folderExists;
        const char* caption;
        const char* heading;
        const char* cancel;
    };
    const Case cases[] = {
        {0, true, true, "Archive deleting operations in daily Log files",
         "Log files are stored in the following folder", "&Cancel"},
        {1, false, true, "Archiver quotidiennement les opérations d'effacement",
         "Les journaux sont stockés dans le dossier:", "&Annuler"},
        // A log folder removed since: the lists stay where they start, and OK stores that.
        {0, true, false, "Archive deleting operations in daily Log files",
         "Log files are stored in the following folder", "&Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.langue << c.logs << c.folderExists);
        test::TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        dir.Write("start/.keep", "");
        dir.Write("logs/.keep", "");
        const std::string start = dir.File("start");
        const std::string logs = dir.File(c.folderExists ? "logs" : "gone");
        Settings settings;
        settings.Langue = c.langue;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Logs = c.logs;
        settings.PathLogs = logs;
        RecordingLogFolderView view;
        view.current = start + "/";
        LogFolderPresenter presenter(view, settings, ini);
        presenter.Load();

        const std::string shown = c.folderExists ? logs : start;
        EXPECT_EQ(view.Text("frmPathLogs"), "Quellix 1.0.0");
        EXPECT_EQ(view.Text("chkLogs"), c.caption);
        EXPECT_EQ(view.Text("lblTitre"), c.heading);
        EXPECT_EQ(view.Text("cmdAnnuler"), c.cancel);
        EXPECT_EQ(view.IsChecked("chkLogs"), c.logs);
        EXPECT_EQ(view.Text("lblDossier"), shown);
        for (const char* control : {"lblTitre", "Lecteurs", "Chemins", "lblDossier"}) {
            EXPECT_EQ(view.Get(control).enabled, c.logs) << control;
        }

        // The switch turned over, the folder list moved by the user.
        view.At("chkLogs").checked = !c.logs;
        presenter.OnSwitchClicked();
        for (const char* control : {"lblTitre", "Lecteurs", "Chemins", "lblDossier"}) {
            EXPECT_EQ(view.Get(control).enabled, !c.logs) << control;
        }
        view.current = "/";
        presenter.OnFolderChanged();
        EXPECT_EQ(view.Text("lblDossier"), "/");
        view.current = shown + "/";
        presenter.OnFolderChanged();
        EXPECT_EQ(view.Text("lblDossier"), shown);

        presenter.OnOk();
        EXPECT_EQ(view.closed, std::optional<bool>(true));
        EXPECT_TRUE(presenter.Accepted());
        EXPECT_EQ(settings.Logs, !c.logs);
        EXPECT_EQ(settings.PathLogs, shown);
        std::string written = "[Logs]\nLogs=";
        written += c.logs ? "0" : "1";
        written += "\nPathLogs=" + shown + "\n";
        EXPECT_EQ(dir.Read("Quellix.ini"), written);
    }
}

TEST(LogFolderPresenter, CancelChangesNothing) {
    test::TempDir dir;
    IniFile ini(dir.File("Quellix.ini"));
    Settings settings;
    settings.Logs = true;
    settings.PathLogs = dir.Path();
    RecordingLogFolderView view;
    view.current = "/";
    LogFolderPresenter presenter(view, settings, ini);
    presenter.Load();
    view.At("chkLogs").checked = false;
    presenter.OnSwitchClicked();
    presenter.OnCancel();
    EXPECT_EQ(view.closed, std::optional<bool>(false));
    EXPECT_FALSE(presenter.Accepted());
    EXPECT_TRUE(settings.Logs);
    EXPECT_EQ(settings.PathLogs, dir.Path());
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
}

}  // namespace
}  // namespace quellix
