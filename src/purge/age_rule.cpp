#include "purge/age_rule.h"

#include "config/number_scan.h"

namespace quellix {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::int64_t CivilSeconds(const platform::CivilTime& time) {
    return DaysFromCivil(time.year, static_cast<unsigned>(time.month),
                         static_cast<unsigned>(time.day)) *
               86400 +
           time.hour * 3600 + time.minute * 60 + time.second;
}

std::optional<std::int64_t> RetentionHours(std::string_view retentionText) {
    const auto hours = RoundToInt32(ScanLeadingNumber(retentionText));
    if (!hours) {
        return std::nullopt;
    }
    return *hours;
}

bool IsObsolete(const platform::CivilTime& fileDate, std::int64_t retentionHours,
                const platform::CivilTime& now) {
    const std::int64_t limit = CivilSeconds(fileDate) + retentionHours * 3600;
    return FloorDiv(limit, 3600) <= FloorDiv(CivilSeconds(now), 3600);
}

}  // namespace quellix
