#include "platform/text_encoding.h"

namespace quellix::platform {

// Linux programs have always written their bytes as they are: there is nothing to convert from.

std::optional<std::string> LegacyCodePageToUtf8(std::string_view) {
    return std::nullopt;
}

std::optional<std::string> Utf8ToLegacyCodePage(std::string_view) {
    return std::nullopt;
}

}  // namespace quellix::platform
