#include "platform/process_info.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/child_process.h"
#include "support/env_override.h"
#include "support/temp_dir.h"

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

// Started with a user's environment (sudo -E, su without "-"), root must not take that user's
// folders for its settings: they decide what root deletes.
TEST(ProcessInfo, RootTakesOnlyConfigurationFoldersThatOnlyRootCanChange) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "the rule is root's";
    }
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const std::string users = dir.File("users-config");
    std::filesystem::create_directories(users + "/inner");
    ASSERT_EQ(::chown(users.c_str(), 65534, 65534), 0);
    std::filesystem::create_directories(dir.File("group-writable"));
    ASSERT_EQ(::chmod(dir.File("group-writable").c_str(), 0775), 0);
    std::filesystem::create_directories(dir.File("roots/config"));
    const std::string fromDatabase = std::string(::getpwuid(0)->pw_dir) + "/.config";
    const struct {
        std::optional<std::string> xdg;
        std::string home;
        std::string expected;
    } cases[] = {
        {dir.File("roots/config"), dir.File("roots"), dir.File("roots/config")},
        // Missing: made where only root can make it.
        {dir.File("roots/new/config"), dir.File("roots"), dir.File("roots/new/config")},
        {users, dir.File("roots"), dir.File("roots/.config")},
        {users + "/inner", dir.File("roots"), dir.File("roots/.config")},
        {users + "/missing", dir.File("roots"), dir.File("roots/.config")},
        {dir.File("group-writable"), dir.File("roots"), dir.File("roots/.config")},
        // Anyone could make the missing folder first in a folder open to all.
        {"/tmp/quellix-missing-config", dir.File("roots"), dir.File("roots/.config")},
        {std::nullopt, users, fromDatabase},
        {users, users, fromDatabase},
    };
    for (const auto& c : cases) {
        const test::EnvOverride home("HOME", c.home);
        const test::EnvOverride xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(UserConfigHome(), c.expected) << c.xdg.value_or("(unset)") << " " << c.home;
    }
}

}  // namespace
}  // namespace quellix::platform
