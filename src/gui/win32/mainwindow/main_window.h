#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "core/dialogs/folder_editor_rules.h"
#include "core/mainwindow/main_window_presenter.h"
#include "core/mainwindow/main_window_view.h"
#include "gui/win32/common/control_view.h"
#include "gui/win32/mainwindow/folder_grid.h"
#include "gui/win32/mainwindow/menu_set.h"
#include "gui/win32/mainwindow/tray_icon.h"

namespace quellix {

class Win32DialogOpener;

// What the main window works with besides its presenter's context; everything outlives it.
struct MainWindowParts {
    MainWindowContext context;
    // Files of one folder, with its subfolders when asked (the folder editor counts).
    FileCounter countFiles;
    TrayIcon& tray;
};

// The program's main window on Windows: the menu bar from the menu table, the schedule's
// buttons and labels, and the folder grid. Its presenter decides everything it shows. Created
// hidden.
class MainWindow final : public ControlView, public MainWindowView {
  public:
    explicit MainWindow(MainWindowParts parts);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return Window(); }
    MainWindowPresenter& Presenter() { return *presenter_; }
    MenuSet& Menus() { return menus_; }
    FolderGrid& Grid() { return grid_; }

    // Names reach the menus first, then the controls.
    void SetText(std::string_view control, std::string_view text) override;
    std::string Text(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetVisible(std::string_view control, bool visible) override;

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

    // The window's class, registered once.
    static const wchar_t* ClassName();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildControls();
    void ApplyScale();
    HWND AddControl(const char* name, const wchar_t* windowClass, DWORD style, int id);
    void OnControlCommand(int id, WORD notification);
    bool OnNotify(const NMHDR& header, LRESULT* result);
    void OnTrayMessage(UINT mouseMessage);
    void PopUp(HMENU menu, POINT at);
    void Relayout();
    int NarrowColumnWidth() const;
    HICON Icon(int id, int size) const;

    MenuSet menus_;
    FolderGrid grid_;
    TrayIcon& trayIcon_;
    std::unique_ptr<TrayView> tray_;
    std::unique_ptr<Win32DialogOpener> dialogs_;
    std::unique_ptr<MainWindowPresenter> presenter_;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    HWND tooltips_ = nullptr;
    std::array<HICON, 10> hourglass_{};
    HICON refresh_ = nullptr;
    HICON rise_ = nullptr;
    HICON fall_ = nullptr;
    HICON programIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool startsMinimized_ = false;
    // The four narrow columns' width for the list and font of the moment.
    int narrowColumnWidth_ = 0;
    int minimumInnerWidth_ = 0;
    int busyCursor_ = 0;
    // Where the context menu opens: the pointer when the grid asked for it.
    POINT popupAt_{};
};

}  // namespace quellix
