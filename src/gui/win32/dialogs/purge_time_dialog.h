#pragma once

#include "core/dialogs/purge_time_presenter.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// The purge time and days dialog frmHeure.
class PurgeTimeDialog final : public ModalDialog {
  public:
    // True after OK, with the time and days stored and written; false after Cancel.
    static bool Open(HWND owner, Settings& settings, ConfigStore& config);

    PurgeTimeDialog(Settings& settings, ConfigStore& config);

  private:
    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnCommand(std::string_view control, WORD notification) override;
    void OnStep(std::string_view upDown, bool up) override;

    PurgeTimePresenter presenter_;
    // The boxes' own texts while loading are not a change.
    bool loaded_ = false;
};

}  // namespace quellix
