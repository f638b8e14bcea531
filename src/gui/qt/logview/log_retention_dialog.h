#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/logview/log_retention_presenter.h"
#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// The log retention dialog frmPurgeLogs: automatic removal of old logs and how many to keep.
class LogRetentionDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: PurgeLogs and DelaiLogs are set and written.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    LogRetentionDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);

  private:
    void BuildControls();

    WidgetDialogView view_;
    LogRetentionPresenter presenter_;
};

}  // namespace quellix
