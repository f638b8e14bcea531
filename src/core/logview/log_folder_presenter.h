#pragma once

#include <string>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The log folder dialog's window: besides its named controls, a drive list over a folder list
// ("Lecteurs", "Chemins") that always has a current folder.
class LogFolderView : public virtual DialogView {
  public:
    // Moves both lists to an existing folder.
    virtual void ShowFolder(const std::string& folder) = 0;
    // The folder list's current folder.
    virtual std::string CurrentFolder() const = 0;
};

// The log folder dialog: the operation log's switch and its folder.
class LogFolderPresenter {
  public:
    static constexpr std::string_view kWindow = "frmPathLogs";

    LogFolderPresenter(LogFolderView& view, Settings& settings, ConfigStore& config);

    // Title, captions, the switch with the folder controls it governs, then the log folder; one
    // that no longer exists leaves the lists where they start.
    void Load();
    // The switch greys out the folder controls while it is off.
    void OnSwitchClicked();
    // The label shows the folder exactly as OK stores it.
    void OnFolderChanged();
    // Logs and PathLogs are set and written, the folder also with the log off.
    void OnOk();
    void OnCancel();
    bool Accepted() const { return accepted_; }

  private:
    LogFolderView& view_;
    Settings& settings_;
    ConfigStore& config_;
    bool accepted_ = false;
};

}  // namespace quellix
