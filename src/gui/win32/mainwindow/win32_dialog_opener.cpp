#include "gui/win32/mainwindow/win32_dialog_opener.h"

#include "gui/win32/dialogs/about_dialog.h"
#include "gui/win32/dialogs/all_obsolete_dialog.h"
#include "gui/win32/dialogs/automatic_start_dialog.h"
#include "gui/win32/dialogs/folder_editor_dialog.h"
#include "gui/win32/dialogs/purge_time_dialog.h"
#include "gui/win32/dialogs/tempo_dialog.h"
#include "gui/win32/logview/log_folder_dialog.h"
#include "gui/win32/logview/log_retention_dialog.h"
#include "gui/win32/logview/log_viewer_window.h"
#include "gui/win32/mainwindow/purge_preview_window.h"
#include "gui/win32/service/service_dialog.h"
#include "platform/process_info.h"

namespace quellix {

Win32DialogOpener::Win32DialogOpener(HWND owner, Context context)
    : owner_(owner), context_(std::move(context)) {}

Win32DialogOpener::~Win32DialogOpener() = default;

bool Win32DialogOpener::OpenPurgeTime() {
    return PurgeTimeDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

void Win32DialogOpener::OpenTimeBetweenUpdates() {
    TempoDialog::Open(owner_, context_.program.settings, *context_.program.config,
                      context_.program.scheduler);
}

void Win32DialogOpener::OpenAutomaticStart() {
    AutomaticStartDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

void Win32DialogOpener::OpenAllObsolete() {
    AllObsoleteDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

void Win32DialogOpener::OpenLogFolder() {
    LogFolderDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

void Win32DialogOpener::OpenLogRetention() {
    LogRetentionDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

ServiceChange Win32DialogOpener::OpenService() {
    return ChangeOf(ServiceDialog::Open(owner_, context_.program.settings, *context_.program.config,
                                        context_.service));
}

std::optional<std::size_t> Win32DialogOpener::OpenFolderEditor(FolderEdit edit, int selectedRow) {
    return FolderEditorDialog::Open(
        owner_, edit, selectedRow,
        {context_.program.settings, *context_.program.config, context_.program.folders,
         context_.countFiles, platform::HomeDirectory()});
}

void Win32DialogOpener::OpenAbout() {
    AboutDialog::Open(owner_, context_.program.settings);
}

void Win32DialogOpener::ShowLogViewer() {
    if (!logViewer_) {
        logViewer_ = std::make_unique<LogViewerWindow>(
            context_.program.settings, context_.open,
            LogViewerMainWindow{context_.minimizeMain, context_.restoreMain, context_.mainShown});
    }
    logViewer_->ShowFromMenu();
}

void Win32DialogOpener::ShowPurgePreview(const PurgePreview& preview) {
    if (!preview_) {
        preview_ = std::make_unique<PurgePreviewWindow>(context_.program.settings, owner_);
    }
    preview_->ShowPreview(preview);
}

}  // namespace quellix
