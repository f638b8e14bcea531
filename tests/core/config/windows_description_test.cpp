#include "core/config/windows_description.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(WindowsDescription, HistoricalNamesAndTodaysSystems) {
    using namespace std::string_literals;
    const struct {
        WindowsVersionInfo version;
        const char* text;
        bool isNt;
    } cases[] = {
        {{4, 10, 67766446, 1, 1, " A "}, "Windows 98 v.4.10, Build 2222, A", false},
        {{4, 0, 950, 1, 1, ""}, "Windows 95 v.4.0, Build 950", false},
        {{4, 90, 3000, 1, 1, ""}, "Windows Me v.4.90, Build 3000", false},
        {{4, 3, 1, 1, 1, ""}, " v.4.3, Build 1", false},
        {{4, 0, 1381, 2, 1, "Service Pack 6\0junk"s},
         "Windows NT v.4.0, Build 1381, Service Pack 6",
         true},
        {{5, 0, 2195, 2, 1, "Service Pack 4"},
         "Windows 2000 v.5.0, Build 2195, Service Pack 4",
         true},
        {{5, 0, 0xFFFF, 2, 1, ""}, "Windows 2000 v.5.0, Build -1", true},
        {{5, 1, 2600, 2, 1, "Service Pack 3"},
         "Windows XP v.5.1, Build 2600, Service Pack 3",
         true},
        {{6, 1, 7601, 2, 3, "Service Pack 1"},
         "Windows Server 2008 R2 v.6.1, Build 7601, Service Pack 1",
         true},
        {{10, 0, 19045, 2, 1, ""}, "Windows 10 v.10.0, Build 19045", true},
        {{10, 0, 22631, 2, 1, ""}, "Windows 11 v.10.0, Build 22631", true},
        {{10, 0, 40000, 2, 1, ""}, "Windows 11 v.10.0, Build 40000", true},
        {{10, 0, 17763, 2, 2, ""}, "Windows Server 2019 v.10.0, Build 17763", true},
        {{10, 0, 26100, 2, 3, ""}, "Windows Server 2025 v.10.0, Build 26100", true},
        {{11, 0, 30000, 2, 1, ""}, "Windows v.11.0, Build 30000", true},
        {{1, 0, 0, 3, 1, ""}, "??? v.1.0, Build 0", false},
    };
    for (const auto& c : cases) {
        const WindowsDescription description = DescribeWindows(c.version);
        EXPECT_EQ(description.text, c.text);
        EXPECT_EQ(description.isNt, c.isNt) << c.text;
    }
}

}  // namespace
}  // namespace quellix
