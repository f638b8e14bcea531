#include "platform/clock.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

#include "support/env_override.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::EnvOverride;
using test::TempDir;
using test::ZoneOverride;

// time(2) reads a coarser clock that may still show the previous second: compare with the same
// clock.
std::int64_t RealtimeSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

TEST(SystemClock, NowIsTheSystemTime) {
    const std::int64_t before = RealtimeSeconds();
    const std::int64_t now = SystemClock().Now();
    const std::int64_t after = RealtimeSeconds();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

TEST(SystemClock, ToLocalInUtc) {
    ZoneOverride zone("UTC0");
    const Clock& clock = SystemClock();
    EXPECT_EQ(clock.ToLocal(0), (CivilTime{1970, 1, 1, 0, 0, 0, 4}));
    EXPECT_EQ(clock.ToLocal(-1), (CivilTime{1969, 12, 31, 23, 59, 59, 3}));
    EXPECT_EQ(clock.ToLocal(1709251199), (CivilTime{2024, 2, 29, 23, 59, 59, 4}));
    EXPECT_EQ(clock.ToLocal(1796630950), (CivilTime{2026, 12, 7, 8, 9, 10, 1}));
}

TEST(SystemClock, ToLocalFollowsDaylightSavingTime) {
    // Central Europe, spelled out so that no zone database is needed.
    ZoneOverride zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const Clock& clock = SystemClock();
    EXPECT_EQ(clock.ToLocal(1768478400), (CivilTime{2026, 1, 15, 13, 0, 0, 4}));
    EXPECT_EQ(clock.ToLocal(1782907200), (CivilTime{2026, 7, 1, 14, 0, 0, 3}));
    // 2026-03-29 01:30 UTC: half an hour after clocks jumped from 02:00 to 03:00.
    EXPECT_EQ(clock.ToLocal(1774747800), (CivilTime{2026, 3, 29, 3, 30, 0, 0}));
}

class FormatCivilTimeTest : public ::testing::Test {
  protected:
    void SetUp() override { std::setlocale(LC_TIME, "C"); }
    void TearDown() override { std::setlocale(LC_TIME, "C"); }
};

TEST_F(FormatCivilTimeTest, FieldsInTheCLocale) {
    const CivilTime time{2026, 12, 7, 8, 9, 10, 1};
    EXPECT_EQ(FormatCivilTime(time, "%d %B %Y"), "07 December 2026");
    EXPECT_EQ(FormatCivilTime(time, "%Y-%m-%d %H:%M:%S"), "2026-12-07 08:09:10");
    EXPECT_EQ(FormatCivilTime(time, "%a %b %e %I%p"), "Mon Dec  7 08AM");
    EXPECT_EQ(FormatCivilTime(time, "no fields, 100%%"), "no fields, 100%");
    EXPECT_EQ(FormatCivilTime(time, ""), "");
}

// A time given by a fake clock, or a local time a clock change skips, prints as it is given; the
// day of the week and of the year are those of the date itself.
TEST_F(FormatCivilTimeTest, FieldsAreNotNormalizedAndWeekdayFollowsTheDate) {
    EXPECT_EQ(FormatCivilTime(CivilTime{2026, 12, 7, 8, 9, 10, 5}, "%A %j"), "Monday 341");
    EXPECT_EQ(FormatCivilTime(CivilTime{2000, 12, 31, 0, 0, 0, 0}, "%A %j"), "Sunday 366");
    EXPECT_EQ(FormatCivilTime(CivilTime{1900, 3, 1, 0, 0, 0, 0}, "%A %j"), "Thursday 060");
    ZoneOverride zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(FormatCivilTime(CivilTime{2026, 3, 29, 2, 30, 0, 0}, "%d.%m.%Y %H:%M"),
              "29.03.2026 02:30");
}

TEST_F(FormatCivilTimeTest, LongResultsAreComplete) {
    std::string pattern;
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        pattern += "%B|";
        expected += "September|";
    }
    EXPECT_EQ(FormatCivilTime(CivilTime{2026, 9, 1, 0, 0, 0, 2}, pattern.c_str()), expected);
}

// The user's language for dates, while numbers keep the "C" format the configuration files use.
TEST_F(FormatCivilTimeTest, UserLocaleChangesTimeNamesOnly) {
    TempDir locales;
    const test::ProgramResult built = test::RunProgram(
        "/usr/bin/localedef", {"-i", "fr_FR", "-f", "UTF-8", locales.File("fr_FR.UTF-8")});
    if (built.exitCode != 0 && built.exitCode != 1) {
        GTEST_SKIP() << "cannot build a French locale: " << built.err;
    }
    EnvOverride path("LOCPATH", locales.Path());
    EnvOverride all("LC_ALL", std::nullopt);
    EnvOverride time("LC_TIME", std::nullopt);
    EnvOverride numeric("LC_NUMERIC", std::nullopt);
    EnvOverride lang("LANG", "fr_FR.UTF-8");

    const std::string numericBefore = std::setlocale(LC_NUMERIC, nullptr);
    const std::string typesBefore = std::setlocale(LC_CTYPE, nullptr);
    UseUserTimeLocale();
    const char* timeLocale = std::setlocale(LC_TIME, nullptr);
    if (timeLocale == nullptr || std::string(timeLocale) != "fr_FR.UTF-8") {
        GTEST_SKIP() << "the French locale built could not be loaded";
    }
    EXPECT_EQ(FormatCivilTime(CivilTime{2026, 12, 7, 8, 9, 10, 1}, "%A %d %B %Y"),
              "lundi 07 d\xc3\xa9"
              "cembre 2026");
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), numericBefore);
    EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), typesBefore);
}

}  // namespace
}  // namespace quellix::platform
