#include "gui/win32/common/control_view.h"

#include <commctrl.h>

#include "gui/win32/common/message_box.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

bool HasClass(HWND control, const wchar_t* name) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    return lstrcmpiW(className, name) == 0;
}

bool IsEdit(HWND control) {
    return HasClass(control, WC_EDITW);
}

bool IsCheckable(HWND control) {
    if (!HasClass(control, WC_BUTTONW)) {
        return false;
    }
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
}

constexpr const wchar_t* kNameProperty = L"QuellixControlName";

struct NameSearch {
    ATOM name;
    HWND found;
};

BOOL CALLBACK MatchName(HWND child, LPARAM search) {
    auto& wanted = *reinterpret_cast<NameSearch*>(search);
    if (static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(child, kNameProperty))) ==
        wanted.name) {
        wanted.found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindNamedControl(HWND window, std::string_view name) {
    NameSearch search{FindAtomW(platform::win32::Widen(name).c_str()), nullptr};
    if (search.name != 0) {
        EnumChildWindows(window, MatchName, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                         ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                                         ICC_TAB_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)done;
}

std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return platform::win32::Narrow(text);
}

void SetTextOf(HWND window, std::string_view text) {
    SetWindowTextW(window, platform::win32::Widen(text).c_str());
}

void ControlView::Add(std::string name, HWND control) {
    // One local atom per control name, kept for the program's life.
    const std::wstring wide = platform::win32::Widen(name);
    ATOM atom = FindAtomW(wide.c_str());
    if (atom == 0) {
        atom = AddAtomW(wide.c_str());
    }
    SetPropW(control, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)));
    controls_[std::move(name)] = control;
}

HWND ControlView::Find(std::string_view control) const {
    if (control == windowName_) {
        return window_;
    }
    const auto found = controls_.find(control);
    return found == controls_.end() ? nullptr : found->second;
}

std::string ControlView::NameOf(HWND control) const {
    for (const auto& [name, handle] : controls_) {
        if (handle == control) {
            return name;
        }
    }
    return {};
}

std::optional<COLORREF> ControlView::ColourOf(HWND control) const {
    const auto found = colours_.find(control);
    if (found == colours_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void ControlView::SetText(std::string_view control, std::string_view text) {
    if (HWND found = Find(control)) {
        SetTextOf(found, text);
        if (IsEdit(found)) {
            // As after typing: the caret after the text, so that the next key adds to it.
            SendMessageW(found, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        }
        // Long work lets no paint message through: a label follows it all the same.
        if (found != window_) {
            UpdateWindow(found);
        }
    }
}

std::string ControlView::Text(std::string_view control) const {
    HWND found = Find(control);
    return found == nullptr ? std::string() : TextOf(found);
}

void ControlView::SetChecked(std::string_view control, bool checked) {
    HWND found = Find(control);
    if (found != nullptr && IsCheckable(found)) {
        SendMessageW(found, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

bool ControlView::IsChecked(std::string_view control) const {
    HWND found = Find(control);
    return found != nullptr && IsCheckable(found) &&
           SendMessageW(found, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ControlView::SetEnabled(std::string_view control, bool enabled) {
    if (HWND found = Find(control)) {
        EnableWindow(found, enabled ? TRUE : FALSE);
    }
}

void ControlView::SetVisible(std::string_view control, bool visible) {
    if (HWND found = Find(control)) {
        ShowWindow(found, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void ControlView::SetTextColour(std::string_view control, std::optional<Colour> colour) {
    HWND found = Find(control);
    if (found == nullptr) {
        return;
    }
    if (colour) {
        // Colours are kept as Windows keeps them: 0x00BBGGRR.
        colours_[found] = static_cast<COLORREF>(*colour);
    } else {
        colours_.erase(found);
    }
    InvalidateRect(found, nullptr, TRUE);
}

void ControlView::SetFocus(std::string_view control) {
    HWND found = Find(control);
    if (found == nullptr) {
        return;
    }
    // In a dialog, through the dialog manager, so that the default button follows.
    if (window_ != nullptr && GetParent(found) == window_ &&
        GetClassLongPtrW(window_, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG)) {
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(found), TRUE);
    } else {
        ::SetFocus(found);
    }
}

void ControlView::Close(bool accepted) {
    if (close_) {
        close_(accepted);
    } else if (window_ != nullptr) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
}

MessageAnswer ControlView::ShowMessage(const MessageRequest& request) {
    return MessageBoxes::Show(window_, request);
}

}  // namespace quellix
