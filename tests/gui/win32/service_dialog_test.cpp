#include "gui/win32/service/service_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/ini_file.h"
#include "gui/win32/common/message_box.h"
#include "support/fake_service_host.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

// The real controls through one path: the network warning follows its box, Enter cancels;
// Install with Manual, the desktop and Debug; then, in French, Remove by its access key and
// Escape.
TEST(ServiceDialogWin32, EnterCancelsInstallThenRemove) {
    TempDir dir;
    const std::string before = "[Purge]\r\nDebug=0\r\n";
    IniFile ini(dir.Write("Quellix.ini", before));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    FakeServiceHost service;
    MessageBoxes::Script({});

    ServiceDialogOutcome outcome = ServiceDialogOutcome::Installed;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Quellix Service [NT]");
            EXPECT_EQ(TextOf(dialog, "lblService"), "Quellix Service not installed");
            EXPECT_EQ(TextOf(dialog, "lblInstall"),
                      "- Install Quellix Service and exit\r\n- Configure and run Quellix Service "
                      "using 'Control pannel/Services'");
            EXPECT_TRUE(IsChecked(dialog, "optType0"));
            HWND warning = Named(dialog, "lblInteract");
            EXPECT_FALSE(IsWindowVisible(warning));
            Click(dialog, "chkInteract");
            EXPECT_TRUE(IsWindowVisible(warning));
            EXPECT_TRUE(ShowsColour(warning, RGB(255, 0, 0)));
            SavePictureWhenAsked(dialog, "service-en");
            // Enter must not install.
            SetFocus(Named(dialog, "chkDebug"));
            PressKey(dialog, VK_RETURN);
        })
        .Run([&] { outcome = ServiceDialog::Open(nullptr, settings, ini, service); });
    EXPECT_EQ(outcome, ServiceDialogOutcome::Closed);
    EXPECT_FALSE(service.installed);

    ModalDriver()
        .Then([&](HWND dialog) {
            Click(dialog, "optType1");
            EXPECT_FALSE(IsChecked(dialog, "optType0"));
            Click(dialog, "chkInteract");
            Click(dialog, "chkDebug");
            Click(dialog, "cmdInstall");
        })
        .Run([&] { outcome = ServiceDialog::Open(nullptr, settings, ini, service); });
    EXPECT_EQ(outcome, ServiceDialogOutcome::Installed);
    EXPECT_TRUE(service.installed);
    EXPECT_EQ(service.StartType(), ServiceStartType::Manual);
    EXPECT_TRUE(service.InteractWithDesktop());
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Purge]\r\nDebug=1\r\n");
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);

    settings.Langue = 1;
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_TRUE(IsChecked(dialog, "chkDebug"));
            SavePictureWhenAsked(dialog, "service-fr");
            PressAccessKey(dialog, L's');
            EXPECT_EQ(TextOf(dialog, "lblService"), "Quellix Service: supprimé");
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] { outcome = ServiceDialog::Open(nullptr, settings, ini, service); });
    EXPECT_EQ(outcome, ServiceDialogOutcome::Removed);
    EXPECT_FALSE(service.installed);
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);
    MessageBoxes::StopScripting();
}

}  // namespace
}  // namespace quellix::test
