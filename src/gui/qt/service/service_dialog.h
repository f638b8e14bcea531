#pragma once

#include <QDialog>

#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/service/service_dialog_presenter.h"
#include "gui/qt/common/widget_view_of.h"

namespace quellix {

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

    ServiceDialogOutcome Outcome() const { return presenter_.Outcome(); }

  private:
    class View final : public WidgetViewOf<ServiceDialogView> {
      public:
        using WidgetViewOf::WidgetViewOf;
        void SetText(std::string_view control, std::string_view text) override;
        void Beep() override;
    };

    void BuildControls();

    View view_;
    ServiceDialogPresenter presenter_;
};

}  // namespace quellix
