#include "core/service/service_dialog_presenter.h"

#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "support/fake_service_host.h"
#include "support/recording_view_of.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

const std::string kIni = "[Purge]\nDebug=0\n";
const char* const kStartTypes[] = {"optType0", "optType1", "optType2"};

class RecordingServiceView final : public RecordingViewOf<ServiceDialogView> {
  public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// A dialog over a fake service and a configuration file of its own.
struct Dialog {
    explicit Dialog(std::int16_t langue = 0) : ini(dir.Write("Quellix.ini", kIni)) {
        settings.Langue = langue;
        settings.ProgramTitle = "Quellix 1.0.0";
    }
    ServiceDialogPresenter Presenter() {
        return ServiceDialogPresenter(view, settings, ini, service, ServiceConsoleFor(true));
    }
    void Choose(int startType) {
        for (int i = 0; i < 3; ++i) {
            view.At(kStartTypes[i]).checked = i == startType;
        }
    }

    test::TempDir dir;
    IniFile ini;
    Settings settings;
    test::FakeServiceHost service;
    RecordingServiceView view;
};

TEST(ServiceDialogPresenter, LoadShowsTheServiceAndTheSettings) {
    struct Case {
        std::int16_t langue;
        bool installed;
        ServiceStartType startType;
        bool interact;
        bool debug;
        const char* state;
        const char* install;
        const char* frame;
    };
    const Case cases[] = {
        {0, false, ServiceStartType::Disabled, true, true, "Quellix Service not installed",
         "&Install", "Start type"},
        {1, false, ServiceStartType::Automatic, false, false, "Quellix Service non installé",
         "&Installer", "Type de démarrage"},
        {0, true, ServiceStartType::Manual, false, true,
         "Quellix Service installed\r\n(checking purge starts automatically when Quellix "
         "service starts)",
         "&Install", "Start type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        Dialog d(c.langue);
        d.service.installed = c.installed;
        d.service.SetStartType(c.startType);
        d.service.SetInteractWithDesktop(c.interact);
        d.settings.Debug = c.debug;
        ServiceDialogPresenter presenter = d.Presenter();
        presenter.Load();
        const RecordingDialogView& view = d.view;
        EXPECT_EQ(view.Text("frmAdminService"), "Quellix Service [NT]");
        EXPECT_EQ(view.Text("lblService"), c.state);
        EXPECT_EQ(view.Text("cmdInstall"), c.install);
        EXPECT_EQ(view.Text("frameType"), c.frame);
        EXPECT_NE(view.Text("lblRemove").find("'systemctl --user stop quellix'\r\n"),
                  std::string::npos);
        EXPECT_NE(view.Text("lblInstall").find("'systemctl --user start quellix'"),
                  std::string::npos);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(view.IsChecked(kStartTypes[i]), i == static_cast<int>(c.startType)) << i;
        }
        EXPECT_EQ(view.IsChecked("chkInteract"), c.interact);
        EXPECT_EQ(view.Get("lblInteract").visible, c.interact);
        EXPECT_EQ(view.IsChecked("chkDebug"), c.debug);

        // The warning follows the box at once.
        d.view.At("chkInteract").checked = !c.interact;
        presenter.OnInteractClicked();
        EXPECT_EQ(view.Get("lblInteract").visible, !c.interact);
        EXPECT_EQ(d.view.beeps, 0);
        EXPECT_EQ(d.dir.Read("Quellix.ini"), kIni);
    }
}

TEST(ServiceDialogPresenter, InstallRegistersTheChoiceShowsTheMessageAndCloses) {
    Dialog d;
    ServiceDialogPresenter presenter = d.Presenter();
    presenter.Load();
    d.Choose(1);
    d.view.At("chkDebug").checked = true;
    d.view.At("chkInteract").checked = true;
    presenter.OnInstall();

    const std::string line =
        "Quellix Service installed. Debug=True\r\n(checking purge starts automatically when "
        "Quellix service starts)";
    EXPECT_EQ(presenter.Outcome(), ServiceDialogOutcome::Installed);
    EXPECT_EQ(d.view.closed, std::optional<bool>(true));
    EXPECT_EQ(d.view.Text("lblService"), line);
    ASSERT_EQ(d.view.asked.size(), 1u);
    EXPECT_EQ(d.view.asked[0].text,
              line + "\r\n\r\nConfiguration and start, see\r\n'systemctl --user start quellix'");
    EXPECT_EQ(d.view.asked[0].title, "Quellix");
    EXPECT_TRUE(d.service.installed);
    EXPECT_EQ(d.service.StartType(), ServiceStartType::Manual);
    EXPECT_TRUE(d.service.InteractWithDesktop());
    EXPECT_EQ(d.service.events,
              (std::vector<std::pair<std::string, EventType>>{{line, EventType::Information}}));
    EXPECT_EQ(d.dir.Read("Quellix.ini"), "[Purge]\nDebug=1\n");
    EXPECT_TRUE(d.settings.Debug);
    EXPECT_EQ(d.view.beeps, 0);
}

// A second Install, a Remove, a Remove with nothing to remove: the dialog stays open throughout,
// answering a refusal with the state line and a beep, never a message box.
TEST(ServiceDialogPresenter, RefusalsBeepAndRemoveKeepsTheDialogOpen) {
    Dialog d(1);
    d.service.installed = true;
    ServiceDialogPresenter presenter = d.Presenter();
    presenter.Load();
    d.Choose(2);
    d.view.At("chkDebug").checked = true;

    struct Step {
        bool install;
        const char* state;
        int beeps;
        ServiceDialogOutcome outcome;
        bool installed;
    };
    const Step steps[] = {
        {true, "Quellix Service déjà installé", 1, ServiceDialogOutcome::Closed, true},
        {false, "Quellix Service: supprimé", 1, ServiceDialogOutcome::Removed, false},
        {false, "Quellix Service non installé", 2, ServiceDialogOutcome::Removed, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.state);
        step.install ? presenter.OnInstall() : presenter.OnRemove();
        EXPECT_EQ(d.view.Text("lblService"), step.state);
        EXPECT_EQ(d.view.beeps, step.beeps);
        EXPECT_EQ(presenter.Outcome(), step.outcome);
        EXPECT_EQ(d.service.installed, step.installed);
        EXPECT_FALSE(d.view.closed.has_value());
    }
    EXPECT_TRUE(d.view.asked.empty());
    // The removed service's start type is gone with it: the next one starts automatic.
    EXPECT_TRUE(d.view.IsChecked("optType0"));
    EXPECT_FALSE(d.view.IsChecked("optType2"));
    EXPECT_EQ(d.service.StartType(), ServiceStartType::Automatic);
    EXPECT_EQ(d.service.events, (std::vector<std::pair<std::string, EventType>>{
                                    {"Quellix Service: supprimé", EventType::Information}}));
    EXPECT_EQ(d.dir.Read("Quellix.ini"), kIni);
    EXPECT_FALSE(d.settings.Debug);

    presenter.OnCancel();
    EXPECT_EQ(d.view.closed, std::optional<bool>(false));
    EXPECT_EQ(presenter.Outcome(), ServiceDialogOutcome::Removed);
}

}  // namespace
}  // namespace quellix
