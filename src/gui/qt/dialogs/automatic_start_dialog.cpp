#include "gui/qt/dialogs/automatic_start_dialog.h"

namespace quellix {

bool AutomaticStartDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    AutomaticStartDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

AutomaticStartDialog::AutomaticStartDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : CheckOptionDialog(kAutomaticStartOption, settings, config, parent) {}

}  // namespace quellix
