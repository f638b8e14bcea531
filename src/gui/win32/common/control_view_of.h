#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gui/win32/common/control_view.h"

namespace quellix {

// A window interface that extends DialogView (a folder list, a beep...), its DialogView part
// served by a dialog's named controls; the subclass implements the extras, and may take over a
// control whose text is not its window text.
template <class Interface>
class ControlViewOf : public Interface {
  public:
    explicit ControlViewOf(ControlView& controls) : controls_(controls) {}

    void SetText(std::string_view control, std::string_view text) override {
        controls_.SetText(control, text);
    }
    std::string Text(std::string_view control) const override { return controls_.Text(control); }
    void SetChecked(std::string_view control, bool checked) override {
        controls_.SetChecked(control, checked);
    }
    bool IsChecked(std::string_view control) const override { return controls_.IsChecked(control); }
    void SetEnabled(std::string_view control, bool enabled) override {
        controls_.SetEnabled(control, enabled);
    }
    void SetVisible(std::string_view control, bool visible) override {
        controls_.SetVisible(control, visible);
    }
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override {
        controls_.SetTextColour(control, colour);
    }
    void SetFocus(std::string_view control) override { controls_.SetFocus(control); }
    void Close(bool accepted) override { controls_.Close(accepted); }
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        return controls_.ShowMessage(request);
    }

  protected:
    ControlView& Controls() const { return controls_; }

  private:
    ControlView& controls_;
};

}  // namespace quellix
