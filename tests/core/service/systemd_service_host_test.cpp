#include "core/service/systemd_service_host.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "core/common/error_report.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

using Commands = std::vector<std::vector<std::string>>;

// An installation into a temporary folder whose systemctl calls are recorded and answered with
// the exit status chosen for each verb.
struct FakeSystemd {
    explicit FakeSystemd(const test::TempDir& temp, bool running = false, bool user = false) {
        installation.unitFolder = temp.Path() + "/config/systemd/system";
        installation.userUnit = user;
        installation.systemdRunning = running;
        installation.executablePath = "/usr/bin/quellix";
        installation.run = [this](const std::vector<std::string>& command) {
            commands.push_back(command);
            const std::string& verb =
                command.at(command.size() > 2 && command[1] == "--user" ? 2 : 1);
            return failingVerb == verb ? 1 : 0;
        };
    }

    FakeSystemd(const FakeSystemd&) = delete;
    FakeSystemd& operator=(const FakeSystemd&) = delete;

    SystemdServiceHost Host(std::vector<std::string> otherFolders = {}) const {
        SystemdServiceHost host(std::move(otherFolders), false, installation);
        host.SetConfigPath("/etc/quellix/Quellix.ini");
        return host;
    }
    std::string UnitPath() const { return installation.unitFolder + "/quellix.service"; }

    SystemdInstallation installation;
    Commands commands;
    std::string failingVerb;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SystemdServiceHost, InstalledWhenOurUnitFileIsInAnyFolder) {
    test::TempDir system;
    test::TempDir user;
    FakeSystemd systemd(system);
    const SystemdServiceHost host = systemd.Host({system.Path(), user.Path() + "/systemd/user"});
    EXPECT_FALSE(host.IsInstalled());

    system.Write("other.service", "[Unit]\n");
    EXPECT_FALSE(host.IsInstalled());

    user.Write("systemd/user/quellix.service", "[Unit]\n");
    EXPECT_TRUE(host.IsInstalled());

    Settings settings;
    settings.IsNt = true;
    EXPECT_TRUE(ReportsGoToEventLog(settings, host));
    settings.IsNt = false;
    EXPECT_FALSE(ReportsGoToEventLog(settings, host));
}

