#include "app/service_setup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/common/exit_codes.h"
#include "core/config/program_files.h"
#include "core/service/systemd_service_host.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// The command-line installation into a unit folder of the test's own, with no service manager.
class ServiceSetupTest : public ::testing::Test {
  protected:
    int Run(const std::vector<std::string>& arguments,
            const std::string& executable = "/usr/bin/quellix") {
        SystemdInstallation installation;
        installation.unitFolder = units.File("system");
        installation.executablePath = executable;
        installation.run = [this](const std::vector<std::string>& command) {
            commands.push_back(command);
            return 0;
        };
        SystemdServiceHost host({installation.unitFolder}, false, installation);
        out.str("");
        err.str("");
        const CommandLine line = ParseCommandLine(arguments);
        return RunServiceSetup(line, LocateProgramFiles(program.Path(), line.iniPath), host, out,
                               err);
    }
    std::string Unit() const { return units.Read("system/quellix.service"); }

    test::TempDir units;
    test::TempDir program;
    std::vector<std::vector<std::string>> commands;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ServiceSetupTest, InstallsForTheDefaultFileAndRemovesAgain) {
    EXPECT_EQ(Run({"--install-service"}), kExitSuccess) << err.str();
    EXPECT_EQ(out.str(), "Quellix Service installed (automatic)\n");
    EXPECT_NE(Unit().find("ExecStart=\"/usr/bin/quellix\" --service \"--ini=" + program.Path() +
                          "/Quellix.ini\"\n"),
              std::string::npos)
        << Unit();
    EXPECT_NE(Unit().find("WantedBy=multi-user.target"), std::string::npos);

    EXPECT_EQ(Run({"--uninstall-service"}), kExitSuccess) << err.str();
    EXPECT_EQ(out.str(), "Quellix Service removed\n");
    EXPECT_FALSE(units.Exists("system/quellix.service"));
    EXPECT_EQ(Run({"--uninstall-service"}), kExitSuccess);
    EXPECT_EQ(out.str(), "Quellix Service is not installed\n");
    EXPECT_TRUE(commands.empty());  // no service manager runs here
}

TEST_F(ServiceSetupTest, StartTypeAndOwnFileAreWrittenIntoTheUnit) {
    program.Write("etc/my cleaner.ini", "");
    EXPECT_EQ(Run({"--install-service=manual", "--ini", program.File("etc/my cleaner.ini")}),
              kExitSuccess)
        << err.str();
    EXPECT_NE(Unit().find("X-Quellix-StartType=manual"), std::string::npos) << Unit();
    EXPECT_NE(Unit().find("\"--ini=" + program.File("etc/my cleaner.ini") + "\""),
              std::string::npos);

    EXPECT_EQ(Run({"--install-service=weekly"}), kExitUsage);
    EXPECT_EQ(err.str(), "quellix: unknown start type 'weekly' (automatic, manual or disabled)\n");
    EXPECT_NE(Unit().find("X-Quellix-StartType=manual"), std::string::npos);
}

TEST_F(ServiceSetupTest, RootRefusesAServiceOthersCouldRedirect) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "a system unit is installed by root";
    }
    program.Write("shared/placeholder", "");
    ASSERT_EQ(::chmod(program.File("shared").c_str(), 01777), 0);
    program.Write("theirs/quellix", "");
    ASSERT_EQ(::chown(program.File("theirs").c_str(), 65534, 65534), 0);
    const struct {
        std::vector<std::string> arguments;
        std::string executable;
        std::string named;
    } cases[] = {
        // Anyone may create the file in a sticky shared folder before the service does.
        {{"--install-service", "--ini=" + program.File("shared/q.ini")},
         "/usr/bin/quellix",
         "the configuration file " + program.File("shared/q.ini") + ", but it can be changed"},
        {{"--install-service"},
         program.File("theirs/quellix"),
         "the program " + program.File("theirs/quellix") + ", but " + program.File("theirs") +
             " can be changed by a user other than root"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.arguments, c.executable), kExitServiceSetup) << c.named;
        EXPECT_NE(err.str().find(c.named), std::string::npos) << err.str();
        EXPECT_FALSE(units.Exists("system/quellix.service"));
    }
    // The same in root's own folders is installed.
    EXPECT_EQ(Run({"--install-service", "--ini=" + program.File("own/q.ini")}), kExitSuccess)
        << err.str();
}

}  // namespace
}  // namespace quellix
