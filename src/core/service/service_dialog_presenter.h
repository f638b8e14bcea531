#pragma once

#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/mainwindow/main_window_view.h"
#include "core/service/service_dialog_rules.h"

namespace quellix {

// The service dialog's window: its named controls and the system beep that answers a refused
// Install or Remove.
class ServiceDialogView : public virtual DialogView {
  public:
    virtual void Beep() = 0;
};

// What the dialog did, for the main window.
enum class ServiceDialogOutcome {
    // Nothing changed.
    Closed,
    // The service is registered and its message was shown: the program must end now.
    Installed,
    // The service was removed: the Service label goes.
    Removed,
};

// What the main window learns of the dialog.
ServiceChange ChangeOf(ServiceDialogOutcome outcome);

// The service installation dialog: installs or removes the service with its start type, desktop
// flag and the Debug setting.
class ServiceDialogPresenter {
  public:
    static constexpr std::string_view kWindow = "frmAdminService";

    ServiceDialogPresenter(ServiceDialogView& view, Settings& settings, ConfigStore& config,
                           ServiceHost& service, ServiceConsole console);

    // Captions, the state line, the hints naming the service console, and the boxes from the
    // registered service and the settings.
    void Load();
    // The network warning is shown while the desktop box is ticked.
    void OnInteractClicked();
    // Refused with a beep while the service exists; otherwise registers it, writes Debug, shows
    // the message and closes.
    void OnInstall();
    // Removes the service, the dialog staying open; without one, says so with a beep.
    void OnRemove();
    void OnCancel();
    ServiceDialogOutcome Outcome() const { return outcome_; }

  private:
    ServiceStartType ChosenStartType() const;
    void ShowState(const std::string& line, bool beep);
    // The start type and desktop options of the registration, as load found them.
    void ShowRegistration(const ServiceDialogLoad& load);

    ServiceDialogView& view_;
    Settings& settings_;
    ConfigStore& config_;
    ServiceHost& service_;
    ServiceConsole console_;
    ServiceDialogOutcome outcome_ = ServiceDialogOutcome::Closed;
};

}  // namespace quellix
