#pragma once

namespace quellix::platform {

// From now on, folders listed and files examined keep their access times where the system lets
// the program ask for it (on Linux: as root, or for what it owns): a preview leaves no trace.
// Reading a folder's entries otherwise marks the folder as accessed.
void LeaveAccessTimes();

}  // namespace quellix::platform
