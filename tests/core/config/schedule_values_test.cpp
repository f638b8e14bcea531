#include <gtest/gtest.h>

#include "core/config/days_display.h"
#include "core/config/os_description.h"
#include "core/config/purge_time.h"

namespace quellix {
namespace {

TEST(ParsePurgeTime, AcceptedNotations) {
    const std::pair<const char*, int> cases[] = {
        {"12:00", 720},
        {"7:30", 450},
        {"07:30", 450},
        {"0:00", 0},
        {"23:59", 1439},
        {"23:59:59", 1439},
        {"7:30 PM", 1170},
        {"12:15am", 15},
        {"12:00 PM", 720},
        {"2026-12-07", 0},
        {"2026-02-28 06:05", 365},
        {"2024-02-29", 0},
    };
    for (const auto& [text, minute] : cases) {
        EXPECT_EQ(ParsePurgeTime(text), minute) << text;
    }
}

TEST(ParsePurgeTime, RejectedNotations) {
    for (const char* text : {"", "25:00", "24:00", "12:60", "12", "12:5", "12:005", "ab:cd",
                             "12:00:60", "13:00 PM", "0:30 AM", "12:00 x", "2026-02-30",
                             "2023-02-29", "2026-13-01", "12:00junk", "-1:00", " 12:00"}) {
        EXPECT_FALSE(ParsePurgeTime(text)) << text;
    }
}

TEST(DaysDisplay, WeekStartsOnMonday) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1234567", " [Mon Tue Wed Thu Fri Sat Sun] ", " [Lun Mar Mer Jeu Ven Sam Dim] "},
        {"17", " [Sat Sun] ", " [Sam Dim] "},
        {"71", " [Sat Sun] ", " [Sam Dim] "},
        {"2x2", " [Mon] ", " [Lun] "},
        {"", " [] ", " [] "},
        {"890", " [] ", " [] "},
    };
    for (const auto& [jours, english, french] : cases) {
        const DaysDisplay days = BuildDaysDisplay(jours);
        EXPECT_EQ(days.english, english) << jours;
        EXPECT_EQ(days.french, french) << jours;
    }
}

TEST(OsDescription, KernelAndDistribution) {
    EXPECT_EQ(DescribeLinux("6.1.0-18-amd64",
                            "NAME=\"Debian GNU/Linux\"\n"
                            "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
    EXPECT_EQ(DescribeLinux("5.15.167.4-microsoft-standard-WSL2", "PRETTY_NAME=Plain\n"),
              "Plain, Linux 5.15.167.4-microsoft-standard-WSL2");
    EXPECT_EQ(DescribeLinux("6.18.44\n", ""), "Linux 6.18.44");
    EXPECT_EQ(DescribeLinux("", "PRETTY_NAME='Quoted \\\"x\\\"'"), "Quoted \\\"x\\\", Linux");
    EXPECT_EQ(PrettyNameOf("A=1\nPRETTY_NAME=\"Esc \\\"q\\\"\"\n"), "Esc \"q\"");
}

}  // namespace
}  // namespace quellix
