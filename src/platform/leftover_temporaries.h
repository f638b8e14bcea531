#pragma once

#include <cstdint>
#include <string>

namespace quellix::platform {

// Removes what killed writers of the file at path left in its folder (the folder of the file its
// writes land on, after symbolic links): the file's own temporaries, and temporaries of the
// earlier shared form that were last written more than a day before now and that no process has
// open. Only regular files are removed, never through a link. Call while holding the file's
// instance lock and before writing the file, so that no writer of it can be under way. now is in
// seconds since the epoch. Returns how many files were removed.
int RemoveLeftoverTemporaries(const std::string& path, std::int64_t now);

}  // namespace quellix::platform
