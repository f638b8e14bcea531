#pragma once

namespace quellix::platform::posix {

// Renames fromFd/from to toFd/to, failing with EEXIST instead of replacing anything. Where the
// file system cannot rename without replacing (NFS, some FUSE file systems), anything but a folder
// is linked under the new name and then unlinked under the old one, which never replaces either.
// 0 or the error number.
int RenameNoReplace(int fromFd, const char* from, int toFd, const char* to);

}  // namespace quellix::platform::posix
