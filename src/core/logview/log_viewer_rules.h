#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/front_end.h"
#include "core/common/settings.h"

namespace quellix {

// A daily log as the viewer lists it: the date part of its name and the name itself.
struct DayLog {
    std::string date;
    std::string name;
    bool operator==(const DayLog&) const = default;
};

// The program's own day logs of the folder (OwnDayLogs), by date, oldest first; empty when the
// folder cannot be reached safely or read. Another user's file named like a log is never shown,
// nor opened in the browser.
std::vector<DayLog> ListDayLogs(const std::string& folder);
std::string DayLogFile(const std::string& folder, const DayLog& log);
// Through the folder reached as the purge reaches it, and only while the file is still one of the
// program's own logs. A file that cannot be removed is passed over.
void RemoveDayLog(const std::string& folder, const DayLog& log);

// Geometry of the window's contents in pixels (designed in twips, 15 to a pixel).
struct LabelPlace {
    int left = 0;
    int top = 0;
    bool operator==(const LabelPlace&) const = default;
};
inline constexpr int kLogLabelWidth = 54;
inline constexpr int kLogLabelHeight = 13;
// Left edges of the hidden markers of the second, third and fourth columns, on the first row.
inline constexpr int kColumnMarkerLefts[] = {72, 136, 200};
inline constexpr int kLogViewerWidth = 279;
inline constexpr int kLogViewerHeight = 99;
inline constexpr int kLogScrollBarWidth = 17;
// One arrow or page click on the scroll bar moves the labels by this much.
inline constexpr int kLogScrollStep = 10;

// A rectangle of the screen.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
// Where the window's frame goes: the top right corner of the free area, unless the notification
// area's icon is there (a desktop without a window manager reserves no room for it); then just
// below the icon, or else just left of it, whichever stays inside the free area.
LabelPlace LogViewerPlace(const ScreenArea& freeArea, int frameWidth, int frameHeight,
                          const std::optional<ScreenArea>& trayIcon);

// Date label index: four to a row, left to right, each row below the last.
LabelPlace LogLabelPlace(std::size_t index);
LabelPlace ColumnMarkerPlace(std::size_t marker);
// The scroll bar runs from 0 to this for a window of this height.
int LogScrollMaximum(int windowHeight);

std::string LogViewerTitle(const Settings& settings);
// The pop-up's entries: Portuguese for Langue 2, otherwise English or French by the one rule.
std::string RemoveLogItem(const std::string& date, std::int16_t langue);
std::string CancelItem(std::int16_t langue);
// Asked, Yes or No, before a log is removed.
MessageRequest RemoveLogQuestion(const std::string& date, const Settings& settings);

}  // namespace quellix
