#include "core/purge/age_rule.h"

#include <limits>

#include "core/config/number_scan.h"

namespace quellix {

std::optional<std::int64_t> RetentionHours(std::string_view retentionText) {
    const auto hours = RoundToInt32(ScanLeadingNumber(retentionText));
    if (!hours) {
        return std::nullopt;
    }
    return *hours;
}

bool IsObsolete(std::int64_t fileTime, std::int64_t retentionHours, std::int64_t now,
                const platform::Clock& clock) {
    constexpr std::int64_t kHour = 3600;
    const std::int64_t retention = retentionHours * kHour;
    // Far beyond any calendar: such a limit is never reached.
    if ((retention > 0 && fileTime > std::numeric_limits<std::int64_t>::max() - retention) ||
        (retention < 0 && fileTime < std::numeric_limits<std::int64_t>::min() - retention)) {
        return retention < 0;
    }
    const std::int64_t limit = fileTime + retention;
    // The local hour holding the limit starts within the hour before it: only a limit in the hour
    // after now needs the calendar.
    if (limit <= now) {
        return true;
    }
    if (limit - kHour >= now) {
        return false;
    }
    const std::optional<platform::CivilTime> local = clock.ToLocalIfRepresentable(limit);
    if (!local) {
        return false;
    }
    // The instant the local hour holding the limit began; in a zone whose offset is not a whole
    // number of hours this is still the hour the wall clock shows.
    const std::int64_t hourStart = limit - (local->minute * 60 + local->second);
    return hourStart <= now;
}

}  // namespace quellix
