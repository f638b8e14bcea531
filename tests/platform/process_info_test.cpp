#include "platform/process_info.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "child_process.h"
#include "env_override.h"

namespace quellix::platform {
namespace {

using test::RunInChild;

TEST(ProcessInfo, ExecutableDirectoryHoldsTheRunningProgram) {
    const std::string folder = ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');

    struct stat self {};
    ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 && info.st_dev == self.st_dev &&
            info.st_ino == self.st_ino) {
            found = true;
        }
    }
    EXPECT_TRUE(found) << folder;
}

TEST(ProcessInfo, EnvironmentVariableTellsEmptyFromUnset) {
    const std::string name = "QUELLIX_TEST_VARIABLE_" + std::to_string(::getpid());
    EXPECT_EQ(EnvironmentVariable(name), std::nullopt);
    ASSERT_EQ(::setenv(name.c_str(), "", 1), 0);
    EXPECT_EQ(EnvironmentVariable(name), std::string());
    ASSERT_EQ(::setenv(name.c_str(), "a b=c\n\xff", 1), 0);
    EXPECT_EQ(EnvironmentVariable(name), "a b=c\n\xff");
    ASSERT_EQ(::unsetenv(name.c_str()), 0);
    EXPECT_EQ(EnvironmentVariable(name), std::nullopt);
}

TEST(ProcessInfo, HomeDirectoryFromEnvironmentElsePasswordDatabase) {
    const passwd* entry = ::getpwuid(::getuid());
    const std::string fromDatabase = entry != nullptr ? entry->pw_dir : "";

    const int code = RunInChild([&] {
        if (::setenv("HOME", "/home/with space", 1) != 0) {
            return 2;
        }
        if (HomeDirectory() != "/home/with space") {
            return 1;
        }
        ::setenv("HOME", "", 1);
        if (HomeDirectory() != fromDatabase) {
            return 3;
        }
        ::unsetenv("HOME");
        return HomeDirectory() == fromDatabase ? 0 : 4;
    });
    EXPECT_EQ(code, 0) << "1: HOME ignored, 3: empty HOME used, 4: database not consulted";
}

TEST(ProcessInfo, UserConfigHomeTakesOnlyAnAbsoluteXdgConfigHome) {
    const test::EnvOverride home("HOME", "/home/ann");
    const struct {
        std::optional<std::string> xdg;
        std::string expected;
    } cases[] = {
        {"/srv/conf", "/srv/conf"},
        {std::nullopt, "/home/ann/.config"},
        {"", "/home/ann/.config"},
        {"conf", "/home/ann/.config"},
    };
    for (const auto& c : cases) {
        const test::EnvOverride xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(UserConfigHome(), c.expected) << c.xdg.value_or("(unset)");
    }
}

}  // namespace
}  // namespace quellix::platform
