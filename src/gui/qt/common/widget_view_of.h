#pragma once

#include <QWidget>

#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// A window interface that extends DialogView (a folder list, a beep...), its DialogView part
// served by the window's named children; the subclass implements the extras.
template <class Interface>
class WidgetViewOf : public Interface, public WidgetDialogView {
  public:
    explicit WidgetViewOf(QWidget& window) : WidgetDialogView(window) {}
};

}  // namespace quellix
