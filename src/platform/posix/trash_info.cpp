#include "platform/posix/trash_info.h"

#include <time.h>

#include <cstdio>

namespace quellix::platform::posix {

namespace {

bool KeptAsIs(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
           byte == '~' || byte == '/';
}

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string PercentEncodePath(std::string_view path) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kDigits[byte >> 4];
            encoded += kDigits[byte & 0xf];
        }
    }
    return encoded;
}

std::string TrashInfoText(std::string_view encodedPath, std::int64_t deletedAt) {
    const auto seconds = static_cast<time_t>(deletedAt);
    struct tm local {};
    if (::localtime_r(&seconds, &local) == nullptr) {
        local = {};
        local.tm_year = 70;
        local.tm_mday = 1;
    }
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string text = "[Trash Info]\nPath=";
    text += encodedPath;
    text += "\nDeletionDate=";
    text += date;
    text += '\n';
    return text;
}

std::string TrashEntryName(std::string_view name, int attempt, std::size_t maxLength) {
    std::string suffix;
    if (attempt > 1) {
        suffix = '.';
        suffix += std::to_string(attempt);
    }
    const std::size_t room = maxLength > suffix.size() ? maxLength - suffix.size() : 1;
    if (name.size() > room) {
        // A UTF-8 character is at most 4 bytes: back up at most 3 to its first byte.
        std::size_t cut = room;
        for (int back = 0; back < 3 && cut > 0 && IsUtf8Continuation(name[cut]); ++back) {
            --cut;
        }
        // Not UTF-8 here: any byte boundary will do.
        if (cut == 0 || IsUtf8Continuation(name[cut])) {
            cut = room;
        }
        name = name.substr(0, cut);
    }
    std::string result(name);
    result += suffix;
    return result;
}

}  // namespace quellix::platform::posix
