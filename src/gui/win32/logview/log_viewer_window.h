#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/common/settings.h"
#include "core/logview/log_viewer_presenter.h"
#include "gui/win32/common/control_view.h"

namespace quellix {

// The log viewer frmVoirLogs: the dates of the daily logs, four to a row, oldest first, in a
// small window kept on top; a click opens a day's log in the browser, a right click offers to
// remove it.
class LogViewerWindow final : private ControlView, private LogViewerView {
  public:
    // open hands a log file to the browser; its result is not looked at.
    LogViewerWindow(const Settings& settings, std::function<bool(const std::string&)> open,
                    LogViewerMainWindow main);
    ~LogViewerWindow() override;
    LogViewerWindow(const LogViewerWindow&) = delete;
    LogViewerWindow& operator=(const LogViewerWindow&) = delete;

    // The Check Logs command. While the viewer is open: the main window goes and the viewer comes
    // back to its normal state. Otherwise: the logs are listed afresh, the viewer is shown at the
    // top right of the work area without taking the focus, and the newest log is opened.
    void ShowFromMenu() { presenter_.OnShowCommand(); }

    // The window, hidden while the viewer is closed.
    HWND Handle() const { return Window(); }

    static const wchar_t* ClassName();

  private:
    struct Label {
        HWND handle = nullptr;
        LabelPlace place;
        Colour colour = 0;
    };

    void SetDates(const std::vector<DateLabel>& dates,
                  const std::vector<LabelPlace>& markers) override;
    void SetDateColour(std::size_t index, Colour colour) override;
    void HideDate(std::size_t index) override;
    void MoveLabelsUp(int pixels) override;
    void ResetScroll(int maximum) override;
    void SetScrollMaximum(int maximum) override;
    int Height() const override;
    void ShowRemovePopup(const std::string& removeItem, const std::string& cancelItem) override;
    bool IsShown() const override;
    void ShowAtTopRight() override;
    void BringBack() override;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void Recreate();
    HWND AddLabel(const std::string& name, const std::string& text, DWORD visible);
    void Place(const Label& label) const;
    void OnScroll(WORD request);
    void OnContextMenu(HWND target, LPARAM at);
    int DateIndex(HWND label) const;

    std::vector<Label> dates_;
    std::vector<Label> markers_;
    HWND scroll_ = nullptr;
    HFONT font_ = nullptr;
    // How far the labels are scrolled up, in the layout's pixels (96 DPI).
    int scrolled_ = 0;
    POINT popupAt_{};
    // The pop-up's choice, acted on once the presenter is done asking for it.
    UINT chosen_ = 0;
    LogViewerPresenter presenter_;
};

}  // namespace quellix
