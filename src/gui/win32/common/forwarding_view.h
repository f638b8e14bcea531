#pragma once

#include "gui/win32/common/control_view.h"

namespace quellix {

// A presenter's own view interface (a DialogView with a few extras) over the named controls of a
// dialog's ControlView: the named controls are served by it, the extras by the subclass.
template <class Interface>
class ForwardingView : public Interface {
  public:
    explicit ForwardingView(ControlView& controls) : controls_(controls) {}

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
    ControlView& Controls() { return controls_; }

  private:
    ControlView& controls_;
};

}  // namespace quellix
