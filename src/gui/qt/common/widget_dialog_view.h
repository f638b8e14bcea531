#pragma once

#include <QWidget>

#include "core/common/dialog_view.h"

namespace quellix {

// A window's controls as its presenter sees them: found by object name among the window's
// children (widgets, menu commands, menus); the window's own name is its title bar. Names no
// child holds are ignored, as a caption table may name controls a window does not have.
class WidgetDialogView : public virtual DialogView {
  public:
    explicit WidgetDialogView(QWidget& window) : window_(window) {}

    void SetText(std::string_view control, std::string_view text) override;
    std::string Text(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetVisible(std::string_view control, bool visible) override;
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override;
    void SetFocus(std::string_view control) override;
    // A dialog ends with its result; another window closes.
    void Close(bool accepted) override;
    MessageAnswer ShowMessage(const MessageRequest& request) override;

    QObject* Find(std::string_view control) const;

  private:
    QWidget& window_;
};

}  // namespace quellix
