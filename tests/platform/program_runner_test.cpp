// The runner the service host starts systemctl with.

#include "platform/program_runner.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace quellix {
namespace {

TEST(RunProgram, ReturnsTheExitStatusOfAProgramFoundOnPath) {
    EXPECT_EQ(platform::RunProgram({"sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(platform::RunProgram({"true"}), 0);
    // No shell in between: the argument arrives as one word, unexpanded.
    EXPECT_EQ(
        platform::RunProgram({"sh", "-c", "test \"$1\" = 'a b;$HOME *'", "sh", "a b;$HOME *"}), 0);
}

TEST(RunProgram, AnswersMinusOneWhenNoExitStatusExists) {
    EXPECT_EQ(platform::RunProgram({"quellix-no-such-program-anywhere"}), -1);
    EXPECT_EQ(platform::RunProgram({}), -1);
    EXPECT_EQ(platform::RunProgram({"sh", "-c", "kill -KILL $$"}), -1);
}

TEST(RunProgram, StandardInputIsEmptyAndOutputGoesNowhere) {
    // A read from the terminal would wait; /dev/null ends at once.
    EXPECT_EQ(platform::RunProgram({"sh", "-c", "if read line; then exit 1; fi; exit 0"}), 0);
    EXPECT_EQ(platform::RunProgram({"sh", "-c", "test -c /dev/stdout && test ! -t 1"}), 0);
}

TEST(RunProgram, ChildGetsDefaultSignalHandling) {
    // A shell cannot undo a signal ignored when it started, so only a reset at spawn lets the
    // child die of it.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ASSERT_EQ(sigaction(SIGTERM, &ignore, &previous), 0);
    const int status = platform::RunProgram({"sh", "-c", "kill -TERM $$; exit 0"});
    sigaction(SIGTERM, &previous, nullptr);
    EXPECT_EQ(status, -1);
}

}  // namespace
}  // namespace quellix
