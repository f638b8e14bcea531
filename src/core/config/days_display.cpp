#include "core/config/days_display.h"

namespace quellix {

namespace {

struct Day {
    char digit;
    const char* english;
    const char* french;
};

constexpr Day kWeek[] = {{'2', "Mon", "Lun"}, {'3', "Tue", "Mar"}, {'4', "Wed", "Mer"},
                         {'5', "Thu", "Jeu"}, {'6', "Fri", "Ven"}, {'7', "Sat", "Sam"},
                         {'1', "Sun", "Dim"}};

std::string Close(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text + "] ";
}

}  // namespace

DaysDisplay BuildDaysDisplay(std::string_view jours) {
    std::string english = " [";
    std::string french = " [";
    for (const Day& day : kWeek) {
        if (jours.find(day.digit) != std::string_view::npos) {
            english += std::string(day.english) + " ";
            french += std::string(day.french) + " ";
        }
    }
    return {Close(english), Close(french)};
}

}  // namespace quellix
