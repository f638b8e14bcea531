#include "gui/win32/mainwindow/main_window.h"

#include <windowsx.h>

#include <algorithm>

#include "core/mainwindow/caption_texts.h"
#include "core/mainwindow/main_window_rules.h"
#include "gui/win32/common/message_box.h"
#include "gui/win32/common/resource_ids.h"
#include "gui/win32/common/system_font.h"
#include "gui/win32/mainwindow/win32_dialog_opener.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

// Places of the controls above the grid, at 96 DPI.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kGridTop = 72;
constexpr int kPictureSize = 22;
constexpr int kNarrowColumnWidth = 70;
constexpr int kStatusLeft = kMargin * 4 + kButtonWidth * 2;

constexpr UINT_PTR kTimerId = 1;
// Sent to itself once a minimize is over.
constexpr UINT kMinimizedMessage = WM_APP + 2;

enum ControlId : int {
    kStart = 101,
    kStop,
    kImmediate,
    kBusy,
    kStatus,
    kMode,
    kPurgeTime,
    kLastPurge,
    kHint,
    kGrid,
};

// The notification-area icon with the program's picture, reporting to the window.
class WindowTray final : public TrayView {
  public:
    WindowTray(TrayIcon& icon, HWND window, HICON picture)
        : icon_(icon), window_(window), picture_(picture) {}
    bool Available() const override { return icon_.Available(); }
    void Show(std::string_view tip) override {
        tip_ = std::string(tip);
        shown_ = true;
        icon_.Show(window_, picture_, tip_);
    }
    void Remove() override {
        shown_ = false;
        icon_.Remove();
    }
    // Explorer started again: its notification area has forgotten the icon.
    void ShowAgain() {
        if (shown_) {
            icon_.Show(window_, picture_, tip_);
        }
    }

  private:
    TrayIcon& icon_;
    HWND window_;
    HICON picture_;
    std::string tip_;
    bool shown_ = false;
};

SIZE TextExtent(HWND control) {
    const std::wstring text = platform::win32::Widen(TextOf(control));
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

// The program is left through File > Exit or the tray menu, where it asks first: the system menu
// loses Close and the separator before it, which greys the title bar's close box and leaves
// Alt+F4 without effect.
void RemoveCloseCommand(HWND window) {
    HMENU system = GetSystemMenu(window, FALSE);
    RemoveMenu(system, SC_CLOSE, MF_BYCOMMAND);
    const int last = GetMenuItemCount(system) - 1;
    if (last >= 0 &&
        (GetMenuState(system, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR) != 0) {
        RemoveMenu(system, static_cast<UINT>(last), MF_BYPOSITION);
    }
    DrawMenuBar(window);
}

}  // namespace

const wchar_t* MainWindow::ClassName() {
    static const wchar_t* name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &MainWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = ArrowCursor();
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"QuellixMainWindow";
        RegisterClassExW(&windowClass);
        return L"QuellixMainWindow";
    }();
    return name;
}

MainWindow::MainWindow(MainWindowParts parts)
    : ControlView("frmPurgeNN"),
      grid_(parts.context.program.folders, parts.context.program.settings),
      trayIcon_(parts.tray) {
    EnsureCommonControls();
    // WS_EX_CONTROLPARENT: Tab walks the controls, as in a dialog.
    HWND window = CreateWindowExW(
        WS_EX_CONTROLPARENT, ClassName(), L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
        CW_USEDEFAULT, 900, 520, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    SetWindow(window);
    SetCloser([this](bool) { ShowWindow(Handle(), SW_HIDE); });
    programIcon_ = Icon(QUELLIX_ICON_PROGRAM, GetSystemMetrics(SM_CXICON));
    smallIcon_ = Icon(QUELLIX_ICON_PROGRAM, GetSystemMetrics(SM_CXSMICON));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon_));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    menus_.AttachTo(window);
    RemoveCloseCommand(window);
    BuildControls();
    for (const CaptionEntry& entry : kFixedCaptions) {
        SetText(entry.control, entry.text.english);
    }
    tray_ = std::make_unique<WindowTray>(trayIcon_, window,
                                         Icon(QUELLIX_ICON_TRAY, GetSystemMetrics(SM_CXSMICON)));
    dialogs_ = std::make_unique<Win32DialogOpener>(
        window,
        Win32DialogOpener::Context{parts.context.program, parts.context.service, parts.countFiles,
                                   parts.context.open, [this] { ShowMinimized(); },
                                   [this] { Restore(); }, [this] { return IsShownToUser(); }});
    presenter_ =
        std::make_unique<MainWindowPresenter>(*this, *tray_, *dialogs_, std::move(parts.context));
}

