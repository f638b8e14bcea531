#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/mainwindow/main_window_view.h"
#include "support/recording_dialog_view.h"

namespace quellix {

// The main window without a toolkit: its controls and menu items are recorded as a dialog's are
// (`controls`, `At`, `closed`), and the window's own state as plain fields a test reads and sets.
class RecordingMainWindowView final : public MainWindowView, public RecordingDialogView {
  public:
    void SetToolTip(std::string_view control, std::string_view text) override {
        toolTips[std::string(control)] = std::string(text);
    }
    void ShowHourglassFrame(int frame) override { hourglassFrame = frame; }
    void SetTimerRunning(bool running) override { timerRunning = running; }
    void RefreshGrid() override { ++gridRefreshes; }
    int CurrentRow() const override { return currentRow; }
    void ShowRow(std::size_t row) override { currentRow = static_cast<int>(row); }
    void PopUpContextMenu() override { ++contextMenus; }
    void SetBusyCursor(bool busy) override { busyCursor = busy; }
    void SetStartsMinimized(bool minimized) override { startsMinimized = minimized; }
    void ShowMaximized() override { state = State::Shown; }
    void ShowMinimized() override { state = State::Minimized; }
    void Restore() override { state = State::Shown; }
    void Hide() override { state = State::Hidden; }
    bool IsShownToUser() const override { return state == State::Shown; }

    enum class State { NotYetShown, Shown, Minimized, Hidden };

    std::map<std::string, std::string, std::less<>> toolTips;
    int hourglassFrame = -1;
    bool timerRunning = false;
    int gridRefreshes = 0;
    int currentRow = -1;
    int contextMenus = 0;
    bool busyCursor = false;
    std::optional<bool> startsMinimized;
    State state = State::NotYetShown;
};

// The notification area: whether there is one, and whether the icon is in it.
class RecordingTray final : public TrayView {
  public:
    bool Available() const override { return available; }
    void Show(std::string_view newTip) override {
        shown = true;
        tip = std::string(newTip);
    }
    void Remove() override { shown = false; }

    bool available = true;
    bool shown = false;
    std::string tip;
};

// The dialogs the main window opens: each opening recorded by name, with the outcome the test
// chose, and what a dialog would have done run first.
class RecordingDialogOpener final : public DialogOpener {
  public:
    bool OpenPurgeTime() override {
        Opened("PurgeTime");
        return purgeTimeChanged;
    }
    void OpenTimeBetweenUpdates() override { Opened("TimeBetweenUpdates"); }
    void OpenAutomaticStart() override { Opened("AutomaticStart"); }
    void OpenAllObsolete() override { Opened("AllObsolete"); }
    void OpenLogFolder() override { Opened("LogFolder"); }
    void OpenLogRetention() override { Opened("LogRetention"); }
    ServiceChange OpenService() override {
        Opened("Service");
        return serviceChange;
    }
    std::optional<std::size_t> OpenFolderEditor(FolderEdit edit, int selectedRow) override {
        static constexpr const char* kNames[] = {"AddBefore", "AddAfter", "Modify"};
        Opened(std::string("FolderEditor(") + kNames[static_cast<int>(edit)] + "," +
               std::to_string(selectedRow) + ")");
        return editorWrites;
    }
    void OpenAbout() override { Opened("About"); }
    void ShowLogViewer() override { Opened("LogViewer"); }
    void ShowPurgePreview(const PurgePreview& preview) override {
        previews.push_back(preview);
        Opened("PurgePreview");
    }

    std::vector<std::string> opened;
    std::vector<PurgePreview> previews;
    // Runs inside each dialog, as its OK would (a setting changed, a row written).
    std::function<void()> whileOpen;
    bool purgeTimeChanged = false;
    ServiceChange serviceChange = ServiceChange::None;
    std::optional<std::size_t> editorWrites;

  private:
    void Opened(std::string name) {
        opened.push_back(std::move(name));
        if (whileOpen) {
            whileOpen();
        }
    }
};

}  // namespace quellix
