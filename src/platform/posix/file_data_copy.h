#pragma once

#include <sys/stat.h>

namespace quellix::platform::posix {

// Copies in, from its current position to its end, to out; the kernel (or the file systems) does
// it where it can. 0 or the error number.
int CopyFileData(int in, int out);

// Gives out the owner of source (only a privileged process can give a file away; otherwise the
// copy stays ours, as with mv), then its mode and times. 0 or the error number.
int CopyFileAttributes(int out, const struct stat& source);

}  // namespace quellix::platform::posix