TEST(SystemdServiceHost, UserUnitFolderFollowsAbsoluteXdgConfigHome) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> previous =
        savedConfig ? std::optional<std::string>(savedConfig) : std::nullopt;
    setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    const auto folders = DefaultUnitFolders();
    EXPECT_EQ(folders.front(), "/etc/systemd/system");
    EXPECT_EQ(folders.back(), "/srv/conf/systemd/user");

    // A relative one is ignored, as the XDG rules ask.
    setenv("XDG_CONFIG_HOME", "conf", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(DefaultUnitFolders().back(), std::string(home) + "/.config/systemd/user");
    }
    if (previous) {
        setenv("XDG_CONFIG_HOME", previous->c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(SystemdServiceHost, SettingsReadBackAndServiceProcessFlag) {
    test::TempDir temp;
    FakeSystemd systemd(temp);
    SystemdServiceHost host({}, true, systemd.installation);
    EXPECT_TRUE(host.IsServiceProcess());
    host.SetStartType(ServiceStartType::Disabled);
    host.SetInteractWithDesktop(true);
    EXPECT_EQ(host.StartType(), ServiceStartType::Disabled);
    EXPECT_TRUE(host.InteractWithDesktop());
    EXPECT_FALSE(SystemdServiceHost({}, false, systemd.installation).IsServiceProcess());
}

TEST(SystemdServiceHostInstall, WritesTheUnitAndReadsItsSettingsBack) {
    test::TempDir temp;
    FakeSystemd systemd(temp);
    SystemdServiceHost host = systemd.Host();
    host.SetStartType(ServiceStartType::Manual);
    host.SetInteractWithDesktop(true);
    ASSERT_TRUE(host.Install(false)) << host.LastError();
    EXPECT_TRUE(host.IsInstalled());
    EXPECT_EQ(host.LastError(), "");

    // The folder did not exist before.
    const std::string unit = ReadFile(systemd.UnitPath());
    EXPECT_NE(unit.find("ExecStart=\"/usr/bin/quellix\" --service "
                        "\"--ini=/etc/quellix/Quellix.ini\"\n"),
              std::string::npos)
        << unit;
    // Without a running systemd nothing is asked of it.
    EXPECT_TRUE(systemd.commands.empty());

    const SystemdServiceHost later = systemd.Host();
    EXPECT_TRUE(later.IsInstalled());
    EXPECT_EQ(later.StartType(), ServiceStartType::Manual);
    EXPECT_TRUE(later.InteractWithDesktop());

    SystemdServiceHost other = systemd.Host();
    other.SetStartType(ServiceStartType::Disabled);
    other.SetInteractWithDesktop(false);
    ASSERT_TRUE(other.Install(false));
    const SystemdServiceHost third = systemd.Host();
    EXPECT_EQ(third.StartType(), ServiceStartType::Disabled);
    EXPECT_FALSE(third.InteractWithDesktop());
}

// Whoever may change the unit may run anything as its user, so its mode never follows a lax umask
// nor an earlier unit's permissions.
TEST(SystemdServiceHostInstall, UnitIsWritableByItsOwnerOnly) {
    test::TempDir temp;
    FakeSystemd systemd(temp);
    const mode_t saved = ::umask(0);
    SystemdServiceHost host = systemd.Host();
    const bool installed = host.Install(false);
    ::chmod(systemd.UnitPath().c_str(), 0666);
    const bool reinstalled = installed && host.Install(false);
    ::umask(saved);
    ASSERT_TRUE(reinstalled) << host.LastError();
    struct stat info {};
    ASSERT_EQ(::stat(systemd.UnitPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(SystemdServiceHostInstall, RefusesWithoutWritingAnything) {
    test::TempDir temp;
    FakeSystemd systemd(temp);

    SystemdServiceHost noConfig({}, false, systemd.installation);
    EXPECT_FALSE(noConfig.Install(false));
    EXPECT_NE(noConfig.LastError(), "");

    systemd.installation.executablePath = "/opt/it's here/quellix";
    SystemdServiceHost badProgram = systemd.Host();
    EXPECT_FALSE(badProgram.Install(false));
    EXPECT_NE(badProgram.LastError().find("quote"), std::string::npos);

    systemd.installation.executablePath = "/usr/bin/quellix";
    SystemdServiceHost badConfig = systemd.Host();
    badConfig.SetConfigPath("/etc/a\nb.ini");
    EXPECT_FALSE(badConfig.Install(false));

    EXPECT_FALSE(badConfig.IsInstalled());
    EXPECT_FALSE(temp.Exists("config"));
}

TEST(SystemdServiceHostInstall, ReloadsAndEnablesOrDisablesWhenSystemdRuns) {
    test::TempDir temp;
    FakeSystemd systemd(temp, true);
    SystemdServiceHost automatic = systemd.Host();
    ASSERT_TRUE(automatic.Install(false)) << automatic.LastError();
    EXPECT_EQ(systemd.commands, (Commands{{"systemctl", "daemon-reload"},
                                          {"systemctl", "enable", "quellix.service"}}));

    test::TempDir userTemp;
    FakeSystemd user(userTemp, true, true);
    SystemdServiceHost manual = user.Host();
    manual.SetStartType(ServiceStartType::Manual);
    ASSERT_TRUE(manual.Install(false));
    EXPECT_EQ(user.commands, (Commands{{"systemctl", "--user", "daemon-reload"},
                                       {"systemctl", "--user", "disable", "quellix.service"}}));
    EXPECT_NE(ReadFile(user.UnitPath()).find("WantedBy=default.target"), std::string::npos);
}

TEST(SystemdServiceHostInstall, PutsThePreviousUnitBackWhenSystemdRefuses) {
    test::TempDir temp;
    FakeSystemd systemd(temp, true);
    systemd.failingVerb = "enable";
    SystemdServiceHost host = systemd.Host();
    EXPECT_FALSE(host.Install(false));
    EXPECT_NE(host.LastError().find("enable"), std::string::npos);
    EXPECT_FALSE(host.IsInstalled());
    EXPECT_EQ(systemd.commands.back(), (std::vector<std::string>{"systemctl", "daemon-reload"}));

    temp.Write("config/systemd/system/quellix.service", "[Unit]\nDescription=Before\n");
    EXPECT_FALSE(systemd.Host().Install(false));
    EXPECT_EQ(ReadFile(systemd.UnitPath()), "[Unit]\nDescription=Before\n");
}

TEST(SystemdServiceHostInstall, KeepsUserUnitWhenTheUserManagerIsNotReachable) {
    test::TempDir temp;
    FakeSystemd systemd(temp, true, true);
    systemd.failingVerb = "daemon-reload";
    SystemdServiceHost host = systemd.Host();
    EXPECT_TRUE(host.Install(false));
    EXPECT_TRUE(host.IsInstalled());
    EXPECT_EQ(systemd.commands.size(), 1u);

    // The system manager always answers: its failure is a failure.
    test::TempDir systemTemp;
    FakeSystemd system(systemTemp, true);
    system.failingVerb = "daemon-reload";
    SystemdServiceHost systemHost = system.Host();
    EXPECT_FALSE(systemHost.Install(false));
    EXPECT_FALSE(systemHost.IsInstalled());
}

TEST(SystemdServiceHostUninstall, RemovesTheUnit) {
    test::TempDir temp;
    FakeSystemd systemd(temp);
    SystemdServiceHost host = systemd.Host({temp.Path() + "/config/systemd/system"});
    ASSERT_TRUE(host.Install(false));
    ASSERT_TRUE(host.IsInstalled());

    EXPECT_TRUE(host.Uninstall()) << host.LastError();
    EXPECT_FALSE(host.IsInstalled());
    EXPECT_FALSE(temp.Exists("config/systemd/system/quellix.service"));
    EXPECT_FALSE(systemd.Host().IsInstalled());
    EXPECT_TRUE(systemd.commands.empty());

    // Nothing to remove is no failure.
    EXPECT_TRUE(host.Uninstall());
}

TEST(SystemdServiceHostUninstall, StopsDisablesAndReloadsWhenSystemdRuns) {
    test::TempDir temp;
    FakeSystemd systemd(temp, true, true);
    SystemdServiceHost host = systemd.Host();
    ASSERT_TRUE(host.Install(false));
    systemd.commands.clear();
    // A service that is already stopped and disabled makes "disable --now" fail; that is fine.
    systemd.failingVerb = "disable";

    EXPECT_TRUE(host.Uninstall());
    EXPECT_FALSE(host.IsInstalled());
    EXPECT_EQ(systemd.commands,
              (Commands{{"systemctl", "--user", "disable", "--now", "quellix.service"},
                        {"systemctl", "--user", "daemon-reload"}}));
}

TEST(SystemdServiceHostUninstall, ChangesNothingWhenAUnitWouldStay) {
    test::TempDir temp;
    test::TempDir vendor;
    FakeSystemd systemd(temp, true);
    SystemdServiceHost host = systemd.Host({vendor.Path()});
    ASSERT_TRUE(host.Install(false));
    vendor.Write("quellix.service", "[Unit]\n");
    systemd.commands.clear();

    EXPECT_FALSE(host.Uninstall());
    EXPECT_NE(host.LastError().find(vendor.Path()), std::string::npos);
    EXPECT_TRUE(temp.Exists("config/systemd/system/quellix.service"));
    EXPECT_TRUE(systemd.commands.empty());
}

TEST(SystemdServiceHostUninstall, FailsWhenTheUnitCannotBeRemoved) {
    test::TempDir temp;
    FakeSystemd systemd(temp);
    // A folder under the unit's name cannot be removed as a file.
    temp.Write("config/systemd/system/quellix.service/x", "");
    SystemdServiceHost host = systemd.Host();
    EXPECT_FALSE(host.Uninstall());
    EXPECT_NE(host.LastError(), "");
    EXPECT_TRUE(host.IsInstalled());
}

}  // namespace
}  // namespace quellix
