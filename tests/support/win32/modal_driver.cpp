#include "support/win32/modal_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/win32/common/control_view.h"
#include "platform/win32/wide_text.h"

namespace quellix::test {

namespace {

ModalDriver* running = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

// The thread's windows that take input now: the top of the modal stack.
std::vector<HWND> ActiveWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Dialogs, message boxes and the folder browser are of the dialog class; other windows count
// when another window owns them.
bool IsModal(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0 || GetWindow(window, GW_OWNER) != nullptr;
}

}  // namespace

ModalDriver& ModalDriver::Then(Script script) {
    scripts_.push_back(std::move(script));
    return *this;
}

void ModalDriver::Run(const std::function<void()>& open, std::chrono::milliseconds limit) {
    ASSERT_EQ(running, nullptr) << "one driver at a time";
    running = this;
    deadline_ = std::chrono::steady_clock::now() + limit;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &ModalDriver::Tick);
    open();
    KillTimer(nullptr, timer);
    running = nullptr;
    EXPECT_FALSE(expired_) << "a window was still open after the time limit";
    EXPECT_TRUE(scripts_.empty()) << scripts_.size() << " window(s) expected were never shown";
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (running != nullptr) {
        running->OnTick();
    }
}

void ModalDriver::OnTick() {
    const std::vector<HWND> windows = ActiveWindows();
    if (std::chrono::steady_clock::now() > deadline_) {
        expired_ = true;
        for (HWND window : windows) {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return;
    }
    for (HWND window : windows) {
        const bool seen = std::find(handled_.begin(), handled_.end(), window) != handled_.end();
        if (seen || !IsModal(window)) {
            continue;
        }
        if (scripts_.empty()) {
            return;
        }
        handled_.push_back(window);
        Script script = std::move(scripts_.front());
        scripts_.pop_front();
        script(window);
        return;
    }
}

HWND Named(HWND window, std::string_view name) {
    HWND control = FindNamedControl(window, name);
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}

std::string TextOf(HWND window, std::string_view control) {
    HWND found = control.empty() ? window : Named(window, control);
    return found == nullptr ? std::string() : quellix::TextOf(found);
}

void Type(HWND edit, std::string_view text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t character : platform::win32::Widen(text)) {
        SendMessageW(edit, WM_CHAR, character, 1);
    }
}

void Click(HWND window, std::string_view button) {
    if (HWND found = Named(window, button)) {
        SendMessageW(found, BM_CLICK, 0, 0);
    }
}

bool IsChecked(HWND window, std::string_view control) {
    HWND found = Named(window, control);
    return found != nullptr && SendMessageW(found, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Step(HWND window, std::string_view upDown, bool up) {
    HWND arrows = Named(window, upDown);
    if (arrows == nullptr) {
        return;
    }
    RECT area{};
    GetClientRect(arrows, &area);
    const int x = (area.right - area.left) / 2;
    const int y = up ? (area.bottom - area.top) / 4 : (area.bottom - area.top) * 3 / 4;
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    MSG down{focus != nullptr ? focus : dialog, WM_KEYDOWN, key, 1, 0, {}};
    if (IsDialogMessageW(dialog, &down) == FALSE) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
}

void PressAccessKey(HWND dialog, wchar_t letter) {
    HWND focus = GetFocus();
    // Bit 29: Alt is down.
    MSG character{focus != nullptr ? focus : dialog, WM_SYSCHAR, letter, 1 | (1 << 29), 0, {}};
    if (IsDialogMessageW(dialog, &character) == FALSE) {
        DispatchMessageW(&character);
    }
}

}  // namespace quellix::test
