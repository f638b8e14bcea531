#pragma once

#include <span>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/option_rules.h"
#include "core/dialogs/option_texts.h"
#include "core/mainwindow/caption_texts.h"

namespace quellix {

// What tells one check-box option dialog from the other.
struct CheckOption {
    std::string_view dialogName;
    std::string_view boxName;
    std::span<const CaptionEntry> captions;
    bool Settings::*setting;
    // OK: the setting follows the box and its key is written.
    void (*apply)(bool checked, Settings& settings, ConfigStore& config);
};

inline constexpr CheckOption kAutomaticStartOption{
    "frmDemarrageAutomatique", "chkDemarrageAutomatique", kAutomaticStartCaptions,
    &Settings::DemarrageAutomatiqueLancement, ApplyAutomaticStart};
inline constexpr CheckOption kAllObsoleteOption{"frmTousFichiersObsoletes",
                                                "chkTousFichiersObsoletes", kAllObsoleteCaptions,
                                                &Settings::TousFichiersObsoletes, ApplyAllObsolete};

// A dialog of one check box, OK and Cancel, setting one global option.
class CheckOptionPresenter {
  public:
    CheckOptionPresenter(DialogView& view, const CheckOption& option, Settings& settings,
                         ConfigStore& config);

    // Captions, and the box checked when the option is on.
    void Load();
    // The option follows the box, its key is written "1" or "0", and the dialog closes.
    void OnOk();
    // Cancel, Escape or the close box: nothing changes.
    void OnCancel();
    bool Accepted() const { return accepted_; }

  private:
    DialogView& view_;
    const CheckOption& option_;
    Settings& settings_;
    ConfigStore& config_;
    bool accepted_ = false;
};

}  // namespace quellix
