#pragma once

#include <QWidget>

#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// A window interface that extends DialogView (a folder list, a beep...), its DialogView part
// served by the dialog's named children; the subclass implements the extras.
template <class Interface>
class WidgetViewOf : public Interface {
  public:
    explicit WidgetViewOf(QWidget& window) : widgets_(window) {}

    void SetText(std::string_view control, std::string_view text) override {
        widgets_.SetText(control, text);
    }
    std::string Text(std::string_view control) const override { return widgets_.Text(control); }
    void SetChecked(std::string_view control, bool checked) override {
        widgets_.SetChecked(control, checked);
    }
    bool IsChecked(std::string_view control) const override { return widgets_.IsChecked(control); }
    void SetEnabled(std::string_view control, bool enabled) override {
        widgets_.SetEnabled(control, enabled);
    }
    void SetVisible(std::string_view control, bool visible) override {
        widgets_.SetVisible(control, visible);
    }
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override {
        widgets_.SetTextColour(control, colour);
    }
    void SetFocus(std::string_view control) override { widgets_.SetFocus(control); }
    void Close(bool accepted) override { widgets_.Close(accepted); }
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        return widgets_.ShowMessage(request);
    }

  private:
    WidgetDialogView widgets_;
};

}  // namespace quellix
