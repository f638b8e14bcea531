#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "core/dialogs/folder_editor_rules.h"
#include "core/mainwindow/main_window_presenter.h"
#include "core/mainwindow/main_window_view.h"
#include "gui/qt/common/widget_dialog_view.h"
#include "gui/qt/mainwindow/qt_dialog_opener.h"

namespace quellix {

class FolderGridView;
class FolderListModel;
class TrayIcon;

// What the desktop's main window works with besides its presenter's context; everything outlives
// the window.
struct MainWindowParts {
    MainWindowContext context;
    // Files of one folder, with its subfolders when asked (the folder editor counts).
    FileCounter countFiles;
    TrayIcon& tray;
};

// The program's main window on the desktop: menus built from the menu table, the schedule's
// buttons and labels, and the folder grid. Its presenter decides everything it shows.
class MainWindow final : public QMainWindow, public MainWindowView {
    Q_OBJECT

  public:
    explicit MainWindow(MainWindowParts parts);
    ~MainWindow() override;

    MainWindowPresenter& Presenter() { return *presenter_; }

    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    FolderGridView* Grid() const { return grid_; }

    // The view the presenter drives.
    void SetText(std::string_view control, std::string_view text) override;
    std::string Text(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetVisible(std::string_view control, bool visible) override;
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override;
    void SetFocus(std::string_view control) override;
    void Close(bool accepted) override;
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void SetToolTip(std::string_view control, std::string_view text) override;
    void ShowHourglassFrame(int frame) override;
    void SetTimerRunning(bool running) override;
    void RefreshGrid() override;
    int CurrentRow() const override;
    void ShowRow(std::size_t row) override;
    void PopUpContextMenu() override;
    void SetBusyCursor(bool busy) override;
    void SetStartsMinimized(bool minimized) override;
    void ShowMaximized() override;
    void ShowMinimized() override;
    void Restore() override;
    void Hide() override;
    bool IsShownToUser() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Tray;

    void BuildControls();
    void BuildMenus();
    QMenu* BuildMenu(const MenuDefinition& definition, QWidget* parent);
    void ConnectEvents();
    void Relayout();
    int NarrowColumnWidth() const;

    WidgetDialogView controls_{*this};
    QMenu* popup_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QPoint popupAt_;

    QPushButton* start_ = nullptr;
    QLabel* purgeTime_ = nullptr;
    QLabel* lastPurge_ = nullptr;
    QLabel* busy_ = nullptr;
    QLabel* hint_ = nullptr;
    FolderGridView* grid_ = nullptr;
    FolderListModel* model_ = nullptr;
    QTimer* timer_ = nullptr;
    int narrowColumnWidth_ = 0;

    TrayIcon& trayIcon_;
    std::unique_ptr<Tray> tray_;
    QtDialogOpener dialogs_;
    std::unique_ptr<MainWindowPresenter> presenter_;
};

}  // namespace quellix
