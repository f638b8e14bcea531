// Opening a document with the desktop's opener, which may stay open long after the call.

#include "platform/open_with_shell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "support/env_override.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

using namespace std::chrono_literals;

// Asks ready again until it holds, for ten seconds at the most.
bool Eventually(const std::function<bool()>& ready) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// True when this process has no child left, running or waiting to be reaped.
bool NoChildren() {
    return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

TEST(OpenWithShell, StartsTheOpenerWithThePathAsOneArgumentAndDoesNotWaitForIt) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("release").c_str(), 0600), 0);
    // Left inheritable on purpose: the opener must not get it.
    const int inheritable = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(inheritable, 0);
    const std::string stub =
        dir.Write("xdg-open",
                  "#!/bin/sh\n"
                  "dir=$(dirname \"$0\")\n"
                  "{ echo \"$#\"; printf '%s\\n' \"$1\"; test -e /proc/$$/fd/" +
                      std::to_string(inheritable) +
                      " && echo leaked; } > \"$dir/got.part\"\n"
                      "mv \"$dir/got.part\" \"$dir/got\"\n"
                      "read line < \"$dir/release\"\n"
                      ": > \"$dir/ended\"\n");
    ASSERT_EQ(::chmod(stub.c_str(), 0700), 0);
    test::EnvOverride path("PATH", dir.Path() + ":" + std::getenv("PATH"));

    const std::string document = dir.File("a b \"c\" 'd' $HOME;*.htm");
    auto call = std::async(std::launch::async, [&] { return platform::OpenWithShell(document); });
    // The stub cannot end before the FIFO is opened for writing, so only a call that does not
    // wait for it returns here.
    const bool returned = call.wait_for(10s) == std::future_status::ready;
    EXPECT_TRUE(Eventually([&] { return dir.Exists("got"); }));
    int release = -1;
    EXPECT_TRUE(Eventually([&] {
        release = ::open(dir.File("release").c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return release >= 0;
    }));
    ::close(release);
    ::close(inheritable);

    EXPECT_TRUE(returned);
    EXPECT_TRUE(call.get());
    EXPECT_EQ(dir.Read("got"), "1\n" + document + "\n");
    EXPECT_TRUE(Eventually([&] { return dir.Exists("ended"); }));
    EXPECT_TRUE(NoChildren());
}

TEST(OpenWithShell, FailsWhenNoOpenerCanBeStarted) {
    struct Case {
        const char* what;
        bool stubPresent;
    };
    for (const Case& c : {Case{"nothing on PATH", false}, Case{"not executable", true}}) {
        test::TempDir dir;
        if (c.stubPresent) {
            ::chmod(dir.Write("xdg-open", "#!/bin/sh\n").c_str(), 0600);
        }
        test::EnvOverride path("PATH", dir.Path());
        EXPECT_FALSE(platform::OpenWithShell(dir.File("doc.htm"))) << c.what;
        EXPECT_TRUE(NoChildren()) << c.what;
    }
}

}  // namespace
}  // namespace quellix
