#include "platform/path_trust.h"

namespace quellix::platform {

std::optional<std::string> PlaceOthersCanChange(const std::string&) {
    return std::nullopt;
}

}  // namespace quellix::platform
