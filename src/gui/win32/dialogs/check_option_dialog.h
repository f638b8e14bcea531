#pragma once

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/check_option_presenter.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// A dialog of one check box: OK sets the option and closes; Cancel and the close box change
// nothing.
class CheckOptionDialog : public ModalDialog {
  public:
    // True after OK: the option follows the box and its key is written "1" or "0".
    static bool Open(HWND owner, const CheckOption& option, Settings& settings,
                     ConfigStore& config);

    CheckOptionDialog(const CheckOption& option, Settings& settings, ConfigStore& config);

  private:
    void OnInit() override { presenter_.Load(); }
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }

    CheckOptionPresenter presenter_;
};

}  // namespace quellix
