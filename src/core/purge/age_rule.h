#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/clock.h"

namespace quellix {

// Whole hours of retention from the text of the folder list: the leading number rounded half to
// even; nullopt when it is too large to mean anything (such a file never ages).
std::optional<std::int64_t> RetentionHours(std::string_view retentionText);

// A file is obsolete when its date plus the retention, cut to the whole hour, is not later than
// now cut to the whole hour: a file of 10:40 kept 24 hours is obsolete from 10:00 the next day.
// The retention is elapsed time, added to the file's instant rather than to its wall-clock date,
// and the cut is made at the start of the local hour that instant falls in: a change of the UTC
// offset between the file's date and now neither shortens nor lengthens it. A limit the calendar
// cannot show is never reached. Times are seconds since the epoch; clock gives local time.
bool IsObsolete(std::int64_t fileTime, std::int64_t retentionHours, std::int64_t now,
                const platform::Clock& clock);

}  // namespace quellix