MainWindow::~MainWindow() {
    presenter_.reset();
    dialogs_.reset();
    if (Handle() != nullptr) {
        // Destroyed here: no message reaches a half-destroyed object.
        SetWindowLongPtrW(Handle(), GWLP_USERDATA, 0);
        DestroyWindow(Handle());
    }
    for (HICON icon : hourglass_) {
        DestroyIcon(icon);
    }
    for (HICON icon : {refresh_, rise_, fall_, programIcon_, smallIcon_}) {
        DestroyIcon(icon);
    }
    DeleteObject(font_);
    DeleteObject(bold_);
}

HICON MainWindow::Icon(int id, int size) const {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HWND MainWindow::AddControl(const char* name, const wchar_t* windowClass, DWORD style, int id) {
    HWND control = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                   Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    Add(name, control);
    return control;
}

void MainWindow::BuildControls() {
    HWND window = Handle();
    // Creation order is the Tab order: Start, Stop, the immediate box, the grid.
    AddControl("cmdDemarrer", WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kStart);
    AddControl("cmdArreter", WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kStop);
    AddControl("chkPurgeImmediate", WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
               kImmediate);
    AddControl("imgRefresh", WC_STATICW, SS_ICON | SS_REALSIZEIMAGE, kBusy);
    AddControl("lblMaj", WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, kStatus);
    AddControl("lblMode", WC_STATICW, SS_LEFT | SS_CENTERIMAGE, kMode);
    // One line each, as wide as their texts: a wrapping label may move a word that does not
    // quite fit to a line below, out of sight. The purge time opens its dialog when clicked.
    AddControl("lblHeurePurge", WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY,
               kPurgeTime);
    AddControl("lblDernierePurge", WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLastPurge);
    ShowWindow(AddControl("lblBulle", WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, kHint), SW_HIDE);
    rise_ = Icon(QUELLIX_ICON_RISE, Scaled(window, 16));
    fall_ = Icon(QUELLIX_ICON_FALL, Scaled(window, 16));
    Add("flexList", grid_.Create(window, kGrid, rise_, fall_));
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ApplyScale();
}

// Fonts, pictures and the places of the controls above the grid, at the window's DPI: at
// creation, and again when the window moves to a screen of another scale.
void MainWindow::ApplyScale() {
    HWND window = Handle();
    const auto at = [window](int pixels) { return Scaled(window, pixels); };
    HFONT oldFont = font_;
    HFONT oldBold = bold_;
    font_ = CreateSystemDialogFont(window);
    bold_ = CreateSystemDialogFont(window, true);
    for (const char* name : {"cmdDemarrer", "cmdArreter", "chkPurgeImmediate", "lblMaj",
                             "lblHeurePurge", "lblDernierePurge"}) {
        SendMessageW(Find(name), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    for (const char* name : {"lblMode", "lblBulle"}) {
        SendMessageW(Find(name), WM_SETFONT, reinterpret_cast<WPARAM>(bold_), TRUE);
    }
    DeleteObject(oldFont);
    DeleteObject(oldBold);

    const int pictureSize = at(kPictureSize);
    HWND busy = Find("imgRefresh");
    const auto shown = reinterpret_cast<HICON>(SendMessageW(busy, STM_GETICON, 0, 0));
    int frame = -1;
    for (std::size_t i = 0; i < hourglass_.size(); ++i) {
        frame = hourglass_[i] == shown ? static_cast<int>(i) : frame;
    }
    HICON oldRefresh = refresh_;
    std::array<HICON, 10> oldFrames = hourglass_;
    refresh_ = Icon(QUELLIX_ICON_REFRESH, pictureSize);
    for (int i = 0; i < 10; ++i) {
        hourglass_[static_cast<std::size_t>(i)] = Icon(QUELLIX_ICON_HOURGLASS + i, pictureSize);
    }
    SendMessageW(busy, STM_SETICON,
                 reinterpret_cast<WPARAM>(frame < 0 ? refresh_
                                                    : hourglass_[static_cast<std::size_t>(frame)]),
                 0);
    DestroyIcon(oldRefresh);
    for (HICON icon : oldFrames) {
        DestroyIcon(icon);
    }

    const auto place = [this](const char* name, int x, int y, int width, int height) {
        SetWindowPos(Find(name), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place("cmdDemarrer", at(kMargin), at(kMargin), at(kButtonWidth), at(kButtonHeight));
    place("cmdArreter", at(kMargin * 2 + kButtonWidth), at(kMargin), at(kButtonWidth),
          at(kButtonHeight));
    place("chkPurgeImmediate", at(kMargin), at(kMargin * 2 + kButtonHeight),
          at(kButtonWidth * 2 + kMargin), at(kButtonHeight - 4));
    place("imgRefresh", at(kStatusLeft), at(kMargin + 3), pictureSize, pictureSize);
    place("lblMaj", at(kStatusLeft + kPictureSize + 6), at(kMargin + 3), at(260), pictureSize);
    place("lblMode", at(kStatusLeft), at(kMargin * 2 + kButtonHeight), at(120),
          at(kButtonHeight - 4));
    // The labels on the right get their width and left edge from Relayout.
    place("lblHeurePurge", 0, at(kMargin + 4), 10, 10);
    place("lblDernierePurge", 0, at(kMargin * 2 + kButtonHeight + 2), 10, 10);
    // On the purge time's row, which holds nothing else on its left when the hint shows.
    place("lblBulle", 0, at(kMargin + 4), 10, 10);
    place("flexList", 0, at(kGridTop), 100, 100);
    narrowColumnWidth_ = NarrowColumnWidth();
    Relayout();
}

void MainWindow::SetText(std::string_view control, std::string_view text) {
    if (menus_.Has(control)) {
        menus_.SetText(control, text);
        return;
    }
    ControlView::SetText(control, text);
    if (control == "lblHeurePurge" || control == "lblDernierePurge" || control == "lblBulle") {
        Relayout();
    }
}

std::string MainWindow::Text(std::string_view control) const {
    return menus_.Has(control) ? menus_.Text(control) : ControlView::Text(control);
}

void MainWindow::SetChecked(std::string_view control, bool checked) {
    if (menus_.Has(control)) {
        menus_.SetChecked(control, checked);
    } else {
        ControlView::SetChecked(control, checked);
    }
}

bool MainWindow::IsChecked(std::string_view control) const {
    return menus_.Has(control) ? menus_.IsChecked(control) : ControlView::IsChecked(control);
}

void MainWindow::SetEnabled(std::string_view control, bool enabled) {
    if (menus_.Has(control)) {
        menus_.SetEnabled(control, enabled);
    } else {
        ControlView::SetEnabled(control, enabled);
    }
}

void MainWindow::SetVisible(std::string_view control, bool visible) {
    if (menus_.Has(control)) {
        menus_.SetVisible(control, visible);
        return;
    }
    ControlView::SetVisible(control, visible);
    // Every control of the top rows decides how narrow the window may get.
    if (control != "flexList") {
        Relayout();
    }
}

void MainWindow::SetToolTip(std::string_view control, std::string_view text) {
    HWND found = Find(control);
    if (found == nullptr || tooltips_ == nullptr) {
        return;
    }
    std::wstring wide = platform::win32::Widen(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(found);
    tool.lpszText = wide.data();
    TOOLINFOW known = tool;
    known.lpszText = nullptr;
    const bool exists =
        SendMessageW(tooltips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)) != FALSE;
    SendMessageW(tooltips_, exists ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::ShowHourglassFrame(int frame) {
    const auto index = static_cast<std::size_t>(std::clamp(frame, 0, 9));
    HWND busy = Find("imgRefresh");
    SendMessageW(busy, STM_SETICON, reinterpret_cast<WPARAM>(hourglass_[index]), 0);
    UpdateWindow(busy);
}

void MainWindow::SetTimerRunning(bool running) {
    if (running) {
        SetTimer(Handle(), kTimerId, 1000, nullptr);
    } else {
        KillTimer(Handle(), kTimerId);
    }
}

void MainWindow::RefreshGrid() {
    grid_.Refresh();
    // Measured once per change of the list, not at every size change: it reads every cell.
    narrowColumnWidth_ = NarrowColumnWidth();
    Relayout();
}

int MainWindow::CurrentRow() const {
    return grid_.CurrentRow();
}

void MainWindow::ShowRow(std::size_t row) {
    grid_.ShowRow(row);
}

void MainWindow::PopUpContextMenu() {
    PopUp(menus_.Context(), popupAt_);
}

void MainWindow::PopUp(HMENU menu, POINT at) {
    // In front first, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    const UINT command =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
    if (command != 0) {
        presenter_->OnCommand(menus_.ItemOf(command));
    }
}

void MainWindow::SetBusyCursor(bool busy) {
    busyCursor_ = std::max(0, busyCursor_ + (busy ? 1 : -1));
    // Shown at once, not at the next mouse move.
    SetCursor(busyCursor_ > 0 ? WaitCursor() : ArrowCursor());
}

void MainWindow::SetStartsMinimized(bool minimized) {
    startsMinimized_ = minimized;
}

void MainWindow::ShowMaximized() {
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    UpdateWindow(Handle());
}

void MainWindow::ShowMinimized() {
    ShowWindow(Handle(), SW_SHOWMINIMIZED);
}

void MainWindow::Restore() {
    if (IsIconic(Handle()) || !IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    }
    SetForegroundWindow(Handle());
    ::SetFocus(Handle());
}

void MainWindow::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool MainWindow::IsShownToUser() const {
    return IsWindowVisible(Handle()) != FALSE && IsIconic(Handle()) == FALSE;
}

void MainWindow::Relayout() {
    HWND window = Handle();
    RECT inner{};
    GetClientRect(window, &inner);
    RECT outer{};
    GetWindowRect(window, &outer);
    HWND purgeTime = Find("lblHeurePurge");
    HWND lastPurge = Find("lblDernierePurge");
    HWND hint = Find("lblBulle");
    HWND start = Find("cmdDemarrer");
    if (purgeTime == nullptr || grid_.Handle() == nullptr) {
        return;
    }
    // Labels as wide as their texts.
    for (HWND label : {purgeTime, lastPurge, hint}) {
        const SIZE size = TextExtent(label);
        SetWindowPos(label, nullptr, 0, 0, size.cx + 2, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    const auto widthOf = [](HWND control) {
        RECT area{};
        GetWindowRect(control, &area);
        return static_cast<int>(area.right - area.left);
    };
    const auto placeOf = [window](HWND control) {
        RECT area{};
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        return area;
    };
    // The right edge of the controls a row shows on its left, at the places they keep.
    const auto leftEnd = [&](std::initializer_list<const char*> names) {
        LONG end = 0;
        for (const char* name : names) {
            HWND control = Find(name);
            if (control != nullptr && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0) {
                end = std::max(end, placeOf(control).right);
            }
        }
        return static_cast<int>(end);
    };
    const auto shown = [](HWND control) {
        return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    };
    ResizeInput input{static_cast<int>(inner.right),
                      static_cast<int>(inner.bottom),
                      static_cast<int>(outer.right - outer.left),
                      static_cast<int>(placeOf(grid_.Handle()).top),
                      static_cast<int>(placeOf(start).left),
                      widthOf(purgeTime),
                      widthOf(lastPurge),
                      widthOf(hint),
                      narrowColumnWidth_};
    input.purgeTimeLabelShown = shown(purgeTime);
    input.hintShown = shown(hint);
    input.firstRowLeftEnd = leftEnd({"cmdDemarrer", "cmdArreter", "imgRefresh", "lblMaj"});
    input.secondRowLeftEnd = leftEnd({"chkPurgeImmediate", "lblMode"});
    input.gridContentHeight = grid_.ContentHeight();
    input.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    input.wideColumnMinimum =
        std::max(grid_.HeaderWidth(kPathColumn), grid_.HeaderWidth(kActionColumn));
    const ResizeLayout layout = ComputeResizeLayout(input);
    minimumInnerWidth_ = layout.minimumInnerWidth;
    if (layout.gridWidth && layout.gridHeight) {
        SetWindowPos(grid_.Handle(), nullptr, 0, placeOf(grid_.Handle()).top, *layout.gridWidth,
                     *layout.gridHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const auto moveLeft = [&](HWND label, const std::optional<int>& left) {
        if (left) {
            SetWindowPos(label, nullptr, *left, placeOf(label).top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    moveLeft(purgeTime, layout.purgeTimeLabelLeft);
    moveLeft(lastPurge, layout.lastPurgeLabelLeft);
    moveLeft(hint, layout.hintLabelLeft);
    for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
        if (const auto width = layout.columnWidths[column]) {
            grid_.SetColumnWidth(column, *width);
        }
    }
    InvalidateRect(window, nullptr, TRUE);
}

int MainWindow::NarrowColumnWidth() const {
    // 1050 twips fitted these texts in the small system font of old; a larger font gets the
    // room its widest header or cell needs, the same for the four columns.
    int width = Scaled(Handle(), kNarrowColumnWidth);
    for (const std::size_t column :
         {kFileCountColumn, kRetentionColumn, kSubfoldersColumn, kDateColumn}) {
        width = std::max(width, grid_.NeededWidth(column));
    }
    return width;
}

void MainWindow::OnControlCommand(int id, WORD notification) {
    switch (id) {
        case kStart:
            presenter_->OnStart();
            break;
        case kStop:
            presenter_->OnStop();
            break;
        case kImmediate:
            if (notification == BN_CLICKED) {
                presenter_->OnImmediateClicked(ControlView::IsChecked("chkPurgeImmediate"));
            }
            break;
        case kPurgeTime:
            if (notification == STN_CLICKED) {
                presenter_->OnPurgeTimeClicked();
            }
            break;
        default:
            break;
    }
}

bool MainWindow::OnNotify(const NMHDR& header, LRESULT* result) {
    if (grid_.OnNotify(header, result)) {
        return true;
    }
    if (header.hwndFrom != grid_.Handle()) {
        return false;
    }
    switch (header.code) {
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
                presenter_->OnGridDoubleClicked();
            }
            break;
        case NM_RCLICK:
            GetCursorPos(&popupAt_);
            presenter_->OnContextMenu();
            break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
                presenter_->OnDeleteKey();
            }
            break;
        default:
            return false;
    }
    *result = 0;
    return true;
}

void MainWindow::OnTrayMessage(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP) {
        presenter_->OnTrayLeftClick();
    } else if (mouseMessage == WM_RBUTTONUP) {
        POINT at{};
        GetCursorPos(&at);
        PopUp(menus_.Tray(), at);
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->presenter_ == nullptr) {
        // Before the presenter exists: sizes and creation only.
        if (self != nullptr && message == WM_SIZE) {
            self->Relayout();
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT MainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = Handle();
    switch (message) {
        case WM_SIZE:
            Relayout();
            if (wParam == SIZE_MINIMIZED) {
                // Left to the presenter once the state change is over.
                PostMessageW(window, kMinimizedMessage, 0, 0);
            }
            return 0;
        case WM_GETMINMAXINFO: {
            // The top rows' texts never meet: the window gets no narrower than they need.
            RECT frame{0, 0, minimumInnerWidth_, 0};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), TRUE,
                               static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = std::max(limits->ptMinTrackSize.x, frame.right - frame.left);
            return 0;
        }
        case kMinimizedMessage:
            if (IsIconic(window)) {
                presenter_->OnMinimized();
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                presenter_->OnActivated();
            }
            break;
        case WM_CLOSE:
            if (presenter_->OnCloseRequested()) {
                ShowWindow(window, SW_HIDE);
            }
            return 0;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0) {
                const std::string_view item = menus_.ItemOf(LOWORD(wParam));
                if (!item.empty()) {
                    presenter_->OnCommand(item);
                }
            } else {
                OnControlCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId) {
                presenter_->OnTimer();
            }
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) {
                return result;
            }
            break;
        }
        case WM_CONTEXTMENU:
            // The keyboard's menu key or Shift+F10 on the grid: the menu at its current row.
            if (reinterpret_cast<HWND>(wParam) == grid_.Handle() && GET_X_LPARAM(lParam) == -1) {
                RECT row{};
                const int current = grid_.CurrentRow();
                if (current < 0 ||
                    ListView_GetItemRect(grid_.Handle(), current, &row, LVIR_LABEL) == FALSE) {
                    GetClientRect(grid_.Handle(), &row);
                }
                popupAt_ = {row.left, row.bottom};
                ClientToScreen(grid_.Handle(), &popupAt_);
                presenter_->OnContextMenu();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (busyCursor_ > 0) {
                SetCursor(WaitCursor());
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (const auto colour = ColourOf(reinterpret_cast<HWND>(lParam))) {
                SetTextColor(reinterpret_cast<HDC>(wParam), *colour);
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyScale();
            return 0;
        }
        case kTrayMessage:
            OnTrayMessage(LOWORD(lParam));
            return 0;
        default:
            if (message == NotifyAreaIcon::TaskbarCreatedMessage()) {
                static_cast<WindowTray&>(*tray_).ShowAgain();
                return 0;
            }
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quellix
