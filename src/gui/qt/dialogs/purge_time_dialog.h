#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/purge_time_presenter.h"
#include "gui/qt/common/widget_dialog_view.h"

namespace quellix {

// The purge time and days dialog frmHeure.
class PurgeTimeDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: Heure, PurgeMinute, Jours and the day lists are set and Heure then Jours
    // written. False after Cancel or the close box, with nothing changed.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    PurgeTimeDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);

    void reject() override;

  private:
    void BuildControls();

    WidgetDialogView view_{*this};
    PurgeTimePresenter presenter_;
};

}  // namespace quellix
