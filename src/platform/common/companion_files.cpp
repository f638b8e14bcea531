#include "platform/companion_files.h"

#include <cstddef>

#include "platform/common/name_hash.h"

namespace quellix::platform {

namespace {

// Longest name of a folder entry: 255 bytes on Linux, 255 UTF-16 units on Windows (which a
// name of at most 255 UTF-8 bytes never passes).
constexpr std::size_t kNameMax = 255;

constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kTemporaryMarker = ".quellix-";
// The characters mkstemp puts in place of the X.
constexpr std::size_t kRandomLength = 6;

// fileName itself when "." + it + a suffix of suffixLength bytes fits in a name, else a hash.
std::string Stem(std::string_view fileName, std::size_t suffixLength) {
    if (1 + fileName.size() + suffixLength <= kNameMax) {
        return std::string(fileName);
    }
    return "quellix#" + HashedName(fileName);
}

bool IsRandomPart(std::string_view text) {
    if (text.size() != kRandomLength) {
        return false;
    }
    for (const char c : text) {
        const bool alphanumeric =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

// prefix followed by exactly the random part.
bool IsPrefixAndRandomPart(std::string_view name, std::string_view prefix) {
    return name.starts_with(prefix) && IsRandomPart(name.substr(prefix.size()));
}

// "." + stem + suffix, built by appending: GCC 12 warns falsely at -O3 about a literal put
// before a string with operator+.
std::string Hidden(const std::string& stem, std::string_view suffix) {
    std::string name(1, '.');
    name += stem;
    name += suffix;
    return name;
}

std::string TemporaryPrefix(std::string_view fileName) {
    return Hidden(Stem(fileName, kTemporaryMarker.size() + kRandomLength), kTemporaryMarker);
}

}  // namespace

std::string LockFileName(std::string_view fileName) {
    return Hidden(Stem(fileName, kLockSuffix.size()), kLockSuffix);
}

std::string TemporaryNameTemplate(std::string_view fileName) {
    return TemporaryPrefix(fileName) + std::string(kRandomLength, 'X');
}

bool IsTemporaryName(std::string_view name, std::string_view fileName) {
    return IsPrefixAndRandomPart(name, TemporaryPrefix(fileName));
}

bool IsSharedTemporaryName(std::string_view name) {
    return IsPrefixAndRandomPart(name, kTemporaryMarker);
}

bool IsCompanionFileName(std::string_view name, std::string_view fileName) {
    return name == LockFileName(fileName) || IsTemporaryName(name, fileName) ||
           IsSharedTemporaryName(name);
}

}  // namespace quellix::platform
