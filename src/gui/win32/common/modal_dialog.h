#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "gui/win32/common/control_view.h"
#include "gui/win32/common/dialog_template.h"

namespace quellix {

// A modal dialog built from a template, its controls registered by name in its view. The dialog
// manager runs the loop; a subclass forwards the events to its presenter.
class ModalDialog {
  public:
    explicit ModalDialog(std::string name);
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog over owner until it closes; true when it was accepted.
    bool Run(HWND owner, const DialogTemplate& layout);

  protected:
    ControlView& View() { return view_; }
    HWND Handle() const { return view_.Window(); }
    HWND Control(std::string_view name) const { return view_.Find(name); }

    // The controls exist: load the presenter.
    virtual void OnInit() = 0;
    // OK (Enter on the default button) and Cancel (Escape, the close box).
    virtual void OnOk() = 0;
    virtual void OnCancel() = 0;
    // A control's notification: BN_CLICKED, EN_CHANGE, CBN_SELCHANGE...
    virtual void OnCommand(std::string_view control, WORD notification);
    // An up-down control's arrow, up or down.
    virtual void OnStep(std::string_view upDown, bool up);
    // Other WM_NOTIFY messages (a tree's selection...); the result for the dialog manager.
    virtual LRESULT OnNotify(std::string_view control, NMHDR& header);

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Colour(HDC dc, HWND control, UINT message);

    ControlView view_;
    const DialogTemplate* layout_ = nullptr;
};

}  // namespace quellix
