#pragma once

#include <string_view>

namespace quellix {

// Stopped: Start enabled, Stop disabled, settings menus and the immediate box enabled, no timer.
// Running: the reverse, the one-second timer on. Immediate: as Running, without the timer.
enum class SchedulerMode { Stopped, Running, Immediate };

// The main window as start-up, the scheduler, counts and purges see it.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;

    // Creates the main window hidden and runs its load step; false when that step ends the
    // program. ApplyCaptions writes every caption of the main window in the current language.
    virtual bool CreateMainWindow() = 0;
    virtual void ApplyCaptions() = 0;

    // The statistics of the last purge run, shown under the list.
    virtual void SetLastPurgeText(std::string_view text) = 0;

    // Status line of the main window and the busy picture beside it; the two are shown and
    // hidden together.
    virtual void SetStatusText(std::string_view text) = 0;
    virtual void SetBusyVisible(bool visible) = 0;

    // Shows the main window (or only the tray icon when it starts minimized).
    virtual void ShowMainWindow() = 0;
    virtual bool IsMainWindowVisible() const = 0;

    // The folder-list model changed (rows, cells or title): redraw the grid.
    virtual void FolderListChanged() = 0;

    // The scheduler's state, which the buttons, the settings menus and the timer follow.
    virtual void SetSchedulerMode(SchedulerMode mode) = 0;
    // One of the ten hourglass pictures (0..9) in the busy picture.
    virtual void ShowHourglassFrame(int frame) = 0;
    // The purge time label, hidden while the immediate purge box is ticked.
    virtual void SetPurgeTimeVisible(bool visible) = 0;
};

}  // namespace quellix
