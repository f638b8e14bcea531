#include "gui/win32/common/modal_dialog.h"

#include <commctrl.h>

namespace quellix {

ModalDialog::ModalDialog(std::string name) : view_(std::move(name)) {
    view_.SetCloser([this](bool accepted) { EndDialog(Handle(), accepted ? IDOK : IDCANCEL); });
}

bool ModalDialog::Run(HWND owner, const DialogTemplate& layout) {
    EnsureCommonControls();
    layout_ = &layout;
    const std::vector<WORD> words = layout.Build();
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
        &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    layout_ = nullptr;
    return result == IDOK;
}

void ModalDialog::OnCommand(std::string_view, WORD) {}

void ModalDialog::OnStep(std::string_view, bool) {}

LRESULT ModalDialog::OnNotify(std::string_view, NMHDR&) {
    return 0;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<ModalDialog*>(lParam)->view_.SetWindow(dialog);
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self == nullptr ? FALSE : self->Dispatch(message, wParam, lParam);
}

INT_PTR ModalDialog::Colour(HDC dc, HWND control, UINT message) {
    const auto colour = view_.ColourOf(control);
    if (!colour) {
        return FALSE;
    }
    SetTextColor(dc, *colour);
    SetBkMode(dc, TRANSPARENT);
    const int background = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(background));
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            for (const DialogTemplate::Control& control : layout_->Controls()) {
                HWND handle = GetDlgItem(Handle(), control.id);
                view_.Add(control.name, handle);
                if (control.windowClass == UPDOWN_CLASSW) {
                    // Up is a positive step.
                    SendMessageW(handle, UDM_SETRANGE32, 0, 100);
                    SendMessageW(handle, UDM_SETPOS32, 0, 50);
                }
            }
            OnInit();
            // The presenter may have put the focus somewhere.
            return GetFocus() == nullptr ? TRUE : FALSE;
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            if (id == IDOK && HIWORD(wParam) == BN_CLICKED) {
                OnOk();
            } else if (id == IDCANCEL) {
                OnCancel();
            } else if (lParam != 0) {
                const std::string name = view_.NameOf(reinterpret_cast<HWND>(lParam));
                if (!name.empty()) {
                    OnCommand(name, HIWORD(wParam));
                }
            }
            return TRUE;
        }
        case WM_NOTIFY: {
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            const std::string name = view_.NameOf(header.hwndFrom);
            if (header.code == UDN_DELTAPOS) {
                const auto& change = *reinterpret_cast<NMUPDOWN*>(lParam);
                OnStep(name, change.iDelta > 0);
                // The arrows step what the presenter says, not a position of their own.
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, OnNotify(name, header));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
        default:
            return FALSE;
    }
}

}  // namespace quellix
