#include "purge/age_rule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <limits>
#include <string>

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

void ExpectAges(const AgeCase* begin, const AgeCase* end) {
    for (const AgeCase* c = begin; c != end; ++c) {
        EXPECT_EQ(IsObsolete(c->file, c->retention, c->now), c->obsolete)
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
    EXPECT_FALSE(IsObsolete(Civil(1601, 1, 1), longest, Civil(9999, 12, 31, 23, 59, 59)));
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

std::int64_t ChronoSeconds(const std::chrono::year_month_day& date, int hour, int minute,
                           int second) {
    using namespace std::chrono;
    return duration_cast<seconds>(sys_days{date}.time_since_epoch()).count() + hour * 3600 +
           minute * 60 + second;
}

CivilTime FromChrono(const std::chrono::year_month_day& date, int hour, int minute, int second) {
    return Civil(static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
                 static_cast<int>(unsigned{date.day()}), hour, minute, second);
}

TEST(CivilSeconds, AgreesWithTheChronoCalendar) {
    using namespace std::chrono;
    // Every 7919th day over roughly eleven thousand years around the epoch, each at a different
    // time of day.
    int checked = 0;
    for (int dayNumber = -2'000'000; dayNumber <= 2'000'000; dayNumber += 7919) {
        const year_month_day date{sys_days{days{dayNumber}}};
        const int hour = (dayNumber / 7919 % 24 + 24) % 24;
        const int minute = (dayNumber / 13 % 60 + 60) % 60;
        const int second = (dayNumber % 60 + 60) % 60;
        ASSERT_EQ(CivilSeconds(FromChrono(date, hour, minute, second)),
                  ChronoSeconds(date, hour, minute, second))
            << static_cast<int>(date.year()) << "-" << unsigned{date.month()} << "-"
            << unsigned{date.day()};
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

TEST(CivilSeconds, EveryDayAroundCalendarTurningPoints) {
    using namespace std::chrono;
    // Each day of the years around the epoch, the leap rules of 1900, 2000 and 2100, and the
    // first and last years a file date can carry.
    for (const int first : {-1, 1600, 1899, 1968, 1999, 2023, 2099, 9998}) {
        const sys_days from{year{first} / January / 1};
        const sys_days to{year{first + 2} / December / 31};
        for (sys_days day = from; day <= to; day += days{1}) {
            const year_month_day date{day};
            ASSERT_EQ(CivilSeconds(FromChrono(date, 23, 59, 59)), ChronoSeconds(date, 23, 59, 59))
                << static_cast<int>(date.year()) << "-" << unsigned{date.month()} << "-"
                << unsigned{date.day()};
        }
    }
}

TEST(CivilSeconds, IgnoresTheWeekday) {
    CivilTime a = Civil(2026, 12, 7, 10, 0);
    CivilTime b = a;
    a.weekday = 1;
    b.weekday = 5;
    EXPECT_EQ(CivilSeconds(a), CivilSeconds(b));
    EXPECT_EQ(CivilSeconds(Civil(1970, 1, 1)), 0);
}

}  // namespace
}  // namespace quellix
