#include "platform/os_info.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace quellix::platform {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(OsInfo, KernelReleaseMatchesProc) {
    std::string expected = ReadText("/proc/sys/kernel/osrelease");
    if (expected.empty()) {
        GTEST_SKIP() << "no /proc to compare with";
    }
    if (expected.back() == '\n') {
        expected.pop_back();
    }
    EXPECT_EQ(KernelRelease(), expected);
}

TEST(OsInfo, OsReleasePrefersEtc) {
    const std::string etc = ReadText("/etc/os-release");
    const std::string usr = ReadText("/usr/lib/os-release");
    if (etc.empty() && usr.empty()) {
        GTEST_SKIP() << "no os-release file on this system";
    }
    EXPECT_EQ(OsReleaseText(), etc.empty() ? usr : etc);
}

}  // namespace
}  // namespace quellix::platform
