#pragma once

#include <sys/stat.h>

#include <cstdint>

namespace quellix::platform::posix {

// Copies size bytes of in, from its current position, to out, or fewer when in ends sooner. With
// kernelCopy set the kernel (or the file systems) is asked to do it; where it cannot copy between
// the two file systems, kernelCopy is cleared, so that later copies between them skip the asking.
// 0 or the error number.
int CopyFileData(int in, int out, std::uint64_t size, bool* kernelCopy);

// Gives out the owner of source (only a privileged process can give a file away; otherwise the
// copy stays ours, as with mv), then its mode and times. 0 or the error number.
int CopyFileAttributes(int out, const struct stat& source);

}  // namespace quellix::platform::posix
