#include "platform/clock.h"

#include <atomic>
#include <clocale>
#include <ctime>
#include <vector>

namespace quellix::platform {

namespace {

class MachineClock final : public Clock {
  public:
    std::int64_t Now() const override {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        // A service runs for days: it follows a change of the machine's time zone rather than
        // keeping the one it started with. tzset reads the zone file's status each time, so it
        // runs once per second, not at every one of the many calls a purge makes.
        if (lastZoneCheck_.exchange(now.tv_sec, std::memory_order_relaxed) != now.tv_sec) {
            ::tzset();
        }
        return static_cast<std::int64_t>(now.tv_sec);
    }

    CivilTime ToLocal(std::int64_t secondsSinceEpoch) const override {
        return ToLocalIfRepresentable(secondsSinceEpoch).value_or(CivilTime{});
    }

    std::optional<CivilTime> ToLocalIfRepresentable(std::int64_t secondsSinceEpoch) const override {
        const auto seconds = static_cast<time_t>(secondsSinceEpoch);
        struct tm local {};
        if (::localtime_r(&seconds, &local) == nullptr) {
            return std::nullopt;
        }
        return CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min,         local.tm_sec,     local.tm_wday};
    }

  private:
    mutable std::atomic<time_t> lastZoneCheck_{-1};
};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(const CivilTime& time) {
    static constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
    return kDaysBefore[month - 1] + (month > 2 && IsLeapYear(time.year) ? 1 : 0) + time.day - 1;
}

// Sakamoto's method; 0 = Sunday.
int WeekdayOf(const CivilTime& time) {
    static constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
    const long long year = time.year - (month < 3 ? 1 : 0);
    const long long days =
        year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + time.day;
    return static_cast<int>(((days % 7) + 7) % 7);
}

}  // namespace

const Clock& SystemClock() {
    static const MachineClock clock;
    return clock;
}

std::string FormatCivilTime(const CivilTime& time, const char* pattern) {
    // The fields are given as they are, never normalized by mktime: a time that a change to
    // daylight saving time skips must still print as itself. Day of week and of year follow from
    // the date, so %A and %j cannot contradict it.
    struct tm fields {};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    fields.tm_wday = WeekdayOf(time);
    fields.tm_yday = DayOfYear(time);
    fields.tm_isdst = -1;

    // strftime returns 0 both for an empty result and for a buffer too small; a trailing space
    // makes every result non-empty, so 0 always means "grow the buffer".
    std::string withEnd = pattern == nullptr ? std::string() : pattern;
    withEnd += ' ';
    constexpr std::size_t kMaxSize = 1 << 20;
    for (std::size_t size = 256; size <= kMaxSize; size *= 4) {
        std::vector<char> buffer(size);
        const std::size_t length =
            std::strftime(buffer.data(), buffer.size(), withEnd.c_str(), &fields);
        if (length > 0) {
            return std::string(buffer.data(), length - 1);
        }
    }
    return {};
}

void UseUserTimeLocale() {
    // Only LC_TIME: strftime copies the names from it byte for byte, no other category is needed,
    // and LC_NUMERIC must stay "C" for the number formats of the configuration files.
    std::setlocale(LC_TIME, "");
}

}  // namespace quellix::platform
