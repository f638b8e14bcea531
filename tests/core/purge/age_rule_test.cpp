#include "core/purge/age_rule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "support/fake_clock.h"

namespace quellix {
namespace {

using platform::CivilTime;

CivilTime Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CivilTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

std::string Show(const CivilTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

struct AgeCase {
    CivilTime file;
    std::int64_t retention;
    CivilTime now;
    bool obsolete;
};

std::int64_t Utc(const CivilTime& t) {
    return test::EpochOf(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// Dates read in UTC, which never changes its offset.
void ExpectAges(const AgeCase* begin, const AgeCase* end) {
    const test::FakeClock utc;
    for (const AgeCase* c = begin; c != end; ++c) {
        EXPECT_EQ(IsObsolete(Utc(c->file), c->retention, Utc(c->now), utc), c->obsolete)
            << "file " << Show(c->file) << " kept " << c->retention << " h, now " << Show(c->now);
    }
}

TEST(IsObsolete, CountsWholeHourBoundaries) {
    const AgeCase cases[] = {
        // Now 10:59 with a day's retention: only files of yesterday before 11:00 have aged.
        {Civil(2026, 12, 6, 10, 1), 24, Civil(2026, 12, 7, 10, 59), true},
        {Civil(2026, 12, 6, 10, 0), 24, Civil(2026, 12, 7, 10, 59), true},
        {Civil(2026, 12, 6, 10, 59, 59), 24, Civil(2026, 12, 7, 10, 59), true},
        {Civil(2026, 12, 6, 11, 0), 24, Civil(2026, 12, 7, 10, 59), false},
        {Civil(2026, 12, 6, 11, 59), 24, Civil(2026, 12, 7, 10, 59), false},
        {Civil(2026, 12, 6, 11, 59, 59), 24, Civil(2026, 12, 7, 10, 59, 59), false},
        // A file of 10:40 kept a day goes at 10:00 the next day, not a second earlier.
        {Civil(2026, 12, 6, 10, 40), 24, Civil(2026, 12, 7, 9, 59, 59), false},
        {Civil(2026, 12, 6, 10, 40), 24, Civil(2026, 12, 7, 10, 0, 0), true},
        {Civil(2026, 12, 6, 10, 40), 24, Civil(2026, 12, 7, 10, 39), true},
        // No retention: any file of the current hour or before has aged; a file dated later
        // (a clock that was ahead) has not.
        {Civil(2026, 12, 7, 10, 59, 59), 0, Civil(2026, 12, 7, 10, 0), true},
        {Civil(2026, 12, 7, 11, 0), 0, Civil(2026, 12, 7, 10, 59, 59), false},
        {Civil(2020, 1, 1), 0, Civil(2026, 12, 7, 10, 0), true},
        // One hour.
        {Civil(2026, 12, 7, 9, 30), 1, Civil(2026, 12, 7, 9, 59, 59), false},
        {Civil(2026, 12, 7, 9, 30), 1, Civil(2026, 12, 7, 10, 0), true},
    };
    ExpectAges(std::begin(cases), std::end(cases));
}

TEST(IsObsolete, CrossesMonthYearAndLeapDays) {
    const AgeCase cases[] = {
        // End of a 30-day and of a 31-day month.
        {Civil(2026, 4, 30, 12), 24, Civil(2026, 5, 1, 11, 59), false},
        {Civil(2026, 4, 30, 12), 24, Civil(2026, 5, 1, 12), true},
        {Civil(2026, 1, 31, 23, 30), 1, Civil(2026, 1, 31, 23, 59), false},
        {Civil(2026, 1, 31, 23, 30), 1, Civil(2026, 2, 1, 0, 0), true},
        // New year.
        {Civil(2025, 12, 31, 23, 30), 1, Civil(2026, 1, 1, 0, 0), true},
        {Civil(2025, 12, 31, 23, 30), 2, Civil(2026, 1, 1, 0, 59), false},
        {Civil(2025, 12, 31, 12), 24 * 365, Civil(2026, 12, 31, 11, 59), false},
        {Civil(2025, 12, 31, 12), 24 * 365, Civil(2026, 12, 31, 12), true},
        // February of a leap year has a 29th, of a common year not.
        {Civil(2024, 2, 28, 12), 24, Civil(2024, 2, 29, 11, 59), false},
        {Civil(2024, 2, 28, 12), 24, Civil(2024, 2, 29, 12), true},
        {Civil(2024, 2, 28, 12), 48, Civil(2024, 3, 1, 11, 59), false},
        {Civil(2024, 2, 28, 12), 48, Civil(2024, 3, 1, 12), true},
        {Civil(2023, 2, 28, 12), 24, Civil(2023, 3, 1, 11, 59), false},
        {Civil(2023, 2, 28, 12), 24, Civil(2023, 3, 1, 12), true},
        // Century years: 2100 is common, 2000 is leap.
        {Civil(2100, 2, 28, 12), 24, Civil(2100, 3, 1, 12), true},
        {Civil(2100, 2, 28, 12), 48, Civil(2100, 3, 1, 12), false},
        {Civil(2000, 2, 28, 12), 48, Civil(2000, 3, 1, 12), true},
        {Civil(2000, 2, 28, 12), 48, Civil(2000, 3, 1, 11), false},
        // A leap day itself, a year on.
        {Civil(2024, 2, 29, 8), 24 * 366, Civil(2025, 3, 1, 7, 59), false},
        {Civil(2024, 2, 29, 8), 24 * 366, Civil(2025, 3, 1, 8), true},
        // Dates before 1970 count the same way.
        {Civil(1969, 12, 31, 23, 10), 1, Civil(1970, 1, 1, 0, 0), true},
        {Civil(1969, 12, 31, 22, 10), 2, Civil(1969, 12, 31, 23, 59, 59), false},
    };
    ExpectAges(std::begin(cases), std::end(cases));
}

TEST(IsObsolete, LongestRetentionNeverAges) {
    // What the engine uses when the retention text does not fit.
    const std::int64_t longest = std::numeric_limits<std::int32_t>::max();
    const test::FakeClock utc;
    EXPECT_FALSE(
        IsObsolete(Utc(Civil(1601, 1, 1)), longest, Utc(Civil(9999, 12, 31, 23, 59, 59)), utc));
    EXPECT_FALSE(IsObsolete(std::numeric_limits<std::int64_t>::max() - 5, 1,
                            std::numeric_limits<std::int64_t>::max(), utc));
}

// Central European time as the tz database has it for 2026: UTC+1, and UTC+2 from 29 March 01:00
// UTC (02:00 becomes 03:00) to 25 October 01:00 UTC (03:00 becomes 02:00 again).
int ParisOffset(std::int64_t instant) {
    static const std::int64_t summerFrom = test::EpochOf(2026, 3, 29, 1);
    static const std::int64_t summerUntil = test::EpochOf(2026, 10, 25, 1);
    return instant >= summerFrom && instant < summerUntil ? 7200 : 3600;
}

TEST(IsObsolete, RetentionIsElapsedTimeAcrossOffsetChanges) {
    test::FakeClock paris;
    paris.SetZone(ParisOffset);
    // Local wall-clock times, with the offset they are read in: 3600 winter, 7200 summer.
    const auto at = [](int month, int day, int hour, int minute, int second, int offset) {
        return test::EpochOf(2026, month, day, hour, minute, second) - offset;
    };
    constexpr int kWinter = 3600;
    constexpr int kSummer = 7200;
    const struct {
        const char* what;
        std::int64_t file;
        std::int64_t retention;
        std::int64_t now;
        bool obsolete;
    } cases[] = {
        // Spring: a file of 01:59:59 kept two hours was deleted at 03:00:05, six seconds old.
        {"spring, 6 s old", at(3, 29, 1, 59, 59, kWinter), 2, at(3, 29, 3, 0, 5, kSummer), false},
        {"spring, limit's hour not begun", at(3, 29, 1, 59, 59, kWinter), 2,
         at(3, 29, 3, 59, 59, kSummer), false},
        {"spring, limit's hour begun", at(3, 29, 1, 59, 59, kWinter), 2,
         at(3, 29, 4, 0, 0, kSummer), true},
        {"spring, 1.5 h of 3", at(3, 29, 0, 30, 0, kWinter), 3, at(3, 29, 3, 30, 0, kSummer),
         false},
        {"spring, 2.5 h of 3", at(3, 29, 0, 30, 0, kWinter), 3, at(3, 29, 4, 0, 0, kSummer), true},
        // Autumn: 02:00 to 03:00 runs twice; the wall clock would keep these files an hour more.
        {"autumn, 1.5 h of 2", at(10, 25, 1, 30, 0, kSummer), 2, at(10, 25, 2, 0, 0, kWinter),
         true},
        {"autumn, 1.5 h less 1 s of 2", at(10, 25, 1, 30, 0, kSummer), 2,
         at(10, 25, 2, 59, 59, kSummer), false},
        {"autumn, first 02:30 kept 1 h", at(10, 25, 2, 30, 0, kSummer), 1,
         at(10, 25, 2, 0, 0, kWinter), true},
        {"autumn, first 02:30 kept 1 h, too early", at(10, 25, 2, 30, 0, kSummer), 1,
         at(10, 25, 2, 59, 59, kSummer), false},
        {"autumn, second 02:30 kept 1 h", at(10, 25, 2, 30, 0, kWinter), 1,
         at(10, 25, 3, 0, 0, kWinter), true},
        {"autumn, second 02:30 kept 1 h, first 02:59", at(10, 25, 2, 30, 0, kWinter), 1,
         at(10, 25, 2, 59, 59, kSummer), false},
        // A day across each change is 23 and 25 hours of the wall clock, 24 of elapsed time.
        {"spring, a day", at(3, 28, 12, 0, 0, kWinter), 24, at(3, 29, 12, 59, 59, kSummer), false},
        {"spring, a day and its hour", at(3, 28, 12, 0, 0, kWinter), 24,
         at(3, 29, 13, 0, 0, kSummer), true},
        {"autumn, a day", at(10, 24, 12, 0, 0, kSummer), 24, at(10, 25, 10, 59, 59, kWinter),
         false},
        {"autumn, a day and its hour", at(10, 24, 12, 0, 0, kSummer), 24,
         at(10, 25, 11, 0, 0, kWinter), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsObsolete(c.file, c.retention, c.now, paris), c.obsolete) << c.what;
    }

    // Where the offset is not whole hours, the hour is still the one the wall clock shows.
    test::FakeClock india;
    india.SetZone([](std::int64_t) { return 5 * 3600 + 1800; });
    const std::int64_t file = test::EpochOf(2026, 12, 6, 10, 40) - 19800;
    EXPECT_FALSE(IsObsolete(file, 24, test::EpochOf(2026, 12, 7, 9, 59, 59) - 19800, india));
    EXPECT_TRUE(IsObsolete(file, 24, test::EpochOf(2026, 12, 7, 10, 0) - 19800, india));
}

TEST(RetentionHours, LeadingNumberRoundedHalfToEven) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"24", 24},
        {"48h", 48},
        {"  72 hours", 72},
        {"1.5", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"0.5", 0},
        {"0.51", 1},
        {"23.4999", 23},
        {"-1.5", -2},
        {"", 0},
        {"abc", 0},
        {"1e3", 1},
        {"2147483647", 2147483647},
        {"2147483646.5", 2147483646},
        {"-2147483648", -2147483648LL},
    };
    for (const auto& [text, hours] : cases) {
        EXPECT_EQ(RetentionHours(text), std::optional<std::int64_t>(hours)) << '"' << text << '"';
    }
}

TEST(RetentionHours, TooLargeMeansNothing) {
    for (const char* text :
         {"2147483648", "2147483647.5", "-2147483649", "99999999999999999999",
          "1000000000000000000000000000000000000000000000000000000000000000000"
          "000000000000000000000000000000000000000000000000000000000000000000"
          "000000000000000000000000000000000000000000000000000000000000000000"
          "000000000000000000000000000000000000000000000000000000000000000000"
          "000000000000000000000000000000000000000000000000000000000000000000"}) {
        EXPECT_EQ(RetentionHours(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace quellix
