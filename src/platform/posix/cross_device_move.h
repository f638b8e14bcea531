#pragma once

namespace quellix::platform::posix {

// Moves a regular file or a symbolic link to another file system: copies it under a temporary
// name in toFd, flushes it to disk, renames it to newName without replacing anything, and only
// then removes the source. Anything else gives EXDEV without being opened. On any failure the
// source stays as it was and the copy is removed. 0 or the error number.
int MoveAcrossFileSystems(int fromFd, const char* name, int toFd, const char* newName);

}  // namespace quellix::platform::posix
