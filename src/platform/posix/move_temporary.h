#pragma once

#include <string>

namespace quellix::platform::posix {

// Where a file system cannot hold an unnamed file (and always for symbolic links), a copy waits
// for its move to finish under a hidden name of its own, in the destination folder. The name says
// which boot of which machine made it; the mover holds a shared flock on the folder for as long as
// such a name of its own may exist there, and the clean-up works under the exclusive lock, so it
// never takes a name a live mover still owns.

// A new name for a waiting copy: ".quellix-move-", the boot tag, the process and a counter.
std::string MoveTemporaryName();

// Takes the shared lock on folderFd (its own open folder, not the caller's) that keeps the
// clean-up out of the folder until that descriptor is closed. Never waits: EWOULDBLOCK while a
// clean-up is at work there. 0 or the error number.
int HoldFolderForTemporaries(int folderFd);

// Removes the waiting copies that killed movers left in the folder: regular files and symbolic
// links (never followed) named like ours, only while no mover anywhere holds the folder. On a file
// system others may share over a network, only those made during this boot of this machine, which
// the folder's lock covers. Does nothing when the folder is held or cannot be listed.
void RemoveStaleMoveTemporaries(int folderFd);

}  // namespace quellix::platform::posix
