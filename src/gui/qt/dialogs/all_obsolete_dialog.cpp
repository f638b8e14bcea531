#include "gui/qt/dialogs/all_obsolete_dialog.h"

#include "core/dialogs/option_rules.h"
#include "core/dialogs/option_texts.h"

namespace quellix {

bool AllObsoleteDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    AllObsoleteDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

AllObsoleteDialog::AllObsoleteDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : CheckOptionDialog(
          {"frmTousFichiersObsoletes", "chkTousFichiersObsoletes", kAllObsoleteCaptions},
          settings.language(), settings.TousFichiersObsoletes,
          [&settings, &config](bool checked) { ApplyAllObsolete(checked, settings, config); },
          parent) {}

}  // namespace quellix
