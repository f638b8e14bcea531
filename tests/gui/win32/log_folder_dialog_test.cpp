#include "gui/win32/logview/log_folder_dialog.h"

#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "folder_list_steps.h"

namespace quellix::test {
namespace {

// The switch greys out the folder controls; OK stores the switch and the folder shown, also with
// the log off; then Cancel in French after a change leaves both as they were.
TEST(LogFolderDialogWin32, SwitchFolderOkAndCancel) {
    CurrentTempDir dir;
    dir.Write("logs/Log Quellix 2024-01-02.htm", "<html>");
    dir.Write("other/readme.txt", "x");
    IniFile ini(dir.File("Quellix.ini"));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Logs = true;
    settings.PathLogs = dir.Shown("logs");

    bool accepted = false;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Quellix 1.0.0");
            EXPECT_TRUE(IsChecked(dialog, "chkLogs"));
            EXPECT_EQ(TextOf(dialog, "lblDossier"), dir.Shown("logs"));
            HWND tree = Named(dialog, "Chemins");
            EXPECT_EQ(SelectedPath(tree), dir.Shown("logs"));
            SavePicture(dialog, "log-folder-en");

            Click(dialog, "chkLogs");
            for (const char* control : {"lblTitre", "Lecteurs", "Chemins", "lblDossier"}) {
                EXPECT_FALSE(IsWindowEnabled(Named(dialog, control))) << control;
            }
            Click(dialog, "chkLogs");
            EXPECT_TRUE(IsWindowEnabled(tree));
            GoUp(tree);
            EXPECT_TRUE(OpenSubfolder(tree, "other"));
            EXPECT_EQ(TextOf(dialog, "lblDossier"), dir.Shown("other"));
            Click(dialog, "chkLogs");
            PressKey(dialog, VK_RETURN);
        })
        .Run([&] { accepted = LogFolderDialog::Open(nullptr, settings, ini); });
    EXPECT_TRUE(accepted);
    EXPECT_FALSE(settings.Logs);
    EXPECT_EQ(settings.PathLogs, dir.Shown("other"));
    const std::string written = dir.Read("Quellix.ini");
    // A file the program creates on Windows has Windows line ends.
    EXPECT_EQ(written, "[Logs]\r\nLogs=0\r\nPathLogs=" + dir.Shown("other") + "\r\n");

    settings.Langue = 1;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, "lblTitre"), "Les journaux sont stockés dans le dossier:");
            EXPECT_FALSE(IsWindowEnabled(Named(dialog, "Chemins")));
            SavePicture(dialog, "log-folder-fr");
            Click(dialog, "chkLogs");
            GoUp(Named(dialog, "Chemins"));
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] { accepted = LogFolderDialog::Open(nullptr, settings, ini); });
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(settings.Logs);
    EXPECT_EQ(settings.PathLogs, dir.Shown("other"));
    EXPECT_EQ(dir.Read("Quellix.ini"), written);
}

}  // namespace
}  // namespace quellix::test
