#pragma once

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "gui/qt/dialogs/check_option_dialog.h"

namespace quellix {

// The automatic start dialog frmDemarrageAutomatique.
class AutomaticStartDialog final : public CheckOptionDialog {
  public:
    // True after OK: DemarrageAutomatiqueLancement follows the box and is written "1" or "0".
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    AutomaticStartDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);
};

}  // namespace quellix
