#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace quellix::platform::win32 {
namespace {

TEST(WideText, RoundTripsEveryPlaneAndMarksBadBytes) {
    const std::string names[] = {"plain.txt", "r\xc3\xa9sum\xc3\xa9.doc",
                                 "\xe6\x97\xa5\xe6\x9c\xac", "\xf0\x9f\x93\x81 folder"};
    for (const std::string& name : names) {
        EXPECT_EQ(Narrow(Widen(name)), name);
    }
    EXPECT_EQ(Widen("\xf0\x9f\x93\x81").size(), 2u);  // one surrogate pair
    EXPECT_EQ(Widen("a\xff"
                    "b"),
              L"a\xfffd"
              L"b");
}

TEST(WideText, SystemPathsTakeTheLongForm) {
    const struct {
        const char* path;
        const wchar_t* expected;
    } cases[] = {
        {"C:/Users/ann/old files/", L"\\\\?\\C:\\Users\\ann\\old files\\"},
        {"C:\\Temp\\trailing dot.", L"\\\\?\\C:\\Temp\\trailing dot."},
        {"//server/share/x", L"\\\\?\\UNC\\server\\share\\x"},
        {"\\\\?\\D:\\already", L"\\\\?\\D:\\already"},
        {"relative/name", L"relative\\name"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemPath(c.path), c.expected) << c.path;
    }
}

}  // namespace
}  // namespace quellix::platform::win32
