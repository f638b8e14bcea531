#include "platform/common/name_hash.h"

#include <cstdint>

namespace quellix::platform {

std::string HashedName(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (int shift = 60; shift >= 0; shift -= 4) {
        hex += kDigits[(hash >> shift) & 0xf];
    }
    return hex;
}

}  // namespace quellix::platform
