#include "gui/win32/mainwindow/folder_grid.h"

#include <algorithm>

#include "core/mainwindow/captions.h"
#include "core/mainwindow/main_window_rules.h"
#include "gui/win32/common/system_font.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

constexpr int kRisePicture = 0;
constexpr int kFallPicture = 1;

// Paths read from the left; counts, retentions and flags are centred.
int ColumnFormat(std::size_t column) {
    return column == kPathColumn || column == kActionColumn ? LVCFMT_LEFT : LVCFMT_CENTER;
}

// The list's macros for texts pick the narrow messages in a build without UNICODE: the wide
// messages are sent by name.
int StringWidth(HWND list, const std::string& text) {
    const std::wstring wide = platform::win32::Widen(text);
    return static_cast<int>(
        SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

// A path narrowed to width by cutting its middle: its start and its last folder stay
// ("C:\Users\…\Downloads\"). The system's path ellipsis keeps only what follows the last "\",
// which for a folder ending in "\" is nothing.
std::wstring ElidedPath(HDC dc, const std::wstring& path, int width) {
    constexpr wchar_t kEllipsis[] = L"\u2026";
    if (TextWidth(dc, path) <= width || path.size() < 2) {
        return path;
    }
    const std::size_t lastName = path.find_last_of(L"\\/", path.size() - 2);
    if (lastName == std::wstring::npos) {
        return path;
    }
    const std::wstring tail = path.substr(lastName);
    for (std::size_t keep = lastName; keep > 0; --keep) {
        const std::wstring candidate = path.substr(0, keep) + kEllipsis + tail;
        if (TextWidth(dc, candidate) <= width) {
            return candidate;
        }
    }
    return kEllipsis + tail;
}

// Columns that hold paths: the folder, and the destination of a move.
bool IsPathColumn(std::size_t column) {
    return column == kPathColumn || column == kActionColumn;
}

// A list's header holds one line: the two lines of a header ("Total files", then the total) side
// by side.
std::wstring HeaderLine(const std::string& header) {
    std::wstring line = platform::win32::Widen(header);
    for (wchar_t& character : line) {
        if (character == L'\n') {
            character = L' ';
        }
    }
    return line;
}

}  // namespace

FolderGrid::FolderGrid(const FolderList& folders, const Settings& settings)
    : folders_(folders), settings_(settings) {}

FolderGrid::~FolderGrid() {
    if (pictures_ != nullptr) {
        ImageList_Destroy(pictures_);
    }
    DeleteObject(bold_);
    DeleteObject(headerFont_);
}

HWND FolderGrid::Create(HWND parent, int id, HICON rise, HICON fall) {
    list_ =
        CreateWindowExW(0, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                        0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                                 LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP |
                                                 LVS_EX_DOUBLEBUFFER);
    const int size = Scaled(list_, 16);
    pictures_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0);
    ImageList_AddIcon(pictures_, rise);
    ImageList_AddIcon(pictures_, fall);
    ListView_SetImageList(list_, pictures_, LVSIL_SMALL);
    bold_ = CreateSystemDialogFont(list_, true);
    HFONT normal = CreateSystemDialogFont(list_);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(normal), FALSE);
    headerFont_ = normal;
    for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
        LVCOLUMNW definition{};
        definition.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        definition.fmt = ColumnFormat(column);
        definition.cx = 70;
        definition.pszText = const_cast<wchar_t*>(L"");
        definition.iSubItem = static_cast<int>(column);
        SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&definition));
    }
    return list_;
}

void FolderGrid::Refresh() {
    const auto headers = FolderHeaderTexts(folders_, settings_.language());
    for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
        std::wstring text = HeaderLine(headers[column]);
        LVCOLUMNW definition{};
        definition.mask = LVCF_TEXT;
        definition.pszText = text.data();
        SendMessageW(list_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&definition));
    }
    // Keeps the current row and the scroll position.
    ListView_SetItemCountEx(list_, static_cast<int>(folders_.Size()),
                            LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, FALSE);
}

void FolderGrid::SetColumnWidth(std::size_t column, int width) {
    ListView_SetColumnWidth(list_, static_cast<int>(column), width);
}

int FolderGrid::NeededWidth(std::size_t column) const {
    const NarrowColumnTexts texts =
        NarrowColumnTextsOf(folders_, static_cast<FolderColumn>(column));
    const int margin = Scaled(list_, 14);
    int width = 0;
    for (const std::string& header : texts.headers) {
        width = std::max(width, static_cast<int>(SendMessageW(
                                    list_, LVM_GETSTRINGWIDTHW, 0,
                                    reinterpret_cast<LPARAM>(HeaderLine(header).c_str()))));
    }
    for (const std::string& cell : texts.cells) {
        width = std::max(width, StringWidth(list_, cell));
    }
    // Room for the trend picture in the count column.
    const int picture = column == kFileCountColumn ? Scaled(list_, 18) : 0;
    return width + margin + picture;
}

