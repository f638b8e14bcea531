#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/common/front_end.h"
#include "core/config/startup.h"
#include "core/dialogs/folder_editor_rules.h"
#include "core/mainwindow/exclusive_work.h"
#include "core/mainwindow/main_window_rules.h"

namespace quellix {

class FolderGridView;
class LogViewerWindow;
class FolderListModel;
class Scheduler;
class ServiceHost;
class TrayIcon;

// What the main window works with; everything outlives the window.
struct MainWindowContext {
    ProgramState& program;
    FrontEnd& frontEnd;
    ServiceHost& service;
    ExclusiveWork& work;
    Scheduler& scheduler;
    // A file count of every entry, unless a count or purge already runs.
    std::function<void()> countPass;
    // Files of one folder, with its subfolders when asked.
    FileCounter countFiles;
    // Starts the desktop's application for a document; false when it could not be started.
    std::function<bool(const std::string&)> open;
    TrayIcon& tray;
    // Ends the program with this exit code once the current handler returns.
    std::function<void(int)> quit;
    // Starts the text editor on a file; false when it could not be started.
    std::function<bool(const std::string&)> edit;
};

// The program's main window: menus, the schedule's buttons and labels, and the folder grid.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(MainWindowContext context);
    ~MainWindow() override;

    // The load step, run once while the window is still hidden; false when it ends the program.
    bool Load();
    // Every caption, menu text, check mark and grid header in the current language.
    void ApplyCaptions();

    void SetLastPurgeText(const QString& text);
    void SetStatusText(const QString& text);
    void SetBusyVisible(bool visible);
    void ShowHourglassFrame(int frame);
    void SetPurgeTimeVisible(bool visible);
    void SetSchedulerMode(SchedulerMode mode);
    void FolderListChanged();

    // Shown maximized, or, when the program starts its schedule by itself, only in the tray.
    void ShowAtStart();
    // Seen by the user: shown and not minimized.
    bool IsShownToUser() const;

    // The tray's left click: hides a shown window, brings a hidden one back in front.
    void ToggleFromTray();
    void Restore();

    // The empty-list hint, or the Start and Stop controls.
    void UpdateEmptyListHint();

    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    FolderGridView* Grid() const { return grid_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    QAction* NewAction(const char* name, bool checkable = false);
    QMenu* NewMenu(const char* name, QWidget* parent);
    void ConnectCommands();
    void ApplyEnabling();
    void Relayout();
    int NarrowColumnWidth() const;
    void ShowContextMenu(const QPoint& globalPosition);
    void RemoveSelected();
    void OpenPurgeTime();
    void OpenServiceDialog();
    void ShowLogViewer();
    void OpenFolderEditor(FolderEditorMode mode);
    void SwitchLanguage();
    void ToggleShortPathnames();
    void SetChecks();
    CommandContext Commands();
    bool Stopped() const;
    bool ServiceInstalledHere() const;

    MainWindowContext context_;
    Settings& settings_;
    SchedulerMode mode_ = SchedulerMode::Stopped;
    bool exitDisabled_ = false;
    bool quitting_ = false;

    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    QMenu* popup_ = nullptr;
    QMenu* trayMenu_ = nullptr;

    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QCheckBox* immediate_ = nullptr;
    QLabel* purgeTime_ = nullptr;
    QLabel* lastPurge_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* busy_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    FolderGridView* grid_ = nullptr;
    FolderListModel* model_ = nullptr;
    QTimer* timer_ = nullptr;
    std::unique_ptr<LogViewerWindow> logViewer_;
};

}  // namespace quellix
