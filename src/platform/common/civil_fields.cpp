#include "platform/common/civil_fields.h"

namespace quellix::platform {

namespace {

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

std::tm CivilFields(const CivilTime& time) {
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    fields.tm_wday = WeekdayOf(time);
    fields.tm_yday = DayOfYear(time);
    fields.tm_isdst = -1;
    return fields;
}

}  // namespace quellix::platform
