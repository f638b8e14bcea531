#pragma once

#include <optional>
#include <string>

#include "core/common/settings.h"
#include "core/dialogs/destination_picker_presenter.h"
#include "gui/win32/common/control_view_of.h"
#include "gui/win32/common/modal_dialog.h"
#include "gui/win32/dialogs/folder_chooser_view.h"

namespace quellix {

// The picker of the folder into which a folder entry moves its old files, frmAutreDossier.
class DestinationPickerDialog final : public ModalDialog {
  public:
    // Opened by the folder editor over itself, at its place, on currentDestination when that is
    // an existing folder, else on the current folder. The chosen folder ends in the separator;
    // none when cancelled.
    static std::optional<std::string> Open(HWND editor, const std::string& currentDestination,
                                           const Settings& settings);

    DestinationPickerDialog(const Settings& settings, std::string start);

  private:
    // The named controls, and the drive and folder lists as one.
    class PickerView final : public ControlViewOf<DestinationPickerView> {
      public:
        explicit PickerView(DestinationPickerDialog& dialog)
            : ControlViewOf(dialog.View()), dialog_(dialog) {}
        void ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;

      private:
        DestinationPickerDialog& dialog_;
    };

    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnCommand(std::string_view control, WORD notification) override;
    LRESULT OnNotify(std::string_view control, NMHDR& header) override;

    std::string start_;
    HWND editor_ = nullptr;
    FolderChooserView chooser_;
    PickerView view_;
    DestinationPickerPresenter presenter_;
};

}  // namespace quellix
