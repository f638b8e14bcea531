#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/front_end.h"
#include "core/common/language.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

enum class TimeBox { Hours, Minutes };

// 23 for the hours, 59 for the minutes.
int TimeBoxLimit(TimeBox box);

// A number as a person types it: blanks around, an optional sign, digits with at most one
// decimal separator, "." or ",". An empty text is not a number.
bool IsBoxNumber(std::string_view text);

// What a change of a box leaves: a valid box shows its value in two digits ("7.6" gives "08")
// and hides the shared error label; an invalid one keeps its text and shows its error.
struct TimeBoxCheck {
    bool valid = false;
    int value = 0;      // the whole number shown, when valid
    std::string text;   // the two-digit text, when valid
    std::string error;  // the box's error text, when invalid
};
TimeBoxCheck CheckTimeBox(TimeBox box, std::string_view text, Language language);

// One press of an arrow (up when up is true): the box read as a whole number, one step towards
// the other limit, in two digits; nullopt when the press does nothing (at a limit, or a number
// too large to step).
std::optional<std::string> StepTimeBox(TimeBox box, std::string_view text, bool up);

// What the dialog shows at opening: the boxes filled from Heure (nothing when it cannot be read
// as a time), and box i checked for every digit i of Jours.
struct PurgeTimeOpening {
    std::optional<std::string> hours;
    std::optional<std::string> minutes;
    std::array<bool, 7> days{};  // [0] is Sunday, digit 1
};
PurgeTimeOpening OpenPurgeTime(const Settings& settings);

// What the controls hold when OK is pressed.
struct PurgeTimeChoice {
    std::string hours;
    std::string minutes;
    std::array<bool, 7> days{};
};

// The OK sequence: the first refusal to show, in which case nothing has changed; otherwise
// Heure, PurgeMinute, Jours and both day lists are set, and Heure then Jours are written.
std::optional<MessageRequest> RunPurgeTimeOk(const PurgeTimeChoice& choice, Settings& settings,
                                             ConfigStore& config);

}  // namespace quellix
