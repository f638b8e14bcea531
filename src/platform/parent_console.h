#pragma once

namespace quellix::platform {

// The Windows program is a GUI program, which Windows starts without standard output: started
// from a console, it writes to that console instead. Output already redirected (to a file, a
// pipe) stays where it goes, and a program started without a console (a scheduled task) shows
// none. Nothing to do on Linux.
void UseParentConsole();

}  // namespace quellix::platform
