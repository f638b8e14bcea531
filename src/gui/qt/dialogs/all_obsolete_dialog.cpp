#include "gui/qt/dialogs/all_obsolete_dialog.h"

namespace quellix {

bool AllObsoleteDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    AllObsoleteDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

AllObsoleteDialog::AllObsoleteDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : CheckOptionDialog(kAllObsoleteOption, settings, config, parent) {}

}  // namespace quellix
