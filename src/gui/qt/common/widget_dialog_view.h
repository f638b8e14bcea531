#pragma once

#include <QDialog>

#include "core/common/dialog_view.h"

namespace quellix {

// A dialog's controls as its presenter sees them: found by object name among the dialog's
// children; the dialog's own name is its title bar. Names no child holds are ignored, as a
// caption table may name controls a window does not have.
class WidgetDialogView : public DialogView {
  public:
    explicit WidgetDialogView(QDialog& dialog) : dialog_(dialog) {}

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

  protected:
    QWidget* Find(std::string_view control) const;
    QDialog& dialog() const { return dialog_; }

  private:
    QDialog& dialog_;
};

}  // namespace quellix
