#pragma once

#include <string>

namespace quellix::platform::win32 {

// What a move to the Recycle Bin came to: error is 0 or the errno number MoveToTrash returns;
// shellResult and aborted are the numbers the shell's operation gave (0 when it was not called).
struct RecycleOutcome {
    int error = 0;
    int shellResult = 0;
    int aborted = 0;
};

// Sends the entry name of the folder at folderPath (a drive or UNC path, with or without the
// "\\?\" form) to the Recycle Bin through the shell, and checks that it arrived there: where the
// shell would have deleted a file for good (no bin on the volume, a file too large for it, Wine
// without its trash folder) the file is put back and the move fails.
RecycleOutcome RecycleEntry(const std::wstring& folderPath, const std::wstring& name);

}  // namespace quellix::platform::win32
