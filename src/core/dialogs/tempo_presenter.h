#pragma once

#include "core/common/dialog_view.h"
#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The time-between-updates dialog frmTempo: a box of seconds with its arrows, a red label for
// the hint and the limits, OK and Cancel.
class TempoPresenter {
  public:
    TempoPresenter(DialogView& view, Settings& settings, ConfigStore& config,
                   SchedulerState& scheduler);

    // Captions, the current value, the red hint about the main window.
    void Load();
    // An arrow pressed: one second more or less, within 1 to 60, the limit told on reaching it.
    void OnStep(bool up);
    // Refuses a value outside 1 to 60, or stores Temporisation, restarts the countdown from it,
    // writes the key and closes.
    void OnOk();
    // Cancel, Escape or the close box: nothing changes.
    void OnCancel();
    bool Accepted() const { return accepted_; }

  private:
    DialogView& view_;
    Settings& settings_;
    ConfigStore& config_;
    SchedulerState& scheduler_;
    bool accepted_ = false;
};

}  // namespace quellix
