#include "core/service/service_dialog_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/config/ini_file.h"
#include "core/service/temp_systemd_host.h"
#include "support/fake_service_host.h"

namespace quellix {
namespace {

using Events = std::vector<std::pair<std::string, EventType>>;

const std::string kIni = "[Purge]\nDebug=0\nLangue=0\n";

Settings SettingsIn(std::int16_t langue, bool debug = false) {
    Settings settings;
    settings.Langue = langue;
    settings.Debug = debug;
    return settings;
}

TEST(ServiceConsole, UserUnitsAreDrivenWithUser) {
    EXPECT_EQ(ServiceConsoleFor(true).startCommand, "systemctl --user start quellix");
    EXPECT_EQ(ServiceConsoleFor(true).stopCommand, "systemctl --user stop quellix");
    EXPECT_EQ(ServiceConsoleFor(false).startCommand, "systemctl start quellix");
    EXPECT_EQ(ServiceConsoleFor(false).stopCommand, "systemctl stop quellix");
}

// The hints and the message after Install each spell Windows' console their own way.
TEST(ServiceConsole, WindowsNamesItsServicesPanelInEachPlace) {
    test::TempDir temp;
    IniFile ini(temp.Write("Quellix.ini", kIni));
    test::FakeServiceHost service;
    Settings settings = SettingsIn(0);
    const ServiceConsole english = WindowsServiceConsole(Language::English);
    const ServiceDialogLoad load = LoadServiceDialog(settings, service, english);
    EXPECT_EQ(load.installHint,
              "- Install Quellix Service and exit\r\n- Configure and run Quellix Service using "
              "'Control pannel/Services'");
    const ServiceInstallResult result = RunServiceInstall({ServiceStartType::Manual, false, false},
                                                          settings, ini, service, english);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(result.message->text, result.stateLine +
                                        "\r\n\r\nConfiguration and start, see\r\n'Control "
                                        "panel/Services'");
    EXPECT_EQ(LoadServiceDialog(SettingsIn(1), service, WindowsServiceConsole(Language::French))
                  .removeHint,
              "Pour supprimer Quellix Service, vous pouvez aussi:\r\n- arrêter le service avec "
              "'Panneau de Configuration/Services'\r\n- lancer à nouveau Quellix (le programme, "
              "pas le service)");
}

TEST(LoadServiceDialog, StateLineHintsAndBoxesFollowTheHostAndSettings) {
    const std::string installedEn =
        "Quellix Service installed\r\n(checking purge starts automatically when Quellix service "
        "starts)";
    const std::string installedFr =
        "Quellix Service installé\r\n(la purge démarre automatiquement au lancement du service)";
    const std::tuple<bool, std::int16_t, ServiceStartType, bool, bool, std::string> cases[] = {
        {false, 0, ServiceStartType::Automatic, false, false, "Quellix Service not installed"},
        {true, 0, ServiceStartType::Manual, true, true, installedEn},
        {true, 1, ServiceStartType::Disabled, false, true, installedFr},
        {false, 2, ServiceStartType::Manual, true, false, "Quellix Service non installé"},
    };
    for (const auto& [installed, langue, type, interact, debug, line] : cases) {
        test::FakeServiceHost service;
        service.installed = installed;
        service.SetStartType(type);
        service.SetInteractWithDesktop(interact);
        const ServiceDialogLoad load =
            LoadServiceDialog(SettingsIn(langue, debug), service, ServiceConsoleFor(true));
        EXPECT_EQ(std::tie(load.stateLine, load.startType, load.interact, load.debug),
                  std::tie(line, type, interact, debug))
            << "Langue " << langue;
    }

    test::FakeServiceHost service;
    const ServiceDialogLoad english =
        LoadServiceDialog(SettingsIn(0), service, ServiceConsoleFor(false));
    EXPECT_EQ(english.installHint,
              "- Install Quellix Service and exit\r\n- Configure and run Quellix Service using "
              "'systemctl start quellix'");
    EXPECT_EQ(english.removeHint,
              "To remove Quellix Service, you can too:\r\n- stop Quellix Service using "
              "'systemctl stop quellix'\r\n- run again Quellix (the program, not the service)");
    const ServiceDialogLoad french =
        LoadServiceDialog(SettingsIn(1), service, ServiceConsoleFor(true));
    EXPECT_EQ(french.installHint,
              "- Installer Quellix Service et quitter\r\n- Configurer et lancer le service avec "
              "'systemctl --user start quellix'");
    EXPECT_EQ(french.removeHint,
              "Pour supprimer Quellix Service, vous pouvez aussi:\r\n- arrêter le service avec "
              "'systemctl --user stop quellix'\r\n- lancer à nouveau Quellix (le programme, pas "
              "le service)");
}

TEST(RunServiceInstall, RegistersWritesDebugLogsAndComposesTheMessage) {
    struct Case {
        std::int16_t langue;
        ServiceChoice choice;
        std::string stateLine;
        std::string message;
        std::string debugKey;
        std::string systemctlVerb;
    };
    const Case cases[] = {
        {0,
         {ServiceStartType::Manual, false, true},
         "Quellix Service installed. Debug=True\r\n(checking purge starts automatically when "
         "Quellix service starts)",
         "\r\n\r\nConfiguration and start, see\r\n'systemctl --user start quellix'",
         "Debug=1",
         "disable"},
        {1,
         {ServiceStartType::Automatic, true, false},
         "Quellix Service installé. Debug=False\r\n (la purge démarre automatiquement au "
         "lancement du service)",
         "\r\n\r\nConfiguration et démarrage, voir\r\n'systemctl --user start quellix'",
         "Debug=0",
         "enable"},
    };
    for (const Case& c : cases) {
        test::TempDir temp;
        IniFile ini(temp.Write("Quellix.ini", kIni));
        test::TempSystemdHost service(temp);
        Settings settings = SettingsIn(c.langue, !c.choice.debug);

        const ServiceInstallResult result =
            RunServiceInstall(c.choice, settings, ini, service, ServiceConsoleFor(true));

        EXPECT_TRUE(result.installed);
        EXPECT_FALSE(result.beep);
        EXPECT_EQ(result.stateLine, c.stateLine);
        ASSERT_TRUE(result.message.has_value());
        EXPECT_EQ(result.message->text, c.stateLine + c.message);
        EXPECT_EQ(result.message->title, "Quellix");
        EXPECT_EQ(result.message->icon, MessageIcon::Information);
        EXPECT_EQ(result.message->buttons, MessageButtons::Ok);
        EXPECT_EQ(service.events, (Events{{c.stateLine, EventType::Information}}));
        EXPECT_EQ(settings.Debug, c.choice.debug);
        EXPECT_NE(temp.Read("Quellix.ini").find(c.debugKey), std::string::npos)
            << temp.Read("Quellix.ini");
        EXPECT_EQ(
            service.commands.back(),
            (std::vector<std::string>{"systemctl", "--user", c.systemctlVerb, "quellix.service"}));
        // The unit on disk carries the choice.
        service.Reopen();
        EXPECT_TRUE(service.IsInstalled());
        EXPECT_EQ(service.StartType(), c.choice.startType);
        EXPECT_EQ(service.InteractWithDesktop(), c.choice.interact);
    }
}

TEST(RunServiceInstall, RefusedWhileInstalledAndWhenTheHostFails) {
    test::TempDir temp;
    IniFile ini(temp.Write("Quellix.ini", kIni));
    test::TempSystemdHost service(temp);
    Settings settings = SettingsIn(0);
    const ServiceChoice manualDebug{ServiceStartType::Manual, true, true};

    // The registration fails: nothing claims success and the program goes on.
    service.ForgetConfigPath();
    ServiceInstallResult result =
        RunServiceInstall(manualDebug, settings, ini, service, ServiceConsoleFor(true));
    EXPECT_EQ(result.stateLine, "Quellix Service could not be installed");
    EXPECT_TRUE(result.beep);
    EXPECT_FALSE(result.installed);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_FALSE(service.IsInstalled());
    EXPECT_FALSE(settings.Debug);
    EXPECT_EQ(temp.Read("Quellix.ini"), kIni);
    EXPECT_EQ(service.events,
              (Events{{"Quellix Service could not be installed", EventType::Error}}));

    service.Reopen();
    ASSERT_TRUE(RunServiceInstall({ServiceStartType::Disabled, false, false}, settings, ini,
                                  service, ServiceConsoleFor(true))
                    .installed);
    const std::string unit = temp.Read("systemd/user/quellix.service");
    const std::string iniAfter = temp.Read("Quellix.ini");
    service.events.clear();
    for (const std::int16_t langue : {0, 1}) {
        settings.Langue = langue;
        result = RunServiceInstall(manualDebug, settings, ini, service, ServiceConsoleFor(true));
        EXPECT_EQ(result.stateLine, langue == 0 ? "Quellix Service already installed"
                                                : "Quellix Service déjà installé");
        EXPECT_TRUE(result.beep);
        EXPECT_FALSE(result.installed);
        EXPECT_FALSE(result.message.has_value());
    }
    EXPECT_EQ(temp.Read("systemd/user/quellix.service"), unit);
    EXPECT_EQ(temp.Read("Quellix.ini"), iniAfter);
    EXPECT_FALSE(settings.Debug);
    EXPECT_TRUE(service.events.empty());
}

TEST(RunServiceRemove, RemovesThenAnswersNotInstalledWithABeep) {
    for (const std::int16_t langue : {0, 1}) {
        test::TempDir temp;
        IniFile ini(temp.Write("Quellix.ini", kIni));
        test::TempSystemdHost service(temp);
        Settings settings = SettingsIn(langue);
        ASSERT_TRUE(RunServiceInstall({ServiceStartType::Automatic, false, false}, settings, ini,
                                      service, ServiceConsoleFor(true))
                        .installed);
        service.events.clear();
        const std::string removed =
            langue == 0 ? "Quellix Service: removed" : "Quellix Service: supprimé";

        ServiceRemoveResult result = RunServiceRemove(settings, service);
        EXPECT_TRUE(result.removed);
        EXPECT_FALSE(result.beep);
        EXPECT_EQ(result.stateLine, removed);
        EXPECT_FALSE(temp.Exists("systemd/user/quellix.service"));
        EXPECT_EQ(service.events, (Events{{removed, EventType::Information}}));
        EXPECT_EQ(service.commands.back(),
                  (std::vector<std::string>{"systemctl", "--user", "daemon-reload"}));

        result = RunServiceRemove(settings, service);
        EXPECT_FALSE(result.removed);
        EXPECT_TRUE(result.beep);
        EXPECT_EQ(result.stateLine,
                  langue == 0 ? "Quellix Service not installed" : "Quellix Service non installé");
        EXPECT_EQ(service.events.size(), 1u);
    }
}

}  // namespace
}  // namespace quellix
