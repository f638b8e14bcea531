#pragma once

#include "config/config_store.h"
#include "config/settings.h"
#include "dialogs/check_option_dialog.h"

namespace quellix {

// The automatic start dialog frmDemarrageAutomatique.
class AutomaticStartDialog final : public CheckOptionDialog {
  public:
    // True after OK: DemarrageAutomatiqueLancement follows the box and is written "1" or "0".
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    AutomaticStartDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);
};

}  // namespace quellix
