#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "platform/posix/fd_io.h"

namespace quellix::platform::posix {

// The pieces of a move to another file system, which a batch runs for many entries at a time:
// copy each entry into its destination folder where nothing can see it yet, make the copies
// durable, give them their names, make the names durable, then remove the sources.

// A destination folder while a batch's copies wait in it.
struct CopyFolder {
    int fd = -1;                   // the batch's own descriptor of the folder
    bool unnamedFiles = true;      // the file system holds files with no name (O_TMPFILE)
    bool linkByDescriptor = true;  // linkat takes them by descriptor alone (AT_EMPTY_PATH)
    bool kernelCopy = true;        // copy_file_range works from the sources met so far
    bool heldForTemporaries = false;
};

// A copy waiting for its move to finish.
struct WaitingCopy {
    struct stat source {};  // the source when it was copied
    UniqueFd file;          // an unnamed copy: its only handle, until it is linked in
    std::string temporary;  // otherwise its hidden name in the destination folder
    dev_t device = 0;       // the copy itself, so that only it is ever removed
    ino_t inode = 0;
    bool placed = false;  // under its new name
};

// Copies the regular file or symbolic link fromFd/name, as listed, into the folder: data (or
// target), owner when permitted, mode and times. Anything else gives EXDEV, unopened. A source
// that changes while copied gives EBUSY. On failure nothing is left in the folder. 0 or the error
// number.
int MakeCopy(int fromFd, const char* name, const struct stat& listed, CopyFolder& to,
             WaitingCopy* copy);

// Gives the copy its new name in the folder, never replacing anything (EEXIST). 0 or the error
// number.
int PlaceCopy(WaitingCopy& copy, CopyFolder& to, const char* newName);

// Takes the copy out of the folder again, under whichever name it has, unless something else has
// taken that name meanwhile.
void DiscardCopy(WaitingCopy& copy, int toFd, const char* newName);

// Whether the source still is, under its name, exactly what was copied: nobody wrote to it,
// renamed it away or put something else in its place meanwhile.
bool SourceUnchanged(int fromFd, const char* name, const struct stat& copied);

}  // namespace quellix::platform::posix
