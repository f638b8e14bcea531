#include "gui/win32/mainwindow/tray_icon.h"

#include "platform/win32/wide_text.h"

namespace quellix {

NotifyAreaIcon::~NotifyAreaIcon() {
    Remove();
}

bool NotifyAreaIcon::Available() const {
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

void NotifyAreaIcon::Show(HWND window, HICON icon, std::string_view tip) {
    const bool wasShown = shown_ && data_.hWnd == window;
    data_ = {};
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayMessage;
    data_.hIcon = icon;
    lstrcpynW(data_.szTip, platform::win32::Widen(tip).c_str(), ARRAYSIZE(data_.szTip));
    if (wasShown && Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE) {
        return;
    }
    shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void NotifyAreaIcon::Remove() {
    if (shown_) {
        Shell_NotifyIconW(NIM_DELETE, &data_);
        shown_ = false;
    }
}

UINT NotifyAreaIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace quellix
