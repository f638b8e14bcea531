#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/directory.h"

namespace quellix {

// "Log Quellix 2026-12-07.htm": the name of a day's log.
std::string DayLogName(const platform::CivilTime& day);

// A name of exactly the form "Log Quellix YYYY-MM-DD.htm" whose date is one of the calendar.
bool IsDayLogName(std::string_view name);

// "2026-12-07" of a day log's name.
std::string_view DayLogDate(std::string_view dayLogName);

// A daily log of the program's own: named as one, a regular file of the user the program runs
// as, with no second name. Anything else in the log folder, even named like a log, may be another
// user's (a sticky folder lets anyone plant names there) and is never taken for a log.
bool IsOwnDayLog(std::string_view name, const platform::EntryInfo& file);

// The names of the program's own daily logs in the folder, oldest first; empty when the folder
// cannot be read.
std::vector<std::string> OwnDayLogs(const platform::Directory& folder);

}  // namespace quellix
