#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/config/config_store.h"

class QCheckBox;
class QLabel;

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
    void BuildControls();
    void FollowSwitch();
    void ShowFolder(const QString& pathWithSlash);
    void Ok();

    Settings& settings_;
    ConfigStore& config_;
    QCheckBox* logsOn_ = nullptr;
    QLabel* title_ = nullptr;
    FolderChooserView* folders_ = nullptr;
    QLabel* folder_ = nullptr;
};

}  // namespace quellix
