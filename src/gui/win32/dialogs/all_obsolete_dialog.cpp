#include "gui/win32/dialogs/all_obsolete_dialog.h"

namespace quellix {

bool AllObsoleteDialog::Open(HWND owner, Settings& settings, ConfigStore& config) {
    return CheckOptionDialog::Open(owner, kAllObsoleteOption, settings, config);
}

}  // namespace quellix
