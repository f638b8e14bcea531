#pragma once

#include <string>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/logview/log_folder_presenter.h"
#include "gui/win32/common/control_view_of.h"
#include "gui/win32/common/modal_dialog.h"
#include "gui/win32/dialogs/folder_chooser_view.h"

namespace quellix {

// The log folder dialog frmPathLogs: the operation log's switch and its folder.
class LogFolderDialog final : public ModalDialog {
  public:
    // True after OK: Logs and PathLogs are set and written.
    static bool Open(HWND owner, Settings& settings, ConfigStore& config);

    LogFolderDialog(Settings& settings, ConfigStore& config);

  private:
    // The named controls, and the drive and folder lists as one.
    class FolderView final : public ControlViewOf<LogFolderView> {
      public:
        explicit FolderView(LogFolderDialog& dialog)
            : ControlViewOf(dialog.View()), dialog_(dialog) {}
        void ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;

      private:
        LogFolderDialog& dialog_;
    };

    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnCommand(std::string_view control, WORD notification) override;
    LRESULT OnNotify(std::string_view control, NMHDR& header) override;

    FolderChooserView chooser_;
    FolderView view_;
    LogFolderPresenter presenter_;
    bool loaded_ = false;
};

}  // namespace quellix
