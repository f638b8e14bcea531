#include "core/logview/log_viewer_rules.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/logview/log_viewer_texts.h"
#include "core/purge/day_logs.h"
#include "platform/directory.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

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

std::vector<DayLog> ListDayLogs(const std::string& folder) {
    std::vector<DayLog> logs;
    const std::optional<platform::Directory> opened = platform::Directory::Open(folder);
    if (!opened) {
        return logs;
    }
    for (const std::string& name : OwnDayLogs(*opened)) {
        logs.push_back({std::string(DayLogDate(name)), name});
    }
    return logs;
}

std::string DayLogFile(const std::string& folder, const DayLog& log) {
    return platform::JoinPath(folder, log.name);
}

void RemoveDayLog(const std::string& folder, const DayLog& log) {
    const std::optional<platform::Directory> opened = platform::Directory::Open(folder);
    if (!opened) {
        return;
    }
    // The name may have changed hands since the viewer listed it.
    if (const auto file = opened->Stat(log.name); file && IsOwnDayLog(log.name, *file)) {
        opened->RemoveFile(log.name);
    }
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

LabelPlace LogViewerPlace(const ScreenArea& freeArea, int frameWidth, int frameHeight,
                          const std::optional<ScreenArea>& trayIcon) {
    const auto right = [](const ScreenArea& area) { return std::int64_t{area.left} + area.width; };
    const auto bottom = [](const ScreenArea& area) { return std::int64_t{area.top} + area.height; };
    const auto place = [](std::int64_t left, std::int64_t top) {
        return ScreenArea{static_cast<int>(left), static_cast<int>(top), 0, 0};
    };
    const auto fits = [&](const ScreenArea& at) {
        return at.left >= freeArea.left && at.top >= freeArea.top &&
               at.left + std::int64_t{frameWidth} <= right(freeArea) &&
               at.top + std::int64_t{frameHeight} <= bottom(freeArea);
    };
    const auto covers = [&](const ScreenArea& at) {
        return trayIcon && trayIcon->width > 0 && trayIcon->height > 0 &&
               at.left < right(*trayIcon) && at.left + std::int64_t{frameWidth} > trayIcon->left &&
               at.top < bottom(*trayIcon) && at.top + std::int64_t{frameHeight} > trayIcon->top;
    };
    const ScreenArea corner = place(right(freeArea) - frameWidth, freeArea.top);
    if (covers(corner)) {
        for (const ScreenArea& at :
             {place(corner.left, bottom(*trayIcon)),
              place(std::int64_t{trayIcon->left} - frameWidth, corner.top)}) {
            if (fits(at) && !covers(at)) {
                return {at.left, at.top};
            }
        }
    }
    return {corner.left, corner.top};
}

}  // namespace quellix
