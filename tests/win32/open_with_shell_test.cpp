#include "platform/open_with_shell.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

TEST(WindowsOpenWithShell, TrueOnlyWhenTheShellStartedSomething) {
    const test::TempDir dir;
    // A script the shell opens by running it; it ends at once, nobody waits for it.
    const std::string script = dir.Write("done.cmd", "@exit 0\r\n");
    const struct {
        std::string path;
        bool started;
    } cases[] = {
        {script, true},
        {dir.File("missing.txt"), false},
        {dir.File("no folder/missing.txt"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenWithShell(c.path), c.started) << c.path;
    }
}

}  // namespace
}  // namespace quellix::platform
