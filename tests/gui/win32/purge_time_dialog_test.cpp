#include "gui/win32/dialogs/purge_time_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/config/ini_file.h"
#include "gui/win32/common/message_box.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

struct ScriptedBoxes {
    ScriptedBoxes() { MessageBoxes::Script({}); }
    ~ScriptedBoxes() { MessageBoxes::StopScripting(); }
};

// The real controls through one path: typing, the arrows, a refusal, Enter for OK; then Escape
// in French.
TEST(PurgeTimeDialogWin32, TypeRefuseOkAndCancel) {
    TempDir dir;
    const std::string before = "[Purge]\r\nHeure=03:30\r\nJours=17\r\nTemporisation=30\r\n";
    IniFile ini(dir.Write("Quellix.ini", before));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Heure = "03:30";
    settings.Jours = "17";
    ScriptedBoxes boxes;

    bool accepted = false;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Purge at...");
            EXPECT_EQ(TextOf(dialog, "chkJours4"), "Wednesday");
            EXPECT_TRUE(IsChecked(dialog, "chkJours7"));
            EXPECT_EQ(TextOf(dialog, "txtHeures") + TextOf(dialog, "txtMinutes"), "0330");
            if (const char* folder = std::getenv("QUELLIX_PICTURES")) {
                SaveWindowPicture(dialog, std::string(folder) + "/purge_time.bmp");
            }
            HWND error = Named(dialog, "lblErreur");
            EXPECT_FALSE(IsWindowVisible(error));

            // "2" becomes "02" at once, so the next digit makes 024.
            Type(Named(dialog, "txtHeures"), "24");
            EXPECT_EQ(TextOf(dialog, "txtHeures"), "024");
            EXPECT_TRUE(IsWindowVisible(error));
            EXPECT_EQ(TextOf(dialog, "lblErreur"), "Invalid value (Hours)");
            Click(dialog, "cmdOK");
            ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
            EXPECT_EQ(MessageBoxes::Asked().back().text,
                      "Please modify the values\r\n(Hour must between 00:00 and 23:59)");
            EXPECT_TRUE(IsWindow(dialog));
            EXPECT_EQ(dir.Read("Quellix.ini"), before);

            Step(dialog, "UpDownHeures", false);
            EXPECT_EQ(TextOf(dialog, "txtHeures"), "23");
            EXPECT_FALSE(IsWindowVisible(error));
            Step(dialog, "UpDownMinutes", true);
            Step(dialog, "UpDownMinutes", true);
            EXPECT_EQ(TextOf(dialog, "txtMinutes"), "32");

            Click(dialog, "chkJours1");
            Click(dialog, "chkJours7");
            Click(dialog, "chkJours2");
            SetFocus(Named(dialog, "txtHeures"));
            PressKey(dialog, VK_RETURN);
        })
        .Run([&] { accepted = PurgeTimeDialog::Open(nullptr, settings, ini); });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Purge]\r\nHeure=23:32\r\nJours=2\r\nTemporisation=30\r\n");
    EXPECT_EQ(settings.PurgeMinute, 23 * 60 + 32);

    settings.Langue = 1;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, "cmdAnnuler"), "&Annuler");
            Type(Named(dialog, "txtHeures"), "07");
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] { accepted = PurgeTimeDialog::Open(nullptr, settings, ini); });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(settings.Heure, "23:32");
}

}  // namespace
}  // namespace quellix::test
