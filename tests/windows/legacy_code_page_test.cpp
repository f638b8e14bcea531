#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/config/ini_file.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// A file of an earlier version, in the ANSI code page, keeps that code page; a character it
// cannot hold turns the file to UTF-8 instead of being lost.
TEST(LegacyCodePage, FileOfAnEarlierVersionIsReadAndWrittenInIt) {
    ASSERT_EQ(::GetACP(), 1252u) << "the test's bytes are Windows-1252";
    test::TempDir dir;
    const std::string path = dir.Write("Quellix.ini", "[Paths]\r\nPath1=C:\\R\xe9sum\xe9\\\r\n");
    const auto bytes = [&] {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    IniFile file(path);
    EXPECT_EQ(file.Read("Paths", "Path1"), "C:\\R\xc3\xa9sum\xc3\xa9\\");

    file.Write("Paths", "Path2", "D:\\\xc3\xa0 purger\\");
    EXPECT_EQ(bytes(), "[Paths]\r\nPath1=C:\\R\xe9sum\xe9\\\r\nPath2=D:\\\xe0 purger\\\r\n");

    file.Write("Paths", "Path3", "E:\\\xe6\x97\xa5\xe6\x9c\xac\\");
    EXPECT_EQ(bytes(),
              "[Paths]\r\nPath1=C:\\R\xc3\xa9sum\xc3\xa9\\\r\nPath2=D:\\\xc3\xa0 purger\\\r\n"
              "Path3=E:\\\xe6\x97\xa5\xe6\x9c\xac\\\r\n");
    IniFile again(path);
    EXPECT_EQ(again.Read("Paths", "Path1"), "C:\\R\xc3\xa9sum\xc3\xa9\\");
}

}  // namespace
}  // namespace quellix
