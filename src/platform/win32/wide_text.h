#pragma once

#include <string>
#include <string_view>

namespace quellix::platform::win32 {

// The program keeps every text in UTF-8; the system's wide functions take UTF-16. Invalid UTF-8
// is converted with U+FFFD in place of the bad bytes, unpaired surrogates likewise.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A path for the wide file functions: "/" turned into "\", and an absolute drive or UNC path
// given the "\\?\" prefix so that it may pass MAX_PATH and keeps trailing dots and spaces.
std::wstring SystemPath(std::string_view utf8Path);

}  // namespace quellix::platform::win32
