#include "platform/clock.h"

#include <gtest/gtest.h>

#include <clocale>

#include "platform/win32/clock.h"

namespace quellix::platform {
namespace {

// Instants on either side of the changes to and from daylight saving time, in zones named as the
// system names them, so that the result does not depend on the machine's own zone.
TEST(WindowsClock, LocalTimeFollowsEachYearsDaylightSavingRules) {
    const struct {
        const wchar_t* zone;
        std::int64_t utc;
        CivilTime local;
    } cases[] = {
        // Central Europe, last Sunday of March and of October.
        {L"W. Europe Standard Time", 1774745999, {2026, 3, 29, 1, 59, 59, 0}},
        {L"W. Europe Standard Time", 1774746000, {2026, 3, 29, 3, 0, 0, 0}},
        {L"W. Europe Standard Time", 1792889999, {2026, 10, 25, 2, 59, 59, 0}},
        {L"W. Europe Standard Time", 1792890000, {2026, 10, 25, 2, 0, 0, 0}},
        // The United States moved the change from April to March in 2007: 2006 keeps its rule.
        {L"Eastern Standard Time", 1142146800, {2006, 3, 12, 2, 0, 0, 0}},
        {L"Eastern Standard Time", 1143961200, {2006, 4, 2, 3, 0, 0, 0}},
        {L"Eastern Standard Time", 1173596400, {2007, 3, 11, 3, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win32::LocalTimeIn(c.zone, c.utc), c.local) << c.utc;
    }
    EXPECT_EQ(win32::LocalTimeIn(L"No Such Standard Time", 0), std::nullopt);
}

TEST(WindowsClock, InstantsTheCalendarCannotShowAreUnknown) {
    const Clock& clock = SystemClock();
    EXPECT_EQ(clock.ToLocalIfRepresentable(-11644473600 - 86400 * 2), std::nullopt);
    EXPECT_EQ(clock.ToLocalIfRepresentable(std::int64_t{1} << 50), std::nullopt);
    EXPECT_EQ(clock.ToLocal(std::int64_t{1} << 50), CivilTime{});
    const std::optional<CivilTime> epochDay = clock.ToLocalIfRepresentable(12 * 3600);
    ASSERT_TRUE(epochDay.has_value());
    EXPECT_EQ(epochDay->year, 1970);
    EXPECT_GT(clock.Now(), 1767225600);  // after 2026-01-01
}

TEST(WindowsClock, FormatsEveryConversionWithoutTheCLibrarysGaps) {
    const CivilTime time{2026, 12, 7, 8, 9, 10, 1};
    const struct {
        CivilTime time;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {time, "%d %B %Y", "07 December 2026"},
        {time, "%a %b %e %I%p", "Mon Dec  7 08AM"},
        {time, "%F %T %R %D %j %u %C %y", "2026-12-07 08:09:10 08:09 12/07/26 341 1 20 26"},
        {time, "100%% %z%Z %q", "100%  %q"},
        {time, "", ""},
        // Never normalized; the weekday follows from the date.
        {CivilTime{2026, 3, 29, 2, 30, 0, 5}, "%A %d.%m.%Y %H:%M", "Sunday 29.03.2026 02:30"},
        // Years the C library refuses: the numbers still come out right.
        {CivilTime{1850, 1, 2, 0, 0, 0, 0}, "%A %Y-%m-%d", "Wednesday 1850-01-02"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCivilTime(c.time, c.pattern), c.expected) << c.pattern;
    }
}

// The C library gives the names in the ANSI code page of the locale; the program's texts are
// UTF-8 whatever that code page is.
TEST(WindowsClock, NamesOfTheUsersLanguageInUtf8) {
    ASSERT_NE(std::setlocale(LC_TIME, "French_France.1252"), nullptr);
    const std::string text = FormatCivilTime(CivilTime{2026, 12, 7, 8, 9, 10, 1}, "%A %d %B %Y");
    const std::string february = FormatCivilTime(CivilTime{2026, 2, 1, 0, 0, 0, 0}, "%B");
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(text,
              "lundi 07 d\xc3\xa9"
              "cembre 2026");
    EXPECT_EQ(february, "f\xc3\xa9vrier");
}

}  // namespace
}  // namespace quellix::platform
