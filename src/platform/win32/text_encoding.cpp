#include "platform/text_encoding.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace quellix::platform {

std::optional<std::string> LegacyCodePageToUtf8(std::string_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                          wide.data(), size);
    return win32::Narrow(wide);
}

std::optional<std::string> Utf8ToLegacyCodePage(std::string_view utf8) {
    const std::wstring wide = win32::Widen(utf8);
    if (wide.empty()) {
        return std::string();
    }
    BOOL lossy = FALSE;
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          text.data(), size, nullptr, &lossy);
    // A round trip that does not give the same text back (a code page without that character
    // maps it silently on some systems) would change the settings.
    if (lossy || LegacyCodePageToUtf8(text) != std::string(utf8)) {
        return std::nullopt;
    }
    return text;
}

}  // namespace quellix::platform
