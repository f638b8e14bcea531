#include "gui/qt/dialogs/automatic_start_dialog.h"

#include "core/dialogs/option_rules.h"
#include "core/dialogs/option_texts.h"

namespace quellix {

bool AutomaticStartDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    AutomaticStartDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

AutomaticStartDialog::AutomaticStartDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : CheckOptionDialog(
          {"frmDemarrageAutomatique", "chkDemarrageAutomatique", kAutomaticStartCaptions},
          settings.language(), settings.DemarrageAutomatiqueLancement,
          [&settings, &config](bool checked) { ApplyAutomaticStart(checked, settings, config); },
          parent) {}

}  // namespace quellix
