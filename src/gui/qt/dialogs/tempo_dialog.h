#pragma once

#include <QDialog>

#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

class QLabel;
class QLineEdit;

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

  private:
    void BuildControls();
    void Step(bool up);
    void Ok();

    Settings& settings_;
    ConfigStore& config_;
    SchedulerState& scheduler_;
    QLineEdit* seconds_ = nullptr;
    QLabel* hint_ = nullptr;
};

}  // namespace quellix
