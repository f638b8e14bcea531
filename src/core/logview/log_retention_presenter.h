#pragma once

#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The log retention dialog: automatic removal of old logs and how many to keep (2 to 366).
class LogRetentionPresenter {
  public:
    static constexpr std::string_view kWindow = "frmPurgeLogs";

    LogRetentionPresenter(DialogView& view, Settings& settings, ConfigStore& config);

    // Title, captions, the switch and the number; the limit message hidden.
    void Load();
    // An arrow of the up-down control: the number moves by one and stops at a limit, saying so.
    void OnStep(bool up);
    // Refuses a number out of range and stays open; otherwise PurgeLogs and DelaiLogs are set and
    // written, and the dialog closes.
    void OnOk();
    void OnCancel();
    bool Accepted() const { return accepted_; }

  private:
    DialogView& view_;
    Settings& settings_;
    ConfigStore& config_;
    bool accepted_ = false;
};

}  // namespace quellix
