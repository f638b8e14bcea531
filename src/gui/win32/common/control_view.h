#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/common/dialog_view.h"

namespace quellix {

// A window's controls as its presenter sees them: registered by name as the window creates
// them; the window's own name is its title bar. Names never registered are ignored, as a caption
// table may name controls a window does not have.
class ControlView : public virtual DialogView {
  public:
    explicit ControlView(std::string windowName) : windowName_(std::move(windowName)) {}

    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }
    void Add(std::string name, HWND control);
    // The control of that name, the window for its own name, or null.
    HWND Find(std::string_view control) const;
    // The name a control was registered with, or empty.
    std::string NameOf(HWND control) const;
    // The text colour the presenter chose for a control (WM_CTLCOLOR*), if any.
    std::optional<COLORREF> ColourOf(HWND control) const;
    // How Close ends the window: EndDialog for a dialog.
    void SetCloser(std::function<void(bool accepted)> close) { close_ = std::move(close); }

    void SetText(std::string_view control, std::string_view text) override;
    std::string Text(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetVisible(std::string_view control, bool visible) override;
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override;
    void SetFocus(std::string_view control) override;
    void Close(bool accepted) override;
    MessageAnswer ShowMessage(const MessageRequest& request) override;

  private:
    std::string windowName_;
    HWND window_ = nullptr;
    std::map<std::string, HWND, std::less<>> controls_;
    std::map<HWND, COLORREF> colours_;
    std::function<void(bool)> close_;
};

// The control registered under that name in window (a dialog, a main window), or null: for
// windows whose view is out of reach, as in tests.
HWND FindNamedControl(HWND window, std::string_view name);

// The common controls (list views, trees, up-down arrows...) registered, once.
void EnsureCommonControls();

// A window's text in UTF-8, and the reverse.
std::string TextOf(HWND window);
void SetTextOf(HWND window, std::string_view text);

}  // namespace quellix
