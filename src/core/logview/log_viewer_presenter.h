#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/logview/log_viewer_rules.h"

namespace quellix {

// A date label of the viewer: its text, where it sits, its colour.
struct DateLabel {
    std::string date;
    LabelPlace place;
    Colour colour = 0;
    bool operator==(const DateLabel&) const = default;
};

// The viewer's window: a column of date labels (by index, in the order given), hidden column
// markers, a vertical scroll bar and a pop-up menu, in a small window kept on top.
class LogViewerView : public virtual DialogView {
  public:
    // Replaces every date label and marker; all are placed, the dates shown, the markers hidden.
    virtual void SetDates(const std::vector<DateLabel>& dates,
                          const std::vector<LabelPlace>& markers) = 0;
    virtual void SetDateColour(std::size_t index, Colour colour) = 0;
    virtual void HideDate(std::size_t index) = 0;
    // Moves every date label and marker up by this many pixels (down when negative), each
    // keeping its visibility.
    virtual void MoveLabelsUp(int pixels) = 0;
    // The scroll bar's range starts at 0; Reset also puts it back at 0 without a scroll event.
    virtual void ResetScroll(int maximum) = 0;
    virtual void SetScrollMaximum(int maximum) = 0;
    virtual int Height() const = 0;
    // The pop-up of the date last right-clicked, where it was clicked.
    virtual void ShowRemovePopup(const std::string& removeItem, const std::string& cancelItem) = 0;
    // Shown to the user, not closed (minimized counts as shown).
    virtual bool IsShown() const = 0;
    // Shown at the top right of the screen, without taking the focus, in its normal state.
    virtual void ShowAtTopRight() = 0;
    // Back from minimized to its normal state, above the others.
    virtual void BringBack() = 0;
};

// What the viewer does to the main window.
struct LogViewerMainWindow {
    std::function<void()> minimize;
    // Back to the screen, maximized.
    std::function<void()> restore;
    // Shown to the user, not minimized nor only in the tray.
    std::function<bool()> visible;
};

// The log viewer: the dates of the daily logs, four to a row, oldest first; a click opens a day's
// log in the browser, a right click offers to remove it.
class LogViewerPresenter {
  public:
    static constexpr std::string_view kWindow = "frmVoirLogs";
    static constexpr Colour kNotOpened = 0xFF0000;
    static constexpr Colour kOpened = 0x800080;

    // open hands a log file to the browser; its result is not looked at.
    LogViewerPresenter(LogViewerView& view, const Settings& settings,
                       std::function<bool(const std::string&)> open, LogViewerMainWindow main);

    // The Check Logs command. While the viewer is open: the main window goes and the viewer comes
    // back. Otherwise: the logs are listed afresh, the newest is opened, and the viewer is shown.
    void OnShowCommand();
    void OnDateClicked(std::size_t index);
    void OnDateRightClicked(std::size_t index);
    // The pop-up's remove entry: asked first, then the file goes and only its date is hidden.
    void OnRemoveChosen();
    // The scroll bar's new value; the labels follow the difference from the last one.
    void OnScrolled(int value);
    void OnResized();
    void OnClosed();

  private:
    void Load();
    void OpenLog(std::size_t index);
    void MinimizeMainWindow();

    LogViewerView& view_;
    const Settings& settings_;
    std::function<bool(const std::string&)> open_;
    LogViewerMainWindow main_;
    // The date labels' logs, one for one.
    std::vector<DayLog> logs_;
    std::size_t rightClicked_ = 0;
    int previousValue_ = 0;
};

}  // namespace quellix
