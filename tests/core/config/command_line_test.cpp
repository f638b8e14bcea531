#include "core/config/command_line.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

struct RunOnceCase {
    std::vector<std::string> arguments;
    bool runOnce;
    const char* upperCased;
};

TEST(CommandLine, OneShotSwitchAnywhereInAnyCase) {
    const RunOnceCase cases[] = {
        {{}, false, ""},
        {{"-C"}, true, "-C"},
        {{"/x", "-c"}, true, "/X -C"},
        {{"abc-cdef"}, true, "ABC-CDEF"},
        {{"/x", "-d"}, false, "/X -D"},
        // Our own options are taken out first: their text never counts.
        {{"--ini=/srv/my-cleaner/Quellix.ini"}, false, ""},
        {{"--ini", "/srv/my-cleaner/Quellix.ini"}, false, ""},
        {{"--INI=/a"}, false, ""},
        {{"--ini=/srv/my-cleaner.ini", "-c"}, true, "-C"},
        {{"--version", "x-C"}, true, "X-C"},
    };
    for (const RunOnceCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.runOnce, c.runOnce) << c.upperCased;
        EXPECT_EQ(line.upperCased, c.upperCased);
    }
}

TEST(CommandLine, OwnOptions) {
    CommandLine line = ParseCommandLine({"--ini=/tmp/a b.ini", "--help", "--version"});
    EXPECT_EQ(line.iniPath, "/tmp/a b.ini");
    EXPECT_TRUE(line.help);
    EXPECT_TRUE(line.version);
    EXPECT_TRUE(line.error.empty());

    line = ParseCommandLine({"--ini", "-C.ini"});
    EXPECT_EQ(line.iniPath, "-C.ini");
    EXPECT_FALSE(line.runOnce);
}

// Windows users ask with "/?"; the help then speaks of their service manager and folders.
TEST(CommandLine, HelpInEachSpellingAndEachSystemsWords) {
    for (const char* asking : {"--help", "-h", "/?", "-?"}) {
        const CommandLine line = ParseCommandLine({asking});
        EXPECT_TRUE(line.help) << asking;
        EXPECT_FALSE(line.runOnce) << asking;
        EXPECT_TRUE(line.error.empty()) << asking;
    }
    struct Words {
        HostSystem system;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    };
    const Words words[] = {
        {HostSystem::Windows,
         {"%APPDATA%\\quellix\\Quellix.ini", "service manager", "event log", "/?"},
         {"systemd", "SIGTERM", "XDG"}},
        {HostSystem::Linux, {"systemd", "SIGTERM", "$XDG_CONFIG_HOME"}, {"%APPDATA%", "/?"}},
    };
    for (const Words& w : words) {
        const std::string text = UsageText(w.system);
        for (const char* word : w.present) {
            EXPECT_NE(text.find(word), std::string::npos) << word;
        }
        for (const char* word : w.absent) {
            EXPECT_EQ(text.find(word), std::string::npos) << word;
        }
    }
}

TEST(CommandLine, UnusableOptionsAreErrors) {
    EXPECT_EQ(ParseCommandLine({"--ini"}).error, "option --ini needs a file path");
    EXPECT_EQ(ParseCommandLine({"--json", "-C"}).error, "option --json goes with --dry-run");
    const CommandLine preview = ParseCommandLine({"--json", "--dry-run"});
    EXPECT_TRUE(preview.dryRun && preview.json && preview.error.empty());
    EXPECT_EQ(ParseCommandLine({"--ini="}).error, "option --ini needs a file path");
    // A mistyped option must not be mistaken for the one-shot switch ("--cron" holds "-C").
    const CommandLine line = ParseCommandLine({"--cron"});
    EXPECT_EQ(line.error, "unknown option --cron");
    EXPECT_FALSE(line.runOnce);
}

}  // namespace
}  // namespace quellix
