#pragma once

#include "support/recording_dialog_view.h"

namespace quellix {

// A window interface that extends DialogView, its DialogView part recorded as by
// RecordingDialogView (reached as `base`); the subclass records the extras.
template <class Interface>
class RecordingViewOf : public Interface {
  public:
    void SetText(std::string_view control, std::string_view text) override {
        base.SetText(control, text);
    }
    std::string Text(std::string_view control) const override { return base.Text(control); }
    void SetChecked(std::string_view control, bool checked) override {
        base.SetChecked(control, checked);
    }
    bool IsChecked(std::string_view control) const override { return base.IsChecked(control); }
    void SetEnabled(std::string_view control, bool enabled) override {
        base.SetEnabled(control, enabled);
    }
    void SetVisible(std::string_view control, bool visible) override {
        base.SetVisible(control, visible);
    }
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override {
        base.SetTextColour(control, colour);
    }
    void SetFocus(std::string_view control) override { base.SetFocus(control); }
    void Close(bool accepted) override { base.Close(accepted); }
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        return base.ShowMessage(request);
    }

    RecordingDialogView base;
};

}  // namespace quellix
