#pragma once

namespace quellix::platform::posix {

// Whether fd is on a file system whose files only this kernel opens and locks (ext4, xfs, btrfs,
// tmpfs...). Network, cluster and FUSE file systems, and any type not known here, may have
// processes on other machines working in them, which no lock taken here sees.
bool IsLocalFileSystem(int fd);

}  // namespace quellix::platform::posix
