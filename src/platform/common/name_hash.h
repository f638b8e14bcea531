#pragma once

#include <string>
#include <string_view>

namespace quellix::platform {

// 64-bit FNV-1a hash of text as 16 lower-case hex digits: a short, stable stand-in for a name
// too long to be used as it is. Not for anything an adversary must not be able to collide.
std::string HashedName(std::string_view text);

}  // namespace quellix::platform
