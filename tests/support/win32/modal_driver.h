#pragma once

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace quellix::test {

// Acts on the modal windows that a call opens (dialogs, message boxes, the folder browser,
// popup menus' owners), one script each, in order, from a thread timer that runs inside their
// modal loops. A window still open when the scripts are used up or the time limit passes is
// cancelled, and the test fails instead of hanging.
class ModalDriver {
  public:
    using Script = std::function<void(HWND window)>;

    ModalDriver& Then(Script script);
    // Runs open (which returns once its windows are closed) under the scripts.
    void Run(const std::function<void()>& open,
             std::chrono::milliseconds limit = std::chrono::seconds(10));

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::deque<Script> scripts_;
    std::deque<HWND> handled_;
    std::chrono::steady_clock::time_point deadline_;
    bool expired_ = false;
};

// A control of a window by its name; fails the test when there is none.
HWND Named(HWND window, std::string_view name);
std::string TextOf(HWND window, std::string_view control);
// Types text into an edit as a user replacing its content would (one change per character).
void Type(HWND edit, std::string_view text);
// A button's click, as the mouse gives it.
void Click(HWND window, std::string_view button);
bool IsChecked(HWND window, std::string_view control);
// An up-down control's arrow.
void Step(HWND window, std::string_view upDown, bool up);
// A key pressed in a dialog as the dialog manager sees it (VK_RETURN, VK_ESCAPE, VK_TAB).
void PressKey(HWND dialog, WPARAM key);
// Alt and a letter in a dialog: the control whose caption underlines it.
void PressAccessKey(HWND dialog, wchar_t letter);

}  // namespace quellix::test
