#include "support/fake_clock.h"

namespace quellix::test {

using namespace std::chrono;

platform::CivilTime FakeClock::ToLocal(std::int64_t seconds) const {
    const sys_seconds instant{
        std::chrono::seconds(seconds + (utcOffset_ ? utcOffset_(seconds) : 0))};
    const auto day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss time{instant - day};
    platform::CivilTime civil;
    civil.year = static_cast<int>(date.year());
    civil.month = static_cast<int>(static_cast<unsigned>(date.month()));
    civil.day = static_cast<int>(static_cast<unsigned>(date.day()));
    civil.hour = static_cast<int>(time.hours().count());
    civil.minute = static_cast<int>(time.minutes().count());
    civil.second = static_cast<int>(time.seconds().count());
    civil.weekday = static_cast<int>(weekday{day}.c_encoding());
    return civil;
}

std::optional<platform::CivilTime> FakeClock::ToLocalIfRepresentable(std::int64_t seconds) const {
    constexpr std::int64_t kFirst = -62135596800;  // 0001-01-01
    constexpr std::int64_t kLast = 253402300799;   // 9999-12-31 23:59:59
    if (seconds < kFirst || seconds > kLast) {
        return std::nullopt;
    }
    return ToLocal(seconds);
}

std::int64_t EpochOf(int year, int month, int day, int hour, int minute, int second) {
    const sys_days date =
        year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
    return date.time_since_epoch().count() * 86400 + hour * 3600 + minute * 60 + second;
}

}  // namespace quellix::test
