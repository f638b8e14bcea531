#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/config/startup.h"
#include "core/dialogs/folder_editor_rules.h"
#include "core/mainwindow/main_window_view.h"

namespace quellix {

class LogViewerWindow;
class PurgePreviewWindow;
class ServiceHost;

// The main window's dialogs on the desktop, each opened through its own Open.
class QtDialogOpener final : public DialogOpener {
  public:
    using Context = DialogContext;

    // trayIcon tells where the tray icon is, which the log viewer keeps clear of.
    QtDialogOpener(QWidget& parent, Context context, std::function<QRect()> trayIcon);
    ~QtDialogOpener() override;

    bool OpenPurgeTime() override;
    void OpenTimeBetweenUpdates() override;
    void OpenAutomaticStart() override;
    void OpenAllObsolete() override;
    void OpenLogFolder() override;
    void OpenLogRetention() override;
    ServiceChange OpenService() override;
    std::optional<std::size_t> OpenFolderEditor(FolderEdit edit, int selectedRow) override;
    void OpenAbout() override;
    void ShowLogViewer() override;
    void ShowPurgePreview(const PurgePreview& preview) override;

  private:
    QWidget& parent_;
    Context context_;
    std::function<QRect()> trayIcon_;
    std::unique_ptr<LogViewerWindow> logViewer_;
    // Owned by the main window, kept between openings.
    QPointer<PurgePreviewWindow> preview_;
};

}  // namespace quellix
