#include "gui/win32/mainwindow/purge_preview_window.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/win32/common/dialog_template.h"
#include "gui/win32/common/system_font.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

// The layout in dialog units; the window may then be resized, the list taking the room.
constexpr short kWidth = 520;
constexpr short kHeight = 230;
constexpr int kMargin = 7;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 16;
constexpr int kTotalsHeight = 20;
// Column widths at 96 DPI.
constexpr int kColumnWidths[kPreviewColumnCount] = {190, 400, 80, 110, 200};

DialogTemplate PreviewLayout() {
    DialogTemplate layout(kWidth, kHeight);
    layout.Add("lstApercu", WC_LISTVIEWW,
               LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kMargin,
               kMargin, kWidth - 2 * kMargin, 170);
    layout.Add("lblTotaux", WC_STATICW, SS_LEFT | SS_NOPREFIX, kMargin, 182,
               kWidth - 2 * kMargin - kButtonWidth - kMargin, kTotalsHeight);
    layout.Button("cmdFermer", kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight,
                  kButtonWidth, kButtonHeight, IDCANCEL, true);
    return layout;
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

PurgePreviewWindow::PurgePreviewWindow(const Settings& settings, HWND owner)
    : ControlView(std::string(PurgePreviewPresenter::kWindow)), presenter_(*this, settings) {
    EnsureCommonControls();
    SetCloser([this](bool) { ShowWindow(Window(), SW_HIDE); });
    const DialogTemplate layout = PreviewLayout();
    const std::vector<WORD> words = layout.Build();
    HWND dialog = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
        &PurgePreviewWindow::Procedure, reinterpret_cast<LPARAM>(this));
    for (const DialogTemplate::Control& control : layout.Controls()) {
        Add(control.name, GetDlgItem(dialog, control.id));
    }
    list_ = Find("lstApercu");
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    // A window to keep open beside the main one: resizable, with its minimize and maximize boxes.
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    SetWindowLongPtrW(dialog, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(DS_MODALFRAME)) | WS_THICKFRAME |
                          WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client{};
    GetClientRect(dialog, &client);
    PlaceControls(client.right, client.bottom);
}

PurgePreviewWindow::~PurgePreviewWindow() {
    if (HWND dialog = Window()) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        DestroyWindow(dialog);
    }
}

void PurgePreviewWindow::PlaceControls(int width, int height) {
    HWND dialog = Window();
    if (list_ == nullptr) {
        return;
    }
    // Dialog units in pixels, at the window's font and DPI.
    RECT unit{kMargin, kButtonHeight, kButtonWidth, kTotalsHeight};
    MapDialogRect(dialog, &unit);
    const int margin = unit.left;
    const int buttonHeight = unit.top;
    const int buttonWidth = unit.right;
    const int totalsHeight = unit.bottom;
    const int bottom = height - margin;
    SetWindowPos(Find("cmdFermer"), nullptr, width - margin - buttonWidth, bottom - buttonHeight,
                 buttonWidth, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    const int totalsTop = bottom - totalsHeight;
    SetWindowPos(Find("lblTotaux"), nullptr, margin, totalsTop,
                 std::max(width - 3 * margin - buttonWidth, 0), totalsHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(list_, nullptr, margin, margin, std::max(width - 2 * margin, 0),
                 std::max(totalsTop - 2 * margin, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PurgePreviewWindow::AddRow(const std::vector<std::string>& cells, std::string tip) {
    const int row = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    const std::wstring first = platform::win32::Widen(cells.at(0));
    item.pszText = const_cast<wchar_t*>(first.c_str());
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t column = 1; column < cells.size(); ++column) {
        SetCell(list_, row, static_cast<int>(column), platform::win32::Widen(cells[column]));
    }
    tips_.push_back(platform::win32::Widen(tip));
}

// The list has no groups of its own: an entry's heading is two rows of the File column, the
// widest, its path then its summary, above the entry's rows.
void PurgePreviewWindow::ShowTable(const PreviewCells& headers,
                                   const std::vector<PreviewGroup>& groups) {
    for (std::size_t column = 0; column < headers.size(); ++column) {
        const std::wstring text = platform::win32::Widen(headers[column]);
        LVCOLUMNW definition{};
        definition.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        definition.fmt =
            column == static_cast<std::size_t>(PreviewColumn::Size) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        definition.cx = Scaled(list_, kColumnWidths[column]);
        definition.pszText = const_cast<wchar_t*>(text.c_str());
        if (columnsMade_) {
            // The widths the user gave stay.
            definition.mask &= ~static_cast<UINT>(LVCF_WIDTH);
            SendMessageW(list_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&definition));
        } else {
            SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&definition));
        }
    }
    columnsMade_ = true;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    tips_.clear();
    constexpr auto kFile = static_cast<std::size_t>(PreviewColumn::File);
    for (const PreviewGroup& group : groups) {
        std::vector<std::string> heading(kPreviewColumnCount);
        heading[kFile] = group.path;
        AddRow(heading, group.heading);
        heading[kFile] = group.summary;
        AddRow(heading, group.heading);
        for (const PreviewRow& row : group.rows) {
            AddRow({row.cells.begin(), row.cells.end()}, row.cells[kFile]);
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void PurgePreviewWindow::ShowSortMark(std::optional<PreviewColumn> column, bool ascending) {
    auto* header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    for (std::size_t at = 0; at < kPreviewColumnCount; ++at) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, at, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column && static_cast<std::size_t>(*column) == at) {
            item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, at, reinterpret_cast<LPARAM>(&item));
    }
}

void PurgePreviewWindow::ShowInFront() {
    HWND dialog = Window();
    ShowWindow(dialog, IsIconic(dialog) != FALSE ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(dialog);
}

INT_PTR CALLBACK PurgePreviewWindow::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<PurgePreviewWindow*>(lParam)->SetWindow(dialog);
    }
    auto* self = reinterpret_cast<PurgePreviewWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self == nullptr ? FALSE : self->Dispatch(message, wParam, lParam);
}

INT_PTR PurgePreviewWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_NCDESTROY:
            // Gone with its owner, when the main window goes first.
            SetWindow(nullptr);
            return FALSE;
        case WM_COMMAND:
            // Close, Escape, Enter and the close box.
            if (LOWORD(wParam) == IDCANCEL) {
                presenter_.OnClose();
            }
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                PlaceControls(LOWORD(lParam), HIWORD(lParam));
            }
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom != list_) {
                return FALSE;
            }
            if (header.code == LVN_COLUMNCLICK) {
                const auto& click = *reinterpret_cast<const NMLISTVIEW*>(lParam);
                presenter_.OnHeaderClicked(static_cast<PreviewColumn>(click.iSubItem));
            } else if (header.code == LVN_GETINFOTIPW) {
                auto& tip = *reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
                const auto row = static_cast<std::size_t>(tip.iItem);
                if (row < tips_.size() && tip.cchTextMax > 0) {
                    const std::wstring& text = tips_[row];
                    const std::size_t length =
                        std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
                    std::copy_n(text.c_str(), length, tip.pszText);
                    tip.pszText[length] = L'\0';
                }
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace quellix
