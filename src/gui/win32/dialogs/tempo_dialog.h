#pragma once

#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/tempo_presenter.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// The time-between-updates dialog frmTempo.
class TempoDialog final : public ModalDialog {
  public:
    // True after OK: Temporisation and the scheduler's countdown are set and the key written.
    static bool Open(HWND owner, Settings& settings, ConfigStore& config,
                     SchedulerState& scheduler);

    TempoDialog(Settings& settings, ConfigStore& config, SchedulerState& scheduler);
    ~TempoDialog() override;

  private:
    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnStep(std::string_view upDown, bool up) override;

    TempoPresenter presenter_;
    HFONT bold_ = nullptr;
};

}  // namespace quellix
