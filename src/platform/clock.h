#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quellix::platform {

// A calendar date and time of day, local to the machine.
struct CivilTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;  // 0 = Sunday .. 6 = Saturday
    bool operator==(const CivilTime&) const = default;
};

// Where the program reads the time: the system clock in the program, a fake one in tests.
class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t Now() const = 0;
    // The local calendar time of an instant (the machine's time zone for the system clock).
    virtual CivilTime ToLocal(std::int64_t secondsSinceEpoch) const = 0;
    // The same, or nullopt for an instant the calendar cannot show (a file dated billions of
    // years ahead): such a date is unknown, never taken for 1970.
    virtual std::optional<CivilTime> ToLocalIfRepresentable(std::int64_t secondsSinceEpoch) const {
        return ToLocal(secondsSinceEpoch);
    }
    // Milliseconds from an arbitrary start, never going back when the date is set: for pacing
    // work, not for dates.
    virtual std::int64_t SteadyMilliseconds() const = 0;
};

// The machine's clock and time zone.
const Clock& SystemClock();

// strftime-style formatting of a local time in the language of the process's locale (LC_TIME),
// e.g. "%d %B %Y" gives "07 December 2026" or "07 décembre 2026". The day of the week and of the
// year come from the date; the zone conversions (%z, %Z) have nothing to show.
std::string FormatCivilTime(const CivilTime& time, const char* pattern);

// Takes the date and time formats of the user's locale (LC_TIME from the environment); the other
// categories, LC_NUMERIC above all, are left as they are. Call before other threads start.
void UseUserTimeLocale();

}  // namespace quellix::platform
