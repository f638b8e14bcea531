#include "gui/win32/logview/log_viewer_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "gui/win32/common/resource_ids.h"
#include "gui/win32/common/system_font.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

// IDI_APPLICATION and IDC_ARROW, in their wide form.
const wchar_t* const kApplicationIcon = MAKEINTRESOURCEW(32512);
const wchar_t* const kArrowCursor = MAKEINTRESOURCEW(32512);

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr UINT kRemoveItem = 1;
constexpr UINT kCancelItem = 2;
// Room left between a date and the next column.
constexpr int kColumnGap = 4;

HICON ProgramIcon(int size) {
    auto* icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(QUELLIX_ICON_PROGRAM), IMAGE_ICON,
                                               size, size, LR_DEFAULTCOLOR | LR_SHARED));
    return icon != nullptr ? icon : LoadIconW(nullptr, kApplicationIcon);
}

SIZE TextSize(HWND window, HFONT font, const std::wstring& text) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size;
}

// The system's font; the columns are 64 pixels apart, so a larger one is brought down until a
// date fits.
HFONT CreateDateFont(HWND window) {
    HFONT font = CreateSystemDialogFont(window);
    const int room = Scaled(window, kColumnMarkerLefts[0] - LogLabelPlace(0).left - kColumnGap);
    const int wide = TextSize(window, font, L"0000-00-00").cx;
    if (wide <= room) {
        return font;
    }
    LOGFONTW logical{};
    GetObjectW(font, sizeof(logical), &logical);
    DeleteObject(font);
    logical.lfHeight = MulDiv(logical.lfHeight, room, wide);
    return CreateFontIndirectW(&logical);
}

// Wide enough for the title: its text, the icon and the three caption buttons within the frame.
int WidthForTitle(HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == FALSE) {
        return 0;
    }
    HFONT caption = CreateFontIndirectW(&metrics.lfCaptionFont);
    const std::wstring title = platform::win32::Widen(TextOf(window));
    const int text = TextSize(window, caption, title).cx;
    DeleteObject(caption);
    return text + GetSystemMetrics(SM_CXSMICON) + 3 * metrics.iCaptionWidth +
           2 * GetSystemMetrics(SM_CXFIXEDFRAME) + Scaled(window, 24);
}

}  // namespace

const wchar_t* LogViewerWindow::ClassName() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &LogViewerWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, kArrowCursor);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
        windowClass.lpszClassName = L"QuellixLogViewer";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

LogViewerWindow::LogViewerWindow(const Settings& settings,
                                 std::function<bool(const std::string&)> open,
                                 LogViewerMainWindow main)
    : ControlView(std::string(LogViewerPresenter::kWindow)),
      presenter_(*this, settings, std::move(open), std::move(main)) {
    Create();
}

