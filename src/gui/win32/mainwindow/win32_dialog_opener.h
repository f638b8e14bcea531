#pragma once

#include <windows.h>

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

// The main window's dialogs on Windows, each opened through its own Open over the main window.
class Win32DialogOpener final : public DialogOpener {
  public:
    using Context = DialogContext;

    Win32DialogOpener(HWND owner, Context context);
    ~Win32DialogOpener() override;

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
    // The preview window, once opened (for tests).
    PurgePreviewWindow* Preview() const { return preview_.get(); }

  private:
    HWND owner_;
    Context context_;
    std::unique_ptr<LogViewerWindow> logViewer_;
    std::unique_ptr<PurgePreviewWindow> preview_;
};

}  // namespace quellix
