#include "platform/clock.h"

#include <windows.h>

#include <clocale>
#include <ctime>
#include <map>
#include <mutex>
#include <string_view>
#include <utility>

#include "platform/common/civil_fields.h"
#include "platform/win32/clock.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace win32 {

namespace {

// FILETIME counts 100 ns steps from 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
// FileTimeToSystemTime takes no FILETIME above 0x7fffffffffffffff (the year 30828).
constexpr std::int64_t kLastSecond = INT64_MAX / kTicksPerSecond - kSecondsFrom1601To1970;

std::optional<DYNAMIC_TIME_ZONE_INFORMATION> FindZone(const std::wstring& key) {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    for (DWORD index = 0; ::EnumDynamicTimeZoneInformation(index, &zone) == ERROR_SUCCESS;
         ++index) {
        if (key == zone.TimeZoneKeyName) {
            return zone;
        }
    }
    return std::nullopt;
}

// The rules of a year in a zone (the machine's for an empty key): those of the instant's own year,
// as Explorer shows file dates, rather than this year's rules for every date.
std::optional<TIME_ZONE_INFORMATION> ReadRules(const std::wstring& key, WORD year) {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (key.empty()) {
        if (::GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) {
            return std::nullopt;
        }
    } else if (std::optional<DYNAMIC_TIME_ZONE_INFORMATION> found = FindZone(key)) {
        zone = *found;
    } else {
        return std::nullopt;
    }
    TIME_ZONE_INFORMATION rules{};
    if (!::GetTimeZoneInformationForYear(year, &zone, &rules)) {
        return std::nullopt;
    }
    return rules;
}

// Reading the rules costs registry reads, and a purge converts the dates of many files: they are
// kept for a second, so that a change of the machine's zone still shows within one.
std::optional<TIME_ZONE_INFORMATION> RulesFor(const std::wstring& key, WORD year) {
    struct Kept {
        std::optional<TIME_ZONE_INFORMATION> rules;
        ULONGLONG readAt;
    };
    static std::mutex mutex;
    static std::map<std::pair<std::wstring, WORD>, Kept> kept;
    const ULONGLONG now = ::GetTickCount64();
    const std::lock_guard<std::mutex> lock(mutex);
    const auto found = kept.find({key, year});
    if (found != kept.end() && now - found->second.readAt < 1000) {
        return found->second.rules;
    }
    if (kept.size() > 64) {
        kept.clear();
    }
    std::optional<TIME_ZONE_INFORMATION> rules = ReadRules(key, year);
    kept[{key, year}] = Kept{rules, now};
    return rules;
}

}  // namespace

std::optional<CivilTime> LocalTimeIn(const std::wstring& zoneKey, std::int64_t secondsSinceEpoch) {
    if (secondsSinceEpoch < -kSecondsFrom1601To1970 || secondsSinceEpoch > kLastSecond) {
        return std::nullopt;
    }
    const auto ticks =
        static_cast<std::uint64_t>(secondsSinceEpoch + kSecondsFrom1601To1970) * kTicksPerSecond;
    FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    if (!::FileTimeToSystemTime(&utcFile, &utc)) {
        return std::nullopt;
    }
    const std::optional<TIME_ZONE_INFORMATION> rules = RulesFor(zoneKey, utc.wYear);
    SYSTEMTIME local{};
    if (!rules || !::SystemTimeToTzSpecificLocalTime(&*rules, &utc, &local)) {
        return std::nullopt;
    }
    return CivilTime{local.wYear,   local.wMonth,  local.wDay,      local.wHour,
                     local.wMinute, local.wSecond, local.wDayOfWeek};
}

}  // namespace win32

namespace {

class MachineClock final : public Clock {
  public:
    std::int64_t Now() const override {
        FILETIME now{};
        ::GetSystemTimePreciseAsFileTime(&now);
        const std::uint64_t ticks =
            (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        return static_cast<std::int64_t>(ticks / 10'000'000) - 11'644'473'600;
    }

    CivilTime ToLocal(std::int64_t secondsSinceEpoch) const override {
        return ToLocalIfRepresentable(secondsSinceEpoch).value_or(CivilTime{});
    }

    // The system reads the zone at every call: a service that runs for days follows a change of
    // it without being told.
    std::optional<CivilTime> ToLocalIfRepresentable(std::int64_t secondsSinceEpoch) const override {
        return win32::LocalTimeIn(std::wstring(), secondsSinceEpoch);
    }

    std::int64_t SteadyMilliseconds() const override {
        return static_cast<std::int64_t>(::GetTickCount64());
    }
};

std::string Padded(long long value, int width, char pad = '0') {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), pad);
    }
    return value < 0 ? "-" + digits : digits;
}

