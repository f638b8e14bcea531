#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quellix {

// The log retention dialog frmPurgeLogs: automatic removal of old logs and how many to keep.
class LogRetentionDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: PurgeLogs and DelaiLogs are set and written.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    LogRetentionDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);

  private:
    void BuildControls();
    void Step(bool up);
    void Ok();

    Settings& settings_;
    ConfigStore& config_;
    QCheckBox* removeOld_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLabel* limit_ = nullptr;
};

}  // namespace quellix
