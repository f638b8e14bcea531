#pragma once

#include <QDialog>

#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/tempo_presenter.h"
#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// The time-between-updates dialog frmTempo.
class TempoDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: Temporisation and the scheduler's countdown are set and the key written.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config,
                     SchedulerState& scheduler);

    TempoDialog(Settings& settings, ConfigStore& config, SchedulerState& scheduler,
                QWidget* parent = nullptr);

    void reject() override;

  private:
    void BuildControls();

    WidgetDialogView view_{*this};
    TempoPresenter presenter_;
};

}  // namespace quellix
