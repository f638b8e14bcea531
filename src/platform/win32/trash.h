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
// "\\?\" form) to the Recycle Bin through the shell, and checks that it arrived there. What the
// shell would delete for good is refused before it is asked (RefusalFor: a drive without a bin,
// a path too long for it, the bin switched off or too small); the shell is asked to warn instead
// of deleting for good, and its question answered "no" without a window; and where it deleted
// all the same (Wine without its trash folder) the file is put back and the move fails.
RecycleOutcome RecycleEntry(const std::wstring& folderPath, const std::wstring& name);

}  // namespace quellix::platform::win32
