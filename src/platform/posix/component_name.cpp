#include "platform/posix/component_name.h"

#include <cerrno>
#include <cstring>

namespace quellix::platform::posix {

ComponentName::ComponentName(std::string_view name) {
    text_[0] = '\0';
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
        error_ = EINVAL;
        return;
    }
    if (name.size() > NAME_MAX) {
        error_ = ENAMETOOLONG;
        return;
    }
    std::memcpy(text_, name.data(), name.size());
    text_[name.size()] = '\0';
}

}  // namespace quellix::platform::posix
