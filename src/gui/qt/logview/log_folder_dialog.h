#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/logview/log_folder_presenter.h"
#include "gui/qt/common/widget_view_of.h"

namespace quellix {

class FolderChooserView;

// The log folder dialog frmPathLogs: the operation log's switch and its folder.
class LogFolderDialog final : public QDialog {
    Q_OBJECT

  public:
    // True after OK: Logs and PathLogs are set and written.
    static bool Open(QWidget* parent, Settings& settings, ConfigStore& config);

    LogFolderDialog(Settings& settings, ConfigStore& config, QWidget* parent = nullptr);

    FolderChooserView* Folders() const { return folders_; }

  private:
    // The named controls, and the drive and folder lists as one.
    class View final : public WidgetViewOf<LogFolderView> {
      public:
        explicit View(LogFolderDialog& dialog) : WidgetViewOf(dialog), dialog_(dialog) {}
        void ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;

      private:
        LogFolderDialog& dialog_;
    };

    void BuildControls();

    FolderChooserView* folders_ = nullptr;
    View view_;
    LogFolderPresenter presenter_;
};

}  // namespace quellix
