#pragma once

#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/service/service_dialog_presenter.h"
#include "gui/win32/common/control_view_of.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// The service installation dialog frmAdminService.
class ServiceDialog final : public ModalDialog {
  public:
    // Installed: the service is registered and its message was shown; the program must end now.
    // Removed: the service was removed (the Service label goes). Closed: nothing changed.
    static ServiceDialogOutcome Open(HWND owner, Settings& settings, ConfigStore& config,
                                     ServiceHost& service);

    ServiceDialog(Settings& settings, ConfigStore& config, ServiceHost& service);
    ~ServiceDialog() override;

    ServiceDialogOutcome Outcome() const { return presenter_.Outcome(); }

  private:
    class BeepingView final : public ControlViewOf<ServiceDialogView> {
      public:
        using ControlViewOf::ControlViewOf;
        void Beep() override;
    };

    void OnInit() override;
    // No OK button: Enter presses Cancel, the default.
    void OnOk() override {}
    void OnCancel() override { presenter_.OnCancel(); }
    void OnCommand(std::string_view control, WORD notification) override;

    BeepingView view_;
    ServiceDialogPresenter presenter_;
    HFONT bold_ = nullptr;
};

}  // namespace quellix
