#pragma once

#include <string>

#include "platform/posix/fd_io.h"

namespace quellix::platform::posix {

// The trash that takes the entries of one folder: the one on the folder's own file system, so
// that trashing is a rename.
struct TrashFolders {
    UniqueFd files;
    UniqueFd info;
    // Mount point holding a $topdir trash, "" for the home trash.
    std::string topdir;
};

// Finds, creating what is missing, the home trash ($XDG_DATA_HOME/Trash, else
// $HOME/.local/share/Trash) when it is on the folder's file system, else $topdir/.Trash/$uid
// (when $topdir/.Trash is a real folder with the sticky bit) or $topdir/.Trash-$uid, where $topdir
// is the top folder of the folder's mount. folderPath locates the folder when /proc cannot.
// 0 or the error number.
int OpenTrashFor(int folderFd, const std::string& folderPath, TrashFolders* trash);

}  // namespace quellix::platform::posix
