#include "gui/win32/common/system_font.h"

#include <cmath>

namespace quellix {

namespace {

NONCLIENTMETRICSW Metrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == FALSE) {
        metrics.lfMessageFont = {};
    }
    return metrics;
}

// GetDpiForWindow exists from Windows 10 1607; older systems and Wine's older versions fall back
// to the screen's DPI.
UINT DpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96U;
}

}  // namespace

DialogFont SystemDialogFont() {
    const LOGFONTW message = Metrics().lfMessageFont;
    if (message.lfFaceName[0] == L'\0' || message.lfHeight == 0) {
        return {L"MS Shell Dlg 2", 8};
    }
    // The metrics are at the system's DPI; a template wants points.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int points = static_cast<int>(std::lround(std::abs(message.lfHeight) * 72.0 / dpi));
    return {message.lfFaceName, points > 0 ? points : 9};
}

HFONT CreateSystemDialogFont(HWND window, bool bold) {
    const DialogFont font = SystemDialogFont();
    LOGFONTW logical{};
    logical.lfHeight = -MulDiv(font.pointSize, static_cast<int>(DpiOf(window)), 72);
    logical.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = DEFAULT_CHARSET;
    logical.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(logical.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logical);
}

HCURSOR ArrowCursor() {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
}

HCURSOR WaitCursor() {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));
}

int Scaled(HWND window, int pixelsAt96) {
    return MulDiv(pixelsAt96, static_cast<int>(DpiOf(window)), 96);
}

}  // namespace quellix
