#include "platform/program_runner.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "win32/test_child.h"

namespace quellix::platform {
namespace {

TEST(ProgramRunner, ArgumentsArriveExactly) {
    const test::TempDir dir;
    const std::string echoFile = dir.File("arguments");
    const std::vector<std::string> cases[] = {
        {"plain"},
        {"two words", "tab\there"},
        {"say \"hi\"", "\"", "a\\\"b"},
        {"C:\\folder with space\\", "C:\\no space\\"},
        {"a\\\\b", "\\\\server\\share", "trailing\\\\"},
        {"", "", "after two empty ones"},
        {"r\xc3\xa9sum\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x93\x81"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        std::vector<std::string> command = {test::TestChildPath(), "echo", echoFile};
        command.insert(command.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(RunProgram(command), 40 + static_cast<int>(arguments.size()));
        std::string expected;
        for (const std::string& argument : arguments) {
            expected += argument + '\0';
        }
        std::ifstream in(std::filesystem::path(win32::Widen(echoFile)), std::ios::binary);
        std::ostringstream seen;
        seen << in.rdbuf();
        EXPECT_EQ(seen.str(), expected) << arguments.front();
    }
}

TEST(ProgramRunner, FindsProgramsOnThePathAndReportsWhatCannotStart) {
    const test::TempDir dir;
    // cmd.exe would read its arguments again, "&" and all.
    const std::string script = dir.Write("script.CMD", "@exit 5\r\n");
    const struct {
        std::vector<std::string> command;
        int expected;
    } cases[] = {
        {{"cmd", "/c", "exit 7"}, 7},
        {{"cmd.exe", "/c", "exit 0"}, 0},
        {{"no-such-program-here"}, -1},
        {{script, "a & b"}, -1},
        {{"C:\\no\\such\\folder\\program.exe"}, -1},
        {{""}, -1},
        {{}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunProgram(c.command), c.expected)
            << (c.command.empty() ? std::string("(none)") : c.command.front());
    }
}

}  // namespace
}  // namespace quellix::platform
