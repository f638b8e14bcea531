#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quellix::platform {

// Sends folder/name to the freedesktop.org trash of its file system (the home trash on the home
// file system, $topdir/.Trash-$uid elsewhere), so that file managers, gio and trash-cli list it
// with its original path absolutePath and can restore it. The info file is created first and
// exclusively, then the entry is moved in without replacing anything; on failure the info file is
// removed again. deletedAt is the local time written as the deletion date. Returns 0 or the error
// number.
int MoveToTrash(const class Directory& folder, std::string_view name,
                const std::string& absolutePath, std::int64_t deletedAt);

}  // namespace quellix::platform
