#pragma once

#include <sys/stat.h>

namespace quellix::platform::posix {

// Whether this process may go by what the file says. A process acting as root goes only by files
// that root owns and that neither group nor others may write, as cron and logrotate demand of
// theirs: whoever could change the file could choose what root deletes. Any other process goes by
// any file it can read.
bool MayGoBy(const struct stat& file);

}  // namespace quellix::platform::posix
