#include "gui/win32/mainwindow/win32_front_end.h"

#include <string_view>

#include "gui/win32/common/message_box.h"
#include "gui/win32/mainwindow/loading_window.h"
#include "gui/win32/mainwindow/main_window.h"

namespace quellix {

Win32FrontEnd::Win32FrontEnd() = default;
Win32FrontEnd::~Win32FrontEnd() = default;

void Win32FrontEnd::DestroyWindows() {
    ForgetMainWindow();
    window_.reset();
    loading_.reset();
}

MessageAnswer Win32FrontEnd::ShowMessage(const MessageRequest& request) {
    HWND owner = window_ && IsWindowVisible(window_->Handle()) ? window_->Handle() : nullptr;
    return MessageBoxes::Show(owner, request);
}

StartupProgress& Win32FrontEnd::Progress() {
    if (!loading_) {
        loading_ = std::make_unique<LoadingWindow>();
    }
    return *loading_;
}

MainWindowPresenter& Win32FrontEnd::BuildMainWindow() {
    window_ = makeWindow_();
    return window_->Presenter();
}

bool Win32FrontEnd::IsMainWindowVisible() const {
    return window_ && window_->IsShownToUser();
}

void Win32FrontEnd::ProcessPendingEvents() {
    // Called at every folder and every few hundred files: paced by time, so a walk neither
    // stalls the window nor spends its time asking.
    const ULONGLONG now = GetTickCount64();
    if (lastEvents_ != 0 && now - lastEvents_ < eventIntervalMs_) {
        return;
    }
    MSG message;
    HWND main = window_ ? window_->Handle() : nullptr;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchOneMessage(message, main);
    }
    lastEvents_ = GetTickCount64();
}

bool DispatchOneMessage(const MSG& message, HWND mainWindow) {
    if (message.message == WM_QUIT) {
        return false;
    }
    MSG copy = message;
    HWND keys = mainWindow;
    if (HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        root != nullptr && root != mainWindow) {
        wchar_t name[16] = {};
        GetClassNameW(root, name, 16);
        // The dialog class: a dialog that is not modal, as a modal one runs its own loop.
        if (std::wstring_view(name) == L"#32770") {
            keys = root;
        }
    }
    if (keys == nullptr || IsDialogMessageW(keys, &copy) == FALSE) {
        TranslateMessage(&copy);
        DispatchMessageW(&copy);
    }
    return true;
}

}  // namespace quellix
