#pragma once

#include <optional>
#include <string>

namespace quellix::platform {

// Where a user other than root could change what the absolute path names: the first folder on
// the way (following links, each of which must be root's) that is not root's or that group or
// others may write without the sticky bit, a name still missing in a folder where others may
// create it, a link that is not root's, or the file itself when it is not root's or group or
// others may write it. nullopt when only root can change it, as it must be for what a system
// service runs as root. A relative path is returned as it is. Windows keeps owners in access
// lists, which this does not read: it always answers nullopt there.
std::optional<std::string> PlaceOthersCanChange(const std::string& path);

}  // namespace quellix::platform
