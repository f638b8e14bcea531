#pragma once

#include <optional>
#include <string>

namespace quellix::platform::posix {

struct PathParts {
    std::string folder;
    std::string name;
};

// Splits path at its last '/'. The folder is "." when there is no '/' and "/" for an entry of the
// root folder; the name is empty when path ends with '/'.
PathParts SplitLastComponent(const std::string& path);

// folder + "/" + name, without doubling the separator after "/".
std::string JoinPath(const std::string& folder, const std::string& name);

// Target of the symbolic link at path, whatever its length.
std::optional<std::string> ReadLink(const std::string& path);
// The same for name relative to the folder descriptor at ("" with a descriptor of the link
// itself); nullopt with errno set when it is no link or cannot be read.
std::optional<std::string> ReadLinkAt(int at, const char* name);

// realpath(3) of an existing path.
std::optional<std::string> RealPath(const std::string& path);

}  // namespace quellix::platform::posix
