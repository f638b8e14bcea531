#pragma once

#include <optional>
#include <string>

namespace quellix::platform::posix {

// The path a write through path lands on: symbolic links of the last component are followed one
// at a time (realpath would refuse a link whose target does not exist yet). The path itself when
// it is no link or names nothing; nullopt for a loop, an empty link or an error.
std::optional<std::string> FollowLinks(std::string path);

}  // namespace quellix::platform::posix
