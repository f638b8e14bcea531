#include "platform/posix/paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace quellix::platform::posix {

PathParts SplitLastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::optional<std::string> ReadLink(const std::string& path) {
    return ReadLinkAt(AT_FDCWD, path.c_str());
}

std::optional<std::string> ReadLinkAt(int at, const char* name) {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlinkat(at, name, buffer.data(), buffer.size());
        if (length < 0) {
            return std::nullopt;
        }
        // A full buffer may mean a truncated target.
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

}  // namespace quellix::platform::posix
