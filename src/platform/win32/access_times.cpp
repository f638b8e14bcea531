#include "platform/access_times.h"

namespace quellix::platform {

// Windows updates last-access times lazily, and not at all on volumes where it is turned off
// (the default since Windows 10 for large volumes); a listing never sets it.
void LeaveAccessTimes() {}

}  // namespace quellix::platform
