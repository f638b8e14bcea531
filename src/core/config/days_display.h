#pragma once

#include <string>
#include <string_view>

namespace quellix {

struct DaysDisplay {
    std::string english;
    std::string french;
};

// " [Mon Tue Wed Thu Fri Sat Sun] " and its French form from the weekday digits of Jours
// (1 = Sunday ... 7 = Saturday), Monday first; other characters are ignored.
DaysDisplay BuildDaysDisplay(std::string_view jours);

}  // namespace quellix