int FolderGrid::HeaderWidth(std::size_t column) const {
    const auto headers = FolderHeaderTexts(folders_, settings_.language());
    return static_cast<int>(
               SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0,
                            reinterpret_cast<LPARAM>(HeaderLine(headers[column]).c_str()))) +
           Scaled(list_, 14);
}

int FolderGrid::ContentHeight() const {
    RECT header{};
    GetWindowRect(ListView_GetHeader(list_), &header);
    RECT row{};
    const int rows = ListView_GetItemCount(list_);
    if (rows > 0) {
        ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS);
    }
    return static_cast<int>(header.bottom - header.top) +
           rows * static_cast<int>(row.bottom - row.top);
}

int FolderGrid::CurrentRow() const {
    return ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
}

void FolderGrid::ShowRow(std::size_t row) {
    const int index = static_cast<int>(row);
    ClearSelection();
    ListView_SetItemState(list_, index, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list_, index, FALSE);
}

void FolderGrid::ClearSelection() {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
}

void FolderGrid::FillCell(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= folders_.Size() ||
        item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= kFolderColumnCount) {
        return;
    }
    const FolderEntry& entry = folders_.Entries()[static_cast<std::size_t>(item.iItem)];
    const FolderCell cell =
        ComposeCell(entry, static_cast<FolderColumn>(item.iSubItem), settings_.language());
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        cellText_ = platform::win32::Widen(cell.text);
        lstrcpynW(item.pszText, cellText_.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = cell.style.trend == CountTrend::Rise   ? kRisePicture
                      : cell.style.trend == CountTrend::Fall ? kFallPicture
                                                             : I_IMAGENONE;
    }
}

// A path too long for its cell loses its middle, not its end: the folder's own name stays.
void FolderGrid::DrawPathCell(const NMLVCUSTOMDRAW& draw, const FolderCell& cell) const {
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT area{};
    ListView_GetSubItemRect(list_, row, draw.iSubItem, LVIR_LABEL, &area);
    COLORREF text = draw.clrText;
    COLORREF background = draw.clrTextBk;
    if (ListView_GetItemState(list_, row, LVIS_SELECTED) != 0) {
        const bool focused = GetFocus() == list_;
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        background = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    HDC dc = draw.nmcd.hdc;
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    const int margin = Scaled(list_, 6);
    area.left += margin;
    area.right -= margin;
    const std::wstring shown =
        ElidedPath(dc, platform::win32::Widen(cell.text), static_cast<int>(area.right - area.left));
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT FolderGrid::CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            if (row >= folders_.Size() || draw.iSubItem < 0) {
                return CDRF_DODEFAULT;
            }
            const FolderCell cell =
                ComposeCell(folders_.Entries()[row], static_cast<FolderColumn>(draw.iSubItem),
                            settings_.language());
            draw.clrText = cell.style.textColour ? static_cast<COLORREF>(*cell.style.textColour)
                                                 : GetSysColor(COLOR_WINDOWTEXT);
            draw.clrTextBk = cell.style.background ? static_cast<COLORREF>(*cell.style.background)
                                                   : GetSysColor(COLOR_WINDOW);
            SelectObject(draw.nmcd.hdc, cell.style.bold ? bold_ : headerFont_);
            if (IsPathColumn(static_cast<std::size_t>(draw.iSubItem))) {
                DrawPathCell(draw, cell);
                return CDRF_SKIPDEFAULT;
            }
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

bool FolderGrid::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.hwndFrom != list_) {
        return false;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            *result = 0;
            return true;
        case NM_CUSTOMDRAW:
            *result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
            return true;
        case LVN_GETINFOTIPW: {
            auto& tip = *reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header));
            // The tip names the column under the pointer: the list gives only the row.
            LVHITTESTINFO hit{};
            GetCursorPos(&hit.pt);
            ScreenToClient(list_, &hit.pt);
            ListView_SubItemHitTest(list_, &hit);
            std::string text;
            if (hit.iItem == tip.iItem && hit.iSubItem >= 0 &&
                static_cast<std::size_t>(tip.iItem) < folders_.Size()) {
                text = CellTooltip(folders_.Entries()[static_cast<std::size_t>(tip.iItem)],
                                   static_cast<FolderColumn>(hit.iSubItem), settings_.language());
            }
            if (tip.cchTextMax > 0) {
                lstrcpynW(tip.pszText, platform::win32::Widen(text).c_str(), tip.cchTextMax);
            }
            *result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace quellix
