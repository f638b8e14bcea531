// systemd's own checker on the units we write, for both the system and the user manager. It
// needs no running systemd; the user manager's checks only need a runtime folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/service/systemd_unit.h"
#include "platform/process_info.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

std::optional<std::string> SystemdAnalyze() {
    for (const char* path : {"/usr/bin/systemd-analyze", "/bin/systemd-analyze"}) {
        if (std::filesystem::exists(path)) {
            return path;
        }
    }
    return std::nullopt;
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) {
            setenv(name_, previous_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

class SystemdVerify : public ::testing::Test {
  protected:
    void SetUp() override {
        analyze_ = SystemdAnalyze();
        if (!analyze_) {
            GTEST_SKIP() << "systemd-analyze is not installed (scripts/install-deps.sh test)";
        }
        // The program path in the unit must name an executable: a link with an awkward name to
        // this very test program.
        const std::string executable = platform::ExecutablePath();
        ASSERT_NE(executable, "");
        oddProgram_ = temp_.Path() + "/my tools 100% $HOME";
        std::filesystem::create_directories(oddProgram_);
        oddProgram_ += "/quellix";
        std::filesystem::create_symlink(executable, oddProgram_);
    }

    // Runs verify on the unit text saved as quellix.service; the result holds what it said
    // about that unit (empty when it found nothing to say).
    test::ProgramResult Verify(const std::string& unitText, bool userUnit) {
        const std::string unit = temp_.Write("units/quellix.service", unitText);
        std::vector<std::string> arguments = {"verify", "--man=no"};
        if (userUnit) {
            arguments.push_back("--user");
        }
        arguments.push_back(unit);
        return test::RunProgram(*analyze_, arguments);
    }

    UnitRequest Request(ServiceStartType type, bool userUnit) const {
        return {oddProgram_, temp_.Path() + "/conf \"dir\"\\ %h $USER\t\xff/Quellix.ini", type,
                true, userUnit};
    }

    test::TempDir temp_;
    test::TempDir runtime_;
    std::optional<std::string> analyze_;
    std::string oddProgram_;
};

TEST_F(SystemdVerify, AcceptsSystemUnitsOfEveryStartType) {
    for (const ServiceStartType type :
         {ServiceStartType::Automatic, ServiceStartType::Manual, ServiceStartType::Disabled}) {
        const UnitText unit = ComposeUnit(Request(type, false));
        ASSERT_EQ(unit.error, "");
        const test::ProgramResult result = Verify(unit.text, false);
        EXPECT_EQ(result.exitCode, 0) << result.err << unit.text;
        // Unknown keys are only warned about: none may name our unit.
        EXPECT_EQ(result.err.find("quellix.service"), std::string::npos) << result.err;
    }
}

TEST_F(SystemdVerify, AcceptsUserUnitsOfEveryStartType) {
    // Without a login session there is no runtime folder, which the user manager needs.
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", runtime_.Path());
    for (const ServiceStartType type :
         {ServiceStartType::Automatic, ServiceStartType::Manual, ServiceStartType::Disabled}) {
        const UnitText unit = ComposeUnit(Request(type, true));
        ASSERT_EQ(unit.error, "");
        const test::ProgramResult result = Verify(unit.text, true);
        EXPECT_EQ(result.exitCode, 0) << result.err << unit.text;
        EXPECT_EQ(result.err.find("quellix.service"), std::string::npos) << result.err;
    }
}

TEST_F(SystemdVerify, CatchesAUnitWhoseProgramIsMissing) {
    // Proof that the checks above can fail: the same unit, naming a program that does not exist.
    UnitRequest request = Request(ServiceStartType::Automatic, false);
    request.executable = temp_.Path() + "/my tools 100% $HOME/missing";
    const test::ProgramResult result = Verify(ComposeUnit(request).text, false);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("missing"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace quellix
