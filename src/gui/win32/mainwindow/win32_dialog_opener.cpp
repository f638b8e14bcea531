#include "gui/win32/mainwindow/win32_dialog_opener.h"

#include "gui/win32/dialogs/purge_time_dialog.h"

namespace quellix {

Win32DialogOpener::Win32DialogOpener(HWND owner, Context context)
    : owner_(owner), context_(std::move(context)) {}

Win32DialogOpener::~Win32DialogOpener() = default;

bool Win32DialogOpener::OpenPurgeTime() {
    return PurgeTimeDialog::Open(owner_, context_.program.settings, *context_.program.config);
}

void Win32DialogOpener::OpenTimeBetweenUpdates() {}

void Win32DialogOpener::OpenAutomaticStart() {}

void Win32DialogOpener::OpenAllObsolete() {}

void Win32DialogOpener::OpenLogFolder() {}

void Win32DialogOpener::OpenLogRetention() {}

ServiceChange Win32DialogOpener::OpenService() {
    return ServiceChange::None;
}

std::optional<std::size_t> Win32DialogOpener::OpenFolderEditor(FolderEdit, int) {
    return std::nullopt;
}

void Win32DialogOpener::OpenAbout() {}

void Win32DialogOpener::ShowLogViewer() {}

}  // namespace quellix
