#pragma once

#include <string>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/purge_time_rules.h"

namespace quellix {

// The purge time and days dialog frmHeure: two time boxes with their arrows, a shared error
// label, seven day boxes, OK and Cancel.
class PurgeTimePresenter {
  public:
    PurgeTimePresenter(DialogView& view, Settings& settings, ConfigStore& config);

    // Captions, the stored days ticked, the stored time in the boxes.
    void Load();
    // A box changed ("txtHeures" or "txtMinutes"): two digits, or its error shown.
    void OnTextChanged(std::string_view control);
    // An arrow of a box pressed.
    void OnStep(std::string_view control, bool up);
    // Refuses with a message, or stores Heure, PurgeMinute, Jours and the day lists, writes
    // Heure then Jours, and closes.
    void OnOk();
    // Cancel, Escape or the close box: nothing changes.
    void OnCancel();
    bool Accepted() const { return accepted_; }

  private:
    // Sets a box as if typed: the change is checked at once.
    void Fill(std::string_view control, const std::string& text);

    DialogView& view_;
    Settings& settings_;
    ConfigStore& config_;
    // The box the presenter is writing: the view's echo of that change is ignored.
    bool filling_ = false;
    bool accepted_ = false;
};

}  // namespace quellix
