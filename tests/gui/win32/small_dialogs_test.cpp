#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/config/ini_file.h"
#include "gui/win32/common/message_box.h"
#include "gui/win32/dialogs/about_dialog.h"
#include "gui/win32/dialogs/all_obsolete_dialog.h"
#include "gui/win32/dialogs/automatic_start_dialog.h"
#include "gui/win32/dialogs/tempo_dialog.h"
#include "gui/win32/logview/log_retention_dialog.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

struct ScriptedBoxes {
    ScriptedBoxes() { MessageBoxes::Script({}); }
    ~ScriptedBoxes() { MessageBoxes::StopScripting(); }
};

// The two dialogs of a number with arrows, through their real controls: the arrow up to the
// limit, told in red; a number beyond it refused; Enter for OK; then Escape in French.
TEST(NumberDialogsWin32, ArrowToLimitRefuseOkThenCancel) {
    struct Case {
        const char* name;
        std::string ini;
        std::function<bool(HWND, Settings&, ConfigStore&)> open;
        const char* hintAtOpen;
        const char* limit;
        const char* beyond;
        std::string written;
    };
    SchedulerState scheduler;
    const Case cases[] = {
        {"tempo", "[Purge]\r\nTemporisation=59\r\n",
         [&scheduler](HWND owner, Settings& settings, ConfigStore& config) {
             return TempoDialog::Open(owner, settings, config, scheduler);
         },
         "(only when main window is displayed!)", "Maximal temporisation reached", "61",
         "[Purge]\r\nTemporisation=2\r\n"},
        {"log-retention", "[Logs]\r\nPurgeLogs=1\r\nDelaiLogs=365\r\n", &LogRetentionDialog::Open,
         "", "Maximal value reached", "367", "[Logs]\r\nPurgeLogs=1\r\nDelaiLogs=2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        IniFile ini(dir.Write("Quellix.ini", c.ini));
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Temporisation = 59;
        settings.PurgeLogs = true;
        settings.DelaiLogs = 365;
        ScriptedBoxes boxes;
        bool accepted = false;
        ModalDriver()
            .Then([&](HWND dialog) {
                EXPECT_EQ(TextOf(dialog, ""), "Quellix 1.0.0");
                HWND label = Named(dialog, "Label1");
                EXPECT_EQ(IsWindowVisible(label) != FALSE, *c.hintAtOpen != '\0');
                EXPECT_EQ(TextOf(dialog, "Label1"), c.hintAtOpen);
                Step(dialog, "UpDown1", true);
                EXPECT_EQ(TextOf(dialog, "Label1"), c.limit);
                EXPECT_TRUE(IsWindowVisible(label));
                EXPECT_TRUE(ShowsColour(label, RGB(255, 0, 0)));
                SavePictureWhenAsked(dialog, std::string(c.name) + "-en");

                Type(Named(dialog, "Text1"), c.beyond);
                Click(dialog, "cmdOK");
                ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
                EXPECT_EQ(MessageBoxes::Asked().back().text,
                          std::string("Invalid value: ") + c.beyond);
                EXPECT_EQ(dir.Read("Quellix.ini"), c.ini);
                Type(Named(dialog, "Text1"), "2");
                PressKey(dialog, VK_RETURN);
            })
            .Run([&] { accepted = c.open(nullptr, settings, ini); });
        EXPECT_TRUE(accepted);
        EXPECT_EQ(dir.Read("Quellix.ini"), c.written);

        settings.Langue = 1;
        ModalDriver()
            .Then([&](HWND dialog) {
                EXPECT_EQ(TextOf(dialog, "cmdAnnuler"), "&Annuler");
                SavePictureWhenAsked(dialog, std::string(c.name) + "-fr");
                Step(dialog, "UpDown1", true);
                EXPECT_EQ(TextOf(dialog, "Text1"), "3");
                PressKey(dialog, VK_ESCAPE);
            })
            .Run([&] { accepted = c.open(nullptr, settings, ini); });
        EXPECT_FALSE(accepted);
        EXPECT_EQ(dir.Read("Quellix.ini"), c.written);
    }
    EXPECT_EQ(scheduler.UpdateCountdown, 2);
}

// Both check-box dialogs, in French: ticked then Escape changes nothing; ticked then Enter stores
// and writes "1".
TEST(CheckOptionDialogsWin32, TickThenCancelThenOk) {
    struct Case {
        const char* box;
        const char* key;
        bool Settings::*setting;
        bool (*open)(HWND, Settings&, ConfigStore&);
        std::int16_t langue;
        const char* title;
    };
    const Case cases[] = {
        {"chkDemarrageAutomatique", "DemarrageAutomatiqueLancement",
         &Settings::DemarrageAutomatiqueLancement, &AutomaticStartDialog::Open, 1,
         "Démarrer automatiquement la purge"},
        {"chkTousFichiersObsoletes", "TousFichiersObsoletes", &Settings::TousFichiersObsoletes,
         &AllObsoleteDialog::Open, 1, "Purger seulement si tous les fichiers sont obsolètes"},
        {"chkDemarrageAutomatique", "DemarrageAutomatiqueLancement",
         &Settings::DemarrageAutomatiqueLancement, &AutomaticStartDialog::Open, 0,
         "Automatic start up"},
        {"chkTousFichiersObsoletes", "TousFichiersObsoletes", &Settings::TousFichiersObsoletes,
         &AllObsoleteDialog::Open, 0, "Purge only if all files are obsolete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " Langue " << c.langue);
        TempDir dir;
        const std::string before = std::string("[Purge]\r\n") + c.key + "=0\r\n";
        IniFile ini(dir.Write("Quellix.ini", before));
        Settings settings;
        settings.Langue = c.langue;
        const auto tickThen = [&c](WPARAM key) {
            return [&c, key](HWND dialog) {
                EXPECT_EQ(TextOf(dialog, ""), c.title);
                EXPECT_FALSE(IsChecked(dialog, c.box));
                SavePictureWhenAsked(dialog, c.box);
                Click(dialog, c.box);
                PressKey(dialog, key);
            };
        };
        bool accepted = true;
        ModalDriver().Then(tickThen(VK_ESCAPE)).Run([&] {
            accepted = c.open(nullptr, settings, ini);
        });
        EXPECT_FALSE(accepted);
        EXPECT_FALSE(settings.*c.setting);
        EXPECT_EQ(dir.Read("Quellix.ini"), before);

        ModalDriver().Then(tickThen(VK_RETURN)).Run([&] {
            accepted = c.open(nullptr, settings, ini);
        });
        EXPECT_TRUE(accepted);
        EXPECT_TRUE(settings.*c.setting);
        EXPECT_EQ(dir.Read("Quellix.ini"), std::string("[Purge]\r\n") + c.key + "=1\r\n");
    }
}

// Enter closes the box in English, Escape in French.
TEST(AboutDialogWin32, ClosesOnEnterAndEscape) {
    Settings settings;
    settings.ProgramTitle = "Quellix 2.4.19";
    for (const std::int16_t langue : {0, 1}) {
        settings.Langue = langue;
        ModalDriver()
            .Then([&](HWND dialog) {
                EXPECT_EQ(TextOf(dialog, ""), langue == 0 ? "About..." : "A propos de...");
                EXPECT_EQ(TextOf(dialog, "lblCredit").rfind("Quellix 2.4.19 - ", 0), 0U);
                SavePictureWhenAsked(dialog, langue == 0 ? "about-en" : "about-fr");
                PressKey(dialog, langue == 0 ? VK_RETURN : VK_ESCAPE);
            })
            .Run([&] { AboutDialog::Open(nullptr, settings); });
    }
}

}  // namespace
}  // namespace quellix::test
