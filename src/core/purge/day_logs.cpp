#include "core/purge/day_logs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/text_file.h"

namespace quellix {

namespace {

constexpr std::string_view kPrefix = "Log Quellix ";
constexpr std::string_view kSuffix = ".htm";
constexpr std::size_t kDateLength = 10;  // yyyy-mm-dd

// The digits of text from first to last; -1 when one of them is not a digit.
int Number(std::string_view text, std::size_t first, std::size_t last) {
    int value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool IsCalendarDate(std::string_view date) {
    if (date[4] != '-' || date[7] != '-') {
        return false;
    }
    const int year = Number(date, 0, 3);
    const int month = Number(date, 5, 6);
    const int day = Number(date, 8, 9);
    if (year < 0 || month < 0 || day < 0) {
        return false;
    }
    return std::chrono::year_month_day{std::chrono::year{year},
                                       std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}}
        .ok();
}

}  // namespace

std::string DayLogName(const platform::CivilTime& day) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year % 10000, day.month % 100,
                  day.day % 100);
    return std::string(kPrefix) + date + std::string(kSuffix);
}

bool IsDayLogName(std::string_view name) {
    return name.size() == kPrefix.size() + kDateLength + kSuffix.size() &&
           name.starts_with(kPrefix) && name.ends_with(kSuffix) &&
           IsCalendarDate(name.substr(kPrefix.size(), kDateLength));
}

std::string_view DayLogDate(std::string_view dayLogName) {
    return dayLogName.substr(kPrefix.size(), kDateLength);
}

bool IsOwnDayLog(std::string_view name, const platform::EntryInfo& file) {
    // A second name means the file is reached from elsewhere too, perhaps through a hard link
    // another user planted.
    return IsDayLogName(name) && file.type == platform::EntryType::File &&
           platform::BelongsToThisUser(file) && file.links == 1;
}

std::vector<std::string> OwnDayLogs(const platform::Directory& folder) {
    std::vector<std::string> names;
    for (const platform::FolderFile& file : platform::ListRegularFiles(folder, IsDayLogName)) {
        if (IsOwnDayLog(file.name, file.info)) {
            names.push_back(file.name);
        }
    }
    // The dates are zero-padded: name order is date order.
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quellix
