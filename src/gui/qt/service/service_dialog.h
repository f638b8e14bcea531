#pragma once

#include <QDialog>

#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/service/service_dialog_rules.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace quellix {

enum class ServiceDialogOutcome { Closed, Installed, Removed };

// The service installation dialog frmAdminService.
class ServiceDialog final : public QDialog {
    Q_OBJECT

  public:
    // Installed: the service is registered and its message was shown; the program must end now.
    // Removed: the service was removed (the Service label goes). Closed: nothing changed.
    static ServiceDialogOutcome Open(QWidget* parent, Settings& settings, ConfigStore& config,
                                     ServiceHost& service);

    ServiceDialog(Settings& settings, ConfigStore& config, ServiceHost& service,
                  ServiceConsole console, QWidget* parent = nullptr);

    ServiceDialogOutcome Outcome() const { return outcome_; }

  private:
    void BuildControls();
    void Load();
    void Install();
    void Remove();
    ServiceStartType ChosenStartType() const;

    Settings& settings_;
    ConfigStore& config_;
    ServiceHost& service_;
    ServiceConsole console_;
    ServiceDialogOutcome outcome_ = ServiceDialogOutcome::Closed;
    QLabel* state_ = nullptr;
    QLabel* installHint_ = nullptr;
    QLabel* removeHint_ = nullptr;
    QLabel* interactWarning_ = nullptr;
    QCheckBox* interact_ = nullptr;
    QCheckBox* debug_ = nullptr;
    QRadioButton* types_[3] = {};
};

}  // namespace quellix
