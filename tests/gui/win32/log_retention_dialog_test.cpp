#include "gui/win32/logview/log_retention_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/ini_file.h"
#include "gui/win32/common/message_box.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

// The real controls through one path: a refusal, an arrow, the switch, Enter for OK; then the
// lower limit shown in red and Escape, in French.
TEST(LogRetentionDialogWin32, RefusalArrowOkThenLimitAndCancel) {
    TempDir dir;
    const std::string before = "[Logs]\r\nPurgeLogs=1\r\nDelaiLogs=10\r\n";
    IniFile ini(dir.Write("Quellix.ini", before));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.PurgeLogs = true;
    settings.DelaiLogs = 10;
    MessageBoxes::Script({});

    bool accepted = false;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Quellix 1.0.0");
            EXPECT_TRUE(IsChecked(dialog, "chkPurgeLogs"));
            EXPECT_EQ(TextOf(dialog, "Text1"), "10");
            EXPECT_FALSE(IsWindowVisible(Named(dialog, "Label1")));
            SavePictureWhenAsked(dialog, "log-retention-en");

            Type(Named(dialog, "Text1"), "1");
            Click(dialog, "cmdOK");
            ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
            EXPECT_EQ(MessageBoxes::Asked().back().text, "Invalid value: 1");
            EXPECT_EQ(MessageBoxes::Asked().back().icon, MessageIcon::Critical);
            EXPECT_EQ(dir.Read("Quellix.ini"), before);
            Step(dialog, "UpDown1", true);
            EXPECT_EQ(TextOf(dialog, "Text1"), "2");
            Click(dialog, "chkPurgeLogs");
            SetFocus(Named(dialog, "Text1"));
            PressKey(dialog, VK_RETURN);
        })
        .Run([&] { accepted = LogRetentionDialog::Open(nullptr, settings, ini); });
    EXPECT_TRUE(accepted);
    EXPECT_FALSE(settings.PurgeLogs);
    EXPECT_EQ(settings.DelaiLogs, 2);
    const std::string after = "[Logs]\r\nPurgeLogs=0\r\nDelaiLogs=2\r\n";
    EXPECT_EQ(dir.Read("Quellix.ini"), after);

    settings.Langue = 1;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, "lblJours"), "jours");
            Step(dialog, "UpDown1", false);
            EXPECT_EQ(TextOf(dialog, "Text1"), "2");
            HWND limit = Named(dialog, "Label1");
            EXPECT_TRUE(IsWindowVisible(limit));
            EXPECT_EQ(TextOf(dialog, "Label1"), "Valeur minimale atteinte");
            EXPECT_TRUE(ShowsColour(limit, RGB(255, 0, 0)));
            SavePictureWhenAsked(dialog, "log-retention-fr");
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] { accepted = LogRetentionDialog::Open(nullptr, settings, ini); });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(dir.Read("Quellix.ini"), after);
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);
    MessageBoxes::StopScripting();
}

}  // namespace
}  // namespace quellix::test
