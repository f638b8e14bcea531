#include "gui/win32/mainwindow/loading_window.h"

#include <commctrl.h>

#include "gui/win32/common/control_view.h"
#include "gui/win32/common/system_font.h"

namespace quellix {

namespace {

const wchar_t* LoadingClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = WaitCursor();
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"QuellixLoadingWindow";
        RegisterClassExW(&windowClass);
        return L"QuellixLoadingWindow";
    }();
    return name;
}

// Lets the window show what it was just given: start-up runs no message loop yet.
void PaintNow(HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    UpdateWindow(window);
}

}  // namespace

LoadingWindow::LoadingWindow() {
    // A caption and no buttons: start-up cannot be closed halfway.
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, LoadingClass(), L"", WS_POPUP | WS_CAPTION, 0, 0,
                              10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    font_ = CreateSystemDialogFont(window_);
    bold_ = CreateSystemDialogFont(window_, true);
    const DWORD labelStyle = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX;
    const int width = Scaled(window_, 320);
    message_ =
        CreateWindowExW(0, WC_STATICW, L"", labelStyle, 0, Scaled(window_, 18), width,
                        Scaled(window_, 22), window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    counter_ =
        CreateWindowExW(0, WC_STATICW, L"", labelStyle, 0, Scaled(window_, 46), width,
                        Scaled(window_, 18), window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(message_, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    SendMessageW(counter_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    RECT client{0, 0, width, Scaled(window_, 82)};
    AdjustWindowRectEx(&client, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int outerWidth = client.right - client.left;
    const int outerHeight = client.bottom - client.top;
    SetWindowPos(window_, nullptr, (work.left + work.right - outerWidth) / 2,
                 (work.top + work.bottom - outerHeight) / 2, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LoadingWindow::~LoadingWindow() {
    DestroyWindow(window_);
    DeleteObject(font_);
    DeleteObject(bold_);
}

void LoadingWindow::ShowLoadingWindow(std::string_view caption) {
    SetTextOf(window_, caption);
    ShowWindow(window_, SW_SHOW);
    PaintNow(window_);
}

void LoadingWindow::SetLoadingMessage(std::string_view text) {
    SetTextOf(message_, text);
    PaintNow(window_);
}

void LoadingWindow::SetLoadingCounter(std::string_view text) {
    SetTextOf(counter_, text);
    PaintNow(window_);
}

void LoadingWindow::HideLoadingWindow() {
    ShowWindow(window_, SW_HIDE);
}

}  // namespace quellix
