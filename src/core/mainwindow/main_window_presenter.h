#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/common/front_end.h"
#include "core/config/startup.h"
#include "core/mainwindow/exclusive_work.h"
#include "core/mainwindow/main_window_rules.h"
#include "core/mainwindow/main_window_view.h"
#include "core/mainwindow/menu_table.h"

namespace quellix {

class Scheduler;
class ServiceHost;

// What the main window works with; everything outlives the window.
struct MainWindowContext {
    ProgramState& program;
    // Message boxes, and the main window as counts and purges see it.
    FrontEnd& frontEnd;
    ServiceHost& service;
    ExclusiveWork& work;
    Scheduler& scheduler;
    // A file count of every entry, unless a count or purge already runs.
    std::function<void()> countPass;
    // Starts the desktop's application for a document; false when it could not be started.
    std::function<bool(const std::string&)> open;
    // Whether a file exists.
    std::function<bool(const std::string&)> exists;
    // Starts the text editor on a file; false when it could not be started.
    std::function<bool(const std::string&)> edit;
    // Ends the program with this exit code once the current handler returns.
    std::function<void(int)> quit;
    // What a purge of these entries would do now; the caller keeps other work out meanwhile.
    std::function<PurgePreview(const FolderList&)> preview;
};

// The main window's behaviour: its load step, the captions, which commands are enabled and
// ticked, what each command does and opens, the tray icon's toggle and the exit sequence. Every
// front end's main window forwards its events here.
class MainWindowPresenter {
  public:
    MainWindowPresenter(MainWindowView& view, TrayView& tray, DialogOpener& dialogs,
                        MainWindowContext context);

    // The load step, run once while the window is still hidden; false when it ends the program.
    bool Load();
    // Every caption, menu text, check mark and grid header in the current language.
    void ApplyCaptions();
    // Shown maximized, or, when the program starts its schedule by itself, only in the tray.
    void ShowAtStart();

    // What counts, purges and the scheduler show.
    void SetLastPurgeText(std::string_view text);
    void SetStatusText(std::string_view text);
    void SetBusyVisible(bool visible);
    void ShowHourglassFrame(int frame);
    void SetPurgeTimeVisible(bool visible);
    void SetSchedulerMode(SchedulerMode mode);
    void FolderListChanged();

    // Events of the window.
    void OnCommand(std::string_view item);
    void OnStart();
    void OnStop();
    void OnImmediateClicked(bool ticked);
    void OnTimer();
    void OnPurgeTimeClicked();
    void OnGridDoubleClicked();
    void OnDeleteKey();
    void OnContextMenu();
    // The tray's left click: hides a shown window, brings a hidden one back in front.
    void OnTrayLeftClick();
    void OnMinimized();
    void OnActivated();
    // A request to close the window (Exit, the tray menu's Exit, the close box): true when the
    // window may close, the program then ending.
    bool OnCloseRequested();

  private:
    void Run(MenuCommand command);
    void SetChecks();
    void ApplyEnabling();
    void UpdateEmptyListHint();
    void OpenPurgeTime();
    void OpenService();
    void OpenFolderEditor(FolderEdit edit);
    void RemoveSelected();
    void PreviewPurge(bool selectedOnly);
    void UndoLastPurge();
    CommandContext Commands();
    bool Stopped() const { return mode_ == SchedulerMode::Stopped; }
    bool ServiceInstalledHere() const;

    MainWindowView& view_;
    TrayView& tray_;
    DialogOpener& dialogs_;
    MainWindowContext context_;
    Settings& settings_;
    SchedulerMode mode_ = SchedulerMode::Stopped;
    bool exitDisabled_ = false;
    bool quitting_ = false;
};

}  // namespace quellix
