#include "service/systemd_service_host.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "service/error_report.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

TEST(SystemdServiceHost, InstalledWhenOurUnitFileIsInAnyFolder) {
    test::TempDir system;
    test::TempDir user;
    SystemdServiceHost host({system.Path(), user.Path() + "/systemd/user"}, false);
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

TEST(SystemdServiceHost, UserUnitFolderFollowsXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    const auto folders = DefaultUnitFolders();
    EXPECT_EQ(folders.front(), "/etc/systemd/system");
    EXPECT_EQ(folders.back(), "/srv/conf/systemd/user");
    if (saved) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(SystemdServiceHost, SettingsReadBackAndServiceProcessFlag) {
    SystemdServiceHost host({}, true);
    EXPECT_TRUE(host.IsServiceProcess());
    host.SetStartType(ServiceStartType::Disabled);
    host.SetInteractWithDesktop(true);
    EXPECT_EQ(host.StartType(), ServiceStartType::Disabled);
    EXPECT_TRUE(host.InteractWithDesktop());
    EXPECT_FALSE(SystemdServiceHost({}, false).IsServiceProcess());
}

}  // namespace
}  // namespace quellix
