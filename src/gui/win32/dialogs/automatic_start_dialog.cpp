#include "gui/win32/dialogs/automatic_start_dialog.h"

namespace quellix {

bool AutomaticStartDialog::Open(HWND owner, Settings& settings, ConfigStore& config) {
    return CheckOptionDialog::Open(owner, kAutomaticStartOption, settings, config);
}

}  // namespace quellix
