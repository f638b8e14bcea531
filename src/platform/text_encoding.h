#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quellix::platform {

// The system's legacy 8-bit code page (Windows' ANSI code page), in which files written by
// earlier versions of the program keep their text. Linux has none: its files are bytes, read and
// written as they are, and both functions give nullopt there.

// text, read in the legacy code page, as UTF-8.
std::optional<std::string> LegacyCodePageToUtf8(std::string_view text);

// utf8 in the legacy code page; nullopt when some character has no exact equivalent there.
std::optional<std::string> Utf8ToLegacyCodePage(std::string_view utf8);

}  // namespace quellix::platform