LogViewerWindow::~LogViewerWindow() {
    if (HWND window = Window()) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void LogViewerWindow::Create() {
    EnsureCommonControls();
    HWND window = CreateWindowExW(kExStyle, ClassName(), L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
    SetWindow(window);
    font_ = CreateDateFont(window);
    scroll_ = CreateWindowExW(0, WC_SCROLLBARW, L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0,
                              window, nullptr, GetModuleHandleW(nullptr), nullptr);
    Add("VScroll1", scroll_);
    RECT frame{0, 0, Scaled(window, kLogViewerWidth), Scaled(window, kLogViewerHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Each opening starts from a fresh window, as from a fresh listing: whatever state the last one
// was left in (minimized, scrolled) goes with it.
void LogViewerWindow::Recreate() {
    HWND old = Window();
    SetWindowLongPtrW(old, GWLP_USERDATA, 0);
    DestroyWindow(old);
    DeleteObject(font_);
    font_ = nullptr;
    dates_.clear();
    markers_.clear();
    scroll_ = nullptr;
    scrolled_ = 0;
    Create();
}

HWND LogViewerWindow::AddLabel(const std::string& name, const std::string& text, DWORD visible) {
    const std::wstring wide = platform::win32::Widen(text);
    HWND label = CreateWindowExW(0, WC_STATICW, wide.c_str(),
                                 WS_CHILD | SS_LEFT | SS_NOTIFY | SS_NOPREFIX | visible, 0, 0, 0, 0,
                                 Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const SIZE size = TextSize(label, font_, wide);
    SetWindowPos(label, nullptr, 0, 0, std::max<int>(Scaled(label, kLogLabelWidth), size.cx),
                 std::max<int>(Scaled(label, kLogLabelHeight), size.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Add(name, label);
    return label;
}

void LogViewerWindow::Place(const Label& label) const {
    SetWindowPos(label.handle, nullptr, Scaled(Window(), label.place.left),
                 Scaled(Window(), label.place.top - scrolled_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LogViewerWindow::SetDates(const std::vector<DateLabel>& dates,
                               const std::vector<LabelPlace>& markers) {
    for (const std::vector<Label>* group : {&dates_, &markers_}) {
        for (const Label& label : *group) {
            DestroyWindow(label.handle);
        }
    }
    dates_.clear();
    markers_.clear();
    scrolled_ = 0;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        markers_.push_back({AddLabel("Label" + std::to_string(i + 1), "", 0), markers[i], 0});
        Place(markers_.back());
    }
    for (const DateLabel& date : dates) {
        dates_.push_back({AddLabel("Label", date.date, WS_VISIBLE), date.place, date.colour});
        Place(dates_.back());
    }
    // Labels scrolled up pass under the bar.
    SetWindowPos(scroll_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void LogViewerWindow::SetDateColour(std::size_t index, Colour colour) {
    Label& date = dates_.at(index);
    date.colour = colour;
    InvalidateRect(date.handle, nullptr, TRUE);
}

void LogViewerWindow::HideDate(std::size_t index) {
    ShowWindow(dates_.at(index).handle, SW_HIDE);
}

void LogViewerWindow::MoveLabelsUp(int pixels) {
    // Moving keeps each label's visibility: removed dates and the markers stay hidden.
    scrolled_ += pixels;
    for (const std::vector<Label>* group : {&dates_, &markers_}) {
        for (const Label& label : *group) {
            Place(label);
        }
    }
}

void LogViewerWindow::ResetScroll(int maximum) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMax = maximum;
    SetScrollInfo(scroll_, SB_CTL, &info, TRUE);
}

void LogViewerWindow::SetScrollMaximum(int maximum) {
    if (scroll_ == nullptr) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    info.nMax = maximum;
    SetScrollInfo(scroll_, SB_CTL, &info, TRUE);
}

int LogViewerWindow::Height() const {
    RECT client{};
    GetClientRect(Window(), &client);
    return MulDiv(client.bottom, 96, Scaled(Window(), 96));
}

void LogViewerWindow::ShowRemovePopup(const std::string& removeItem,
                                      const std::string& cancelItem) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, kRemoveItem, platform::win32::Widen(removeItem).c_str());
    AppendMenuW(popup, MF_STRING, kCancelItem, platform::win32::Widen(cancelItem).c_str());
    chosen_ = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                       popupAt_.x, popupAt_.y, 0, Window(), nullptr));
    DestroyMenu(popup);
}

bool LogViewerWindow::IsShown() const {
    return IsWindowVisible(Window()) != FALSE;
}

void LogViewerWindow::ShowAtTopRight() {
    HWND window = Window();
    RECT frame{0, 0, Scaled(window, kLogViewerWidth), Scaled(window, kLogViewerHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = std::max<int>(frame.right - frame.left, WidthForTitle(window));
    const int height = frame.bottom - frame.top;
    // The corner of the free area: the task bar and the desktop's other bars are left alone.
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) == FALSE) {
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    SetWindowPos(window, HWND_TOPMOST, work.right - width, work.top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void LogViewerWindow::BringBack() {
    HWND window = Window();
    if (IsIconic(window) != FALSE) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

int LogViewerWindow::DateIndex(HWND label) const {
    for (std::size_t i = 0; i < dates_.size(); ++i) {
        if (dates_[i].handle == label) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void LogViewerWindow::OnScroll(WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(scroll_, SB_CTL, &info);
    int value = info.nPos;
    switch (request) {
        case SB_LINEUP:
        case SB_PAGEUP:
            value -= kLogScrollStep;
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
            value += kLogScrollStep;
            break;
        case SB_TOP:
            value = info.nMin;
            break;
        case SB_BOTTOM:
            value = info.nMax;
            break;
        case SB_THUMBPOSITION:
            value = info.nTrackPos;
            break;
        default:
            // Dragging the thumb moves nothing until it is released.
            return;
    }
    value = std::clamp(value, info.nMin, info.nMax);
    if (value == info.nPos) {
        return;
    }
    SetScrollPos(scroll_, SB_CTL, value, TRUE);
    presenter_.OnScrolled(value);
}

void LogViewerWindow::OnContextMenu(HWND target, LPARAM at) {
    const int index = DateIndex(target);
    if (index < 0) {
        return;
    }
    if (at == -1) {
        // From the keyboard: below the date.
        RECT place{};
        GetWindowRect(target, &place);
        popupAt_ = {place.left, place.bottom};
    } else {
        popupAt_ = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    }
    presenter_.OnDateRightClicked(static_cast<std::size_t>(index));
    if (std::exchange(chosen_, 0U) == kRemoveItem) {
        presenter_.OnRemoveChosen();
    }
}

LRESULT CALLBACK LogViewerWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<LogViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Dispatch(window, message, wParam, lParam);
}

LRESULT LogViewerWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == STN_CLICKED && lParam != 0) {
                const int index = DateIndex(reinterpret_cast<HWND>(lParam));
                if (index >= 0) {
                    presenter_.OnDateClicked(static_cast<std::size_t>(index));
                }
            }
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_CTLCOLORSTATIC: {
            auto* control = reinterpret_cast<HWND>(lParam);
            const int index = DateIndex(control);
            const std::optional<COLORREF> colour =
                index >= 0 ? std::optional<COLORREF>(static_cast<COLORREF>(
                                 dates_[static_cast<std::size_t>(index)].colour))
                           : ColourOf(control);
            if (!colour) {
                break;
            }
            auto* dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, *colour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_VSCROLL:
            if (scroll_ != nullptr && reinterpret_cast<HWND>(lParam) == scroll_) {
                OnScroll(LOWORD(wParam));
            }
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && scroll_ != nullptr) {
                const int bar = Scaled(window, kLogScrollBarWidth);
                SetWindowPos(scroll_, nullptr, LOWORD(lParam) - bar, 0, bar, HIWORD(lParam),
                             SWP_NOZORDER | SWP_NOACTIVATE);
                presenter_.OnResized();
            }
            return 0;
        case WM_CLOSE:
            Recreate();
            presenter_.OnClosed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quellix
