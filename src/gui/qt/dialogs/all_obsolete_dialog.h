#pragma once

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "gui/qt/dialogs/check_option_dialog.h"

namespace quellix {

// The all-files-obsolete dialog frmTousFichiersObsoletes.
class AllObsoleteDialog final : public CheckOptionDialog {
  public:
    // True after OK: TousFichiersObsoletes follows the box and is written "1" or "0".
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    AllObsoleteDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);
};

}  // namespace quellix
