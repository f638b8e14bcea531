#pragma once

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "gui/win32/dialogs/check_option_dialog.h"

namespace quellix {

// The automatic start dialog frmDemarrageAutomatique.
class AutomaticStartDialog final {
  public:
    // True after OK: DemarrageAutomatiqueLancement follows the box and is written "1" or "0".
    static bool Open(HWND owner, Settings& settings, ConfigStore& config);
};

}  // namespace quellix
