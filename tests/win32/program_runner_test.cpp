#include "platform/program_runner.h"

#include <gtest/gtest.h>
// <shellapi.h> needs the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/process_info.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

constexpr char kEchoFile[] = "QUELLIX_ECHO_FILE";

// Run by the test below as a child of its own: writes the arguments it was given after its two
// first ones (the program and the test filter), each ended by a NUL, as the system's parser reads
// them, and exits with 40 plus their count.
TEST(ProgramRunnerChild, WritesItsArguments) {
    const std::optional<std::string> file = EnvironmentVariable(kEchoFile);
    if (!file) {
        GTEST_SKIP() << "only run as the child of ProgramRunner.ArgumentsArriveExactly";
    }
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::ofstream out(std::filesystem::path(win32::Widen(*file)), std::ios::binary);
    for (int i = 2; i < count; ++i) {
        out << win32::Narrow(arguments[i]) << '\0';
    }
    out.close();
    std::exit(40 + count - 2);
}

class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(win32::Widen(name)) {
        ::SetEnvironmentVariableW(name_.c_str(), win32::Widen(value).c_str());
    }
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_.c_str(), nullptr); }

  private:
    std::wstring name_;
};

TEST(ProgramRunner, ArgumentsArriveExactly) {
    const test::TempDir dir;
    const std::string echoFile = dir.File("arguments");
    const ScopedVariable variable(kEchoFile, echoFile);
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
        std::vector<std::string> command = {ExecutablePath(),
                                            "--gtest_filter=ProgramRunnerChild.*"};
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
