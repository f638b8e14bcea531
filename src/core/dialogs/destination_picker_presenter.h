#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"

namespace quellix {

// The destination picker's window: besides its named controls, a drive list over a folder list
// that always has a current folder.
class DestinationPickerView : public virtual DialogView {
  public:
    // Moves both lists to an existing folder.
    virtual void ShowFolder(const std::string& folder) = 0;
    // The folder list's current folder, ending in "/".
    virtual std::string CurrentFolder() const = 0;
};

// The picker of the folder into which a folder entry moves its old files.
class DestinationPickerPresenter {
  public:
    static constexpr std::string_view kWindow = "frmAutreDossier";

    DestinationPickerPresenter(DestinationPickerView& view, const Settings& settings);

    // Title and captions.
    void Load();
    // Positions the lists on destination when it names an existing folder; otherwise they stay
    // on the current folder.
    void StartAt(const std::string& destination);
    // The folder list's folder is the choice.
    void OnOk();
    void OnCancel();
    // The folder chosen by OK, ending in "/"; none before OK or after a cancel.
    const std::optional<std::string>& Chosen() const { return chosen_; }

  private:
    DestinationPickerView& view_;
    const Settings& settings_;
    std::optional<std::string> chosen_;
};

}  // namespace quellix
