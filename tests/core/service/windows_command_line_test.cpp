#include "core/service/windows_command_line.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(WindowsCommandLine, QuotesWhatCommandLineToArgvWWouldSplitOrStrip) {
    const struct {
        const char* argument;
        const char* quoted;
    } cases[] = {
        {"--service", "--service"},
        {"C:\\Program Files\\Quellix\\quellix.exe", "\"C:\\Program Files\\Quellix\\quellix.exe\""},
        {"", "\"\""},
        {"--ini=D:\\Purge settings\\", "\"--ini=D:\\Purge settings\\\\\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
        {"C:\\no\\quote\\needed\\", "C:\\no\\quote\\needed\\"},
        {"tab\there", "\"tab\there\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuoteWindowsArgument(c.argument), c.quoted) << c.argument;
    }
    EXPECT_EQ(WindowsCommandLine({"C:\\Q x\\quellix.exe", "--service", "--ini=C:\\a b\\Q.ini"}),
              "\"C:\\Q x\\quellix.exe\" --service \"--ini=C:\\a b\\Q.ini\"");
}

}  // namespace
}  // namespace quellix
