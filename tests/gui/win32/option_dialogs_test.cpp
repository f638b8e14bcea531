#include <gtest/gtest.h>

#include <string>

#include "core/config/ini_file.h"
#include "gui/win32/common/message_box.h"
#include "gui/win32/dialogs/about_dialog.h"
#include "gui/win32/dialogs/all_obsolete_dialog.h"
#include "gui/win32/dialogs/automatic_start_dialog.h"
#include "gui/win32/dialogs/tempo_dialog.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

const std::string kIni =
    "[Purge]\r\nTemporisation=30\r\nDemarrageAutomatiqueLancement=0\r\nTousFichiersObsoletes=0\r\n";
constexpr COLORREF kRed = RGB(255, 0, 0);

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class OptionDialogsWin32 : public ::testing::Test {
  protected:
    OptionDialogsWin32() : ini(dir.Write("Quellix.ini", kIni)) {
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Temporisation = 30;
        MessageBoxes::Script({});
    }
    ~OptionDialogsWin32() override { MessageBoxes::StopScripting(); }

    TempDir dir;
    IniFile ini;
    Settings settings;
};

// The real controls through one path: a refusal, the arrows, Enter for OK; then Escape in French.
TEST_F(OptionDialogsWin32, TempoRefusalArrowsOkAndCancel) {
    SchedulerState scheduler;
    scheduler.UpdateCountdown = 12;
    bool accepted = false;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Quellix 1.0.0");
            EXPECT_EQ(TextOf(dialog, "Text1"), "30");
            EXPECT_EQ(GetFocus(), Named(dialog, "Text1"));
            HWND hint = Named(dialog, "Label1");
            EXPECT_TRUE(IsWindowVisible(hint));
            EXPECT_EQ(TextOf(dialog, "Label1"), "(only when main window is displayed!)");
            EXPECT_TRUE(ShowsColour(hint, kRed));
            EXPECT_FALSE(ShowsColour(Named(dialog, "Label2"), kRed));
            SavePictureWhenAsked(dialog, "tempo-en");

            Type(Named(dialog, "Text1"), "abc");
            Click(dialog, "cmdOK");
            ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
            EXPECT_EQ(MessageBoxes::Asked().back().text, "Invalid value: abc");
            EXPECT_EQ(MessageBoxes::Asked().back().icon, MessageIcon::Critical);
            EXPECT_TRUE(IsWindow(dialog));
            Step(dialog, "UpDown1", true);
            EXPECT_EQ(TextOf(dialog, "Text1"), "1");
            EXPECT_FALSE(IsWindowVisible(hint));
            Type(Named(dialog, "Text1"), "2");
            Step(dialog, "UpDown1", false);
            EXPECT_EQ(TextOf(dialog, "Text1"), "1");
            EXPECT_TRUE(IsWindowVisible(hint));
            EXPECT_EQ(TextOf(dialog, "Label1"), "Minimal temporisation reached");
            EXPECT_EQ(scheduler.UpdateCountdown, 12);

            Type(Named(dialog, "Text1"), "59.5");
            PressKey(dialog, VK_RETURN);
        })
        .Run([&] { accepted = TempoDialog::Open(nullptr, settings, ini, scheduler); });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(settings.Temporisation, 60);
    EXPECT_EQ(scheduler.UpdateCountdown, 60);
    const std::string after = Replaced(kIni, "=30", "=60");
    EXPECT_EQ(dir.Read("Quellix.ini"), after);

    settings.Langue = 1;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, "lblChaque"), "Chaque");
            SavePictureWhenAsked(dialog, "tempo-fr");
            Step(dialog, "UpDown1", false);
            EXPECT_EQ(TextOf(dialog, "Text1"), "59");
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] { accepted = TempoDialog::Open(nullptr, settings, ini, scheduler); });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(settings.Temporisation, 60);
    EXPECT_EQ(dir.Read("Quellix.ini"), after);
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);
}

// Both check-box dialogs, in French: ticked then Escape changes nothing; ticked then Enter stores
// and writes "1".
TEST(CheckOptionDialogsWin32, TickThenCancelThenOk) {
    struct Case {
        const char* box;
        const char* key;
        bool Settings::*setting;
        bool (*open)(HWND, Settings&, ConfigStore&);
        const char* title;
    };
    const Case cases[] = {
        {"chkDemarrageAutomatique", "DemarrageAutomatiqueLancement",
         &Settings::DemarrageAutomatiqueLancement, &AutomaticStartDialog::Open,
         "Démarrer automatiquement la purge"},
        {"chkTousFichiersObsoletes", "TousFichiersObsoletes", &Settings::TousFichiersObsoletes,
         &AllObsoleteDialog::Open, "Purger seulement si tous les fichiers sont obsolètes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TempDir dir;
        IniFile ini(dir.Write("Quellix.ini", kIni));
        Settings settings;
        settings.Langue = 1;
        MessageBoxes::Script({});
        const auto tickThen = [&c](WPARAM key) {
            return [&c, key](HWND dialog) {
                EXPECT_EQ(TextOf(dialog, ""), c.title);
                EXPECT_EQ(TextOf(dialog, "cmdAnnuler"), "&Annuler");
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
        EXPECT_EQ(dir.Read("Quellix.ini"), kIni);

        ModalDriver().Then(tickThen(VK_RETURN)).Run([&] {
            accepted = c.open(nullptr, settings, ini);
        });
        EXPECT_TRUE(accepted);
        EXPECT_TRUE(settings.*c.setting);
        EXPECT_EQ(dir.Read("Quellix.ini"),
                  Replaced(kIni, std::string(c.key) + "=0", std::string(c.key) + "=1"));
        EXPECT_TRUE(MessageBoxes::Asked().empty());
        MessageBoxes::StopScripting();
    }
}

// Enter closes the box in English, Escape in French.
TEST_F(OptionDialogsWin32, AboutClosesOnEnterAndEscape) {
    settings.ProgramTitle = "Quellix 2.4.19";
    for (const std::int16_t langue : {0, 1}) {
        settings.Langue = langue;
        ModalDriver()
            .Then([&](HWND dialog) {
                if (langue == 0) {
                    EXPECT_EQ(TextOf(dialog, ""), "About...");
                    EXPECT_EQ(TextOf(dialog, "lblCredit"),
                              "Quellix 2.4.19 - delete or dispatch old files automatically and "
                              "daily");
                } else {
                    EXPECT_EQ(TextOf(dialog, ""), "A propos de...");
                }
                SavePictureWhenAsked(dialog, langue == 0 ? "about-en" : "about-fr");
                PressKey(dialog, langue == 0 ? VK_RETURN : VK_ESCAPE);
            })
            .Run([&] { AboutDialog::Open(nullptr, settings); });
    }
}

}  // namespace
}  // namespace quellix::test
