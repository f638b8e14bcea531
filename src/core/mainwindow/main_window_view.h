#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/file_counter.h"
#include "core/common/folder_editor_mode.h"
#include "core/purge/purge_preview.h"

namespace quellix {

// The main window as its presenter drives it. Controls, menus and menu items are named as in the
// caption and menu tables ("cmdDemarrer", "mnuDossiers", "mnuAnglais"); the window's own name
// "frmPurgeNN" is its title bar. Enabling a menu's name enables the whole menu.
class MainWindowView : public virtual DialogView {
  public:
    virtual void SetToolTip(std::string_view control, std::string_view text) = 0;
    // One of the ten hourglass pictures (0..9) in the busy picture.
    virtual void ShowHourglassFrame(int frame) = 0;
    // The one-second timer that calls the presenter's OnTimer.
    virtual void SetTimerRunning(bool running) = 0;
    // The folder list changed (rows, cells, headers or language): redraw and lay out the grid.
    virtual void RefreshGrid() = 0;
    // The grid's current data row (0-based), or -1.
    virtual int CurrentRow() const = 0;
    // Makes a data row current and scrolls to it, without highlighting it.
    virtual void ShowRow(std::size_t row) = 0;
    // The context menu at the pointer, as prepared just before.
    virtual void PopUpContextMenu() = 0;
    // The wait cursor over the whole program, or the normal one again.
    virtual void SetBusyCursor(bool busy) = 0;

    // The state the hidden window will be shown in: minimized or maximized.
    virtual void SetStartsMinimized(bool minimized) = 0;
    virtual void ShowMaximized() = 0;
    virtual void ShowMinimized() = 0;
    // Out of the minimized state, maximized, shown, in front and focused.
    virtual void Restore() = 0;
    virtual void Hide() = 0;
    // Shown and not minimized.
    virtual bool IsShownToUser() const = 0;
};

// The program's icon in the notification area; its left click and its menu reach the presenter
// through the window.
class TrayView {
  public:
    virtual ~TrayView() = default;
    // False where the desktop has no notification area: the window must then stay reachable
    // through the task bar.
    virtual bool Available() const = 0;
    virtual void Show(std::string_view tip) = 0;
    virtual void Remove() = 0;
};

using FolderEdit = FolderEditorMode;
enum class ServiceChange { None, Installed, Removed };

class ServiceHost;
struct ProgramState;

// What every front end's dialogs work with; everything outlives them.
struct DialogContext {
    ProgramState& program;
    ServiceHost& service;
    // Files of one folder, with its subfolders when asked.
    FileCounter countFiles;
    // Starts the desktop's application for a document.
    std::function<bool(const std::string&)> open;
    // What the log viewer does with the main window: minimize it, bring it back, and ask
    // whether it is seen.
    std::function<void()> minimizeMain;
    std::function<void()> restoreMain;
    std::function<bool()> mainShown;
};

// The windows the main window opens. Each front end opens its own dialogs; the modal ones return
// when closed.
class DialogOpener {
  public:
    virtual ~DialogOpener() = default;
    // True when the purge time was changed.
    virtual bool OpenPurgeTime() = 0;
    virtual void OpenTimeBetweenUpdates() = 0;
    virtual void OpenAutomaticStart() = 0;
    virtual void OpenAllObsolete() = 0;
    virtual void OpenLogFolder() = 0;
    virtual void OpenLogRetention() = 0;
    virtual ServiceChange OpenService() = 0;
    // The folder entry editor on the selected row (0-based, -1 for none); the row it wrote, or
    // nothing when it was cancelled.
    virtual std::optional<std::size_t> OpenFolderEditor(FolderEdit edit, int selectedRow) = 0;
    virtual void OpenAbout() = 0;
    // Not modal: brings an open log viewer forward (the main window minimized), or opens one.
    virtual void ShowLogViewer() = 0;
    // Not modal: what a purge would do now, in the preview window (brought forward when open).
    virtual void ShowPurgePreview(const PurgePreview& preview) = 0;
};

}  // namespace quellix
