#pragma once

#include <QDialog>
#include <array>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/purge_time_rules.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quellix {

// The purge time and days dialog frmHeure.
class PurgeTimeDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: Heure, PurgeMinute, Jours and the day lists are set and Heure then Jours
    // written. False after Cancel or the close box, with nothing changed.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    PurgeTimeDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);

  private:
    void BuildControls();
    void BoxChanged(TimeBox box, QLineEdit* edit);
    void Step(TimeBox box, QLineEdit* edit, bool up);
    void Ok();

    Settings& settings_;
    ConfigStore& config_;
    QLineEdit* hours_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QLabel* error_ = nullptr;
    std::array<QCheckBox*, 7> days_{};
};

}  // namespace quellix