// One conversion that depends on the locale (names, the locale's date and time forms), done by
// the C library in UTF-16 so that the names keep their accents whatever the ANSI code page.
std::string LocaleField(const struct tm& fields, wchar_t conversion) {
    // The C library refuses (and may end the program on) a year it cannot show; the names do
    // not depend on the year, and %c and %x keep what they can.
    struct tm safe = fields;
    if (safe.tm_year < 0 || safe.tm_year > 8099) {
        safe.tm_year = 100;
    }
    const wchar_t pattern[] = {L'%', conversion, L'\0'};
    wchar_t buffer[256];
    const std::size_t length = std::wcsftime(buffer, std::size(buffer), pattern, &safe);
    return win32::Narrow(std::wstring_view(buffer, length));
}

}  // namespace

const Clock& SystemClock() {
    static const MachineClock clock;
    return clock;
}

std::string FormatCivilTime(const CivilTime& time, const char* pattern) {
    const std::tm fields = CivilFields(time);
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;

    std::string result;
    const std::string_view text = pattern == nullptr ? std::string_view() : pattern;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        char conversion = text[++i];
        // C99's E and O modifiers ask for alternative forms, which these locales do not have.
        if ((conversion == 'E' || conversion == 'O') && i + 1 < text.size()) {
            conversion = text[++i];
        }
        switch (conversion) {
            case 'a':
            case 'A':
            case 'b':
            case 'B':
            case 'h':
            case 'p':
            case 'c':
            case 'x':
            case 'X':
                result += LocaleField(fields, conversion == 'h' ? L'b' : wchar_t(conversion));
                break;
            case 'Y':
                result += std::to_string(time.year);
                break;
            case 'y':
                result += Padded(((time.year % 100) + 100) % 100, 2);
                break;
            case 'C':
                result += Padded(time.year / 100, 2);
                break;
            case 'm':
                result += Padded(time.month, 2);
                break;
            case 'd':
                result += Padded(time.day, 2);
                break;
            case 'e':
                result += Padded(time.day, 2, ' ');
                break;
            case 'H':
                result += Padded(time.hour, 2);
                break;
            case 'I':
                result += Padded(hour12, 2);
                break;
            case 'M':
                result += Padded(time.minute, 2);
                break;
            case 'S':
                result += Padded(time.second, 2);
                break;
            case 'j':
                result += Padded(fields.tm_yday + 1, 3);
                break;
            case 'w':
                result += std::to_string(fields.tm_wday);
                break;
            case 'u':
                result += std::to_string(fields.tm_wday == 0 ? 7 : fields.tm_wday);
                break;
            case 'F':
                result += std::to_string(time.year) + "-" + Padded(time.month, 2) + "-" +
                          Padded(time.day, 2);
                break;
            case 'D':
                result += Padded(time.month, 2) + "/" + Padded(time.day, 2) + "/" +
                          Padded(((time.year % 100) + 100) % 100, 2);
                break;
            case 'T':
                result += Padded(time.hour, 2) + ":" + Padded(time.minute, 2) + ":" +
                          Padded(time.second, 2);
                break;
            case 'R':
                result += Padded(time.hour, 2) + ":" + Padded(time.minute, 2);
                break;
            case 'n':
                result += '\n';
                break;
            case 't':
                result += '\t';
                break;
            case '%':
                result += '%';
                break;
            case 'z':
            case 'Z':
                break;
            default:
                // Unknown: shown as written rather than dropped.
                result += '%';
                result += conversion;
                break;
        }
    }
    return result;
}

void UseUserTimeLocale() {
    // Only LC_TIME: LC_NUMERIC must stay "C" for the number formats of the configuration files.
    std::setlocale(LC_TIME, "");
}

}  // namespace quellix::platform
