#include "gui/qt/mainwindow/qt_dialog_opener.h"

#include "gui/qt/dialogs/about_dialog.h"
#include "gui/qt/dialogs/all_obsolete_dialog.h"
#include "gui/qt/dialogs/automatic_start_dialog.h"
#include "gui/qt/dialogs/folder_editor_dialog.h"
#include "gui/qt/dialogs/purge_time_dialog.h"
#include "gui/qt/dialogs/tempo_dialog.h"
#include "gui/qt/logview/log_folder_dialog.h"
#include "gui/qt/logview/log_retention_dialog.h"
#include "gui/qt/logview/log_viewer_window.h"
#include "gui/qt/mainwindow/purge_preview_window.h"
#include "gui/qt/service/service_dialog.h"
#include "platform/process_info.h"

namespace quellix {

QtDialogOpener::QtDialogOpener(QWidget& parent, Context context, std::function<QRect()> trayIcon)
    : parent_(parent), context_(std::move(context)), trayIcon_(std::move(trayIcon)) {}

QtDialogOpener::~QtDialogOpener() = default;

bool QtDialogOpener::OpenPurgeTime() {
    return PurgeTimeDialog::Open(&parent_, context_.program.settings, *context_.program.config);
}

void QtDialogOpener::OpenTimeBetweenUpdates() {
    TempoDialog::Open(&parent_, context_.program.settings, *context_.program.config,
                      context_.program.scheduler);
}

void QtDialogOpener::OpenAutomaticStart() {
    AutomaticStartDialog::Open(&parent_, context_.program.settings, *context_.program.config);
}

void QtDialogOpener::OpenAllObsolete() {
    AllObsoleteDialog::Open(&parent_, context_.program.settings, *context_.program.config);
}

void QtDialogOpener::OpenLogFolder() {
    LogFolderDialog::Open(&parent_, context_.program.settings, *context_.program.config);
}

void QtDialogOpener::OpenLogRetention() {
    LogRetentionDialog::Open(&parent_, context_.program.settings, *context_.program.config);
}

ServiceChange QtDialogOpener::OpenService() {
    return ChangeOf(ServiceDialog::Open(&parent_, context_.program.settings,
                                        *context_.program.config, context_.service));
}

std::optional<std::size_t> QtDialogOpener::OpenFolderEditor(FolderEdit edit, int selectedRow) {
    return FolderEditorDialog::Open(
        &parent_, edit, selectedRow,
        {context_.program.settings, *context_.program.config, context_.program.folders,
         context_.countFiles, platform::HomeDirectory()});
}

void QtDialogOpener::OpenAbout() {
    AboutDialog::Open(&parent_, context_.program.settings);
}

void QtDialogOpener::ShowLogViewer() {
    if (!logViewer_) {
        logViewer_ = std::make_unique<LogViewerWindow>(
            context_.program.settings, context_.open,
            LogViewerWindow::MainWindowCalls{context_.minimizeMain, context_.restoreMain,
                                             context_.mainShown},
            trayIcon_);
    }
    logViewer_->ShowFromMenu();
}

void QtDialogOpener::ShowPurgePreview(const PurgePreview& preview) {
    if (preview_.isNull()) {
        preview_ = new PurgePreviewWindow(context_.program.settings, &parent_);
    }
    preview_->ShowPreview(preview);
}

}  // namespace quellix
