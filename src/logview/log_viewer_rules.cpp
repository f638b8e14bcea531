#include "logview/log_viewer_rules.h"

#include <algorithm>
#include <string_view>

#include "logview/log_viewer_texts.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "purge/log_retention.h"

namespace quellix {

namespace {

constexpr std::string_view kDatedPrefix = "Log Quellix ";
constexpr std::size_t kDateLength = 10;
constexpr int kTwipsPerPixel = 15;
constexpr int kFirstLeft = 120 / kTwipsPerPixel;
constexpr int kFirstTop = 120 / kTwipsPerPixel;
constexpr int kRowStep = 360 / kTwipsPerPixel;
constexpr int kScrollRange = 33600 / kTwipsPerPixel;
constexpr std::int16_t kPortuguese = 2;

std::string In(const PopupText& text, std::int16_t langue) {
    if (langue == kPortuguese) {
        return std::string(text.portuguese);
    }
    return std::string(LanguageOf(langue) == Language::French ? text.french : text.english);
}

}  // namespace

std::vector<DayLog> DayLogsOf(const std::vector<std::string>& names) {
    std::vector<DayLog> logs;
    for (const std::string& name : names) {
        if (IsDayLogName(name)) {
            const std::string date = name.size() > kDatedPrefix.size()
                                         ? name.substr(kDatedPrefix.size(), kDateLength)
                                         : std::string();
            logs.push_back({date, name});
        }
    }
    std::sort(logs.begin(), logs.end(), [](const DayLog& a, const DayLog& b) {
        return a.date != b.date ? a.date < b.date : a.name < b.name;
    });
    return logs;
}

std::vector<DayLog> ListDayLogs(const std::string& folder) {
    return DayLogsOf(platform::ListFileNames(folder));
}

std::string DayLogFile(const std::string& folder, const DayLog& log) {
    return platform::JoinPath(folder, log.name);
}

void RemoveDayLog(const std::string& folder, const DayLog& log) {
    platform::RemoveFileAt(DayLogFile(folder, log));
}

LabelPlace LogLabelPlace(std::size_t index) {
    const std::size_t column = index % 4;
    const int left = column == 0 ? kFirstLeft : kColumnMarkerLefts[column - 1];
    return {left, kFirstTop + kRowStep * static_cast<int>(index / 4)};
}

LabelPlace ColumnMarkerPlace(std::size_t marker) {
    return {kColumnMarkerLefts[marker], kFirstTop};
}

int LogScrollMaximum(int windowHeight) {
    return std::max(0, kScrollRange - windowHeight);
}

std::string LogViewerTitle(const Settings& settings) {
    return std::string(texts::kLogViewerTitle.In(settings.language()));
}

std::string RemoveLogItem(const std::string& date, std::int16_t langue) {
    return In(kRemoveLogItemStart, langue) + date + "'";
}

std::string CancelItem(std::int16_t langue) {
    return In(kCancelItem, langue);
}

MessageRequest RemoveLogQuestion(const std::string& date, const Settings& settings) {
    return {std::string(texts::kRemoveLogStart.In(settings.language())) + date +
                std::string(texts::kRemoveLogEnd),
            settings.ProgramTitle, MessageIcon::Question, MessageButtons::YesNo,
            MessageAnswer::Yes};
}

}  // namespace quellix
