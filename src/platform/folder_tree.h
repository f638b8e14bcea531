#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quellix::platform {

// The names of the folders directly inside the folder at path (links to folders included, as a
// file manager shows them), sorted as a file manager sorts them: without regard to letter case.
// On Windows the folders the system keeps to itself (hidden and system at once, such as
// "System Volume Information") are left out; hidden ones (AppData) stay, since old files pile up
// there. Only the folder is listed: no file is opened, so no access time changes. nullopt when
// the folder cannot be listed.
std::optional<std::vector<std::string>> SubfolderNames(const std::string& path);

}  // namespace quellix::platform
