#pragma once

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/logview/log_retention_presenter.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// The log retention dialog frmPurgeLogs: automatic removal of old logs and how many to keep.
class LogRetentionDialog final : public ModalDialog {
  public:
    // True after OK: PurgeLogs and DelaiLogs are set and written.
    static bool Open(HWND owner, Settings& settings, ConfigStore& config);

    LogRetentionDialog(Settings& settings, ConfigStore& config);

  private:
    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnStep(std::string_view upDown, bool up) override;

    LogRetentionPresenter presenter_;
};

}  // namespace quellix
