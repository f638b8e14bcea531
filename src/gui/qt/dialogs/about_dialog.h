#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/dialogs/about_presenter.h"
#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// The about box: the program's title and what it does. OK, Enter and Escape close it.
class AboutDialog final : public QDialog {
    Q_OBJECT

  public:
    AboutDialog(QWidget* parent, const Settings& settings);

    static void Open(QWidget* parent, const Settings& settings);

    void reject() override;

  private:
    WidgetDialogView view_{*this};
    AboutPresenter presenter_;
};

}  // namespace quellix
