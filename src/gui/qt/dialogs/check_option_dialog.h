#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/check_option_presenter.h"
#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// A dialog of one check box: OK sets the option and closes; Cancel and the close box change
// nothing.
class CheckOptionDialog : public QDialog {
    Q_OBJECT

  public:
    CheckOptionDialog(const CheckOption& option, Settings& settings, ConfigStore& config,
                      QWidget* parent);

    void reject() override;

  private:
    WidgetDialogView view_{*this};
    CheckOptionPresenter presenter_;
};

}  // namespace quellix
