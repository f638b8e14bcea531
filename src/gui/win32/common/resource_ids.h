#pragma once

// Identifiers of the program's resources (resources/windows/quellix.rc); the resource compiler
// reads this file too, so it holds only defines.
#define QUELLIX_ICON_PROGRAM 1
#define QUELLIX_ICON_TRAY 2
#define QUELLIX_ICON_REFRESH 3
#define QUELLIX_ICON_RISE 4
#define QUELLIX_ICON_FALL 5
// Ten frames, from this one on.
#define QUELLIX_ICON_HOURGLASS 10
