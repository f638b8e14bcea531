#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/common/settings.h"
#include "core/logview/log_viewer_presenter.h"

class QLabel;
class QMenu;
class QScrollBar;

namespace quellix {

// The log viewer frmVoirLogs: the dates of the daily logs, four to a row, oldest first, in a
// small window kept on top; a click opens a day's log in the browser, a right click offers to
// remove it.
class LogViewerWindow final : public QWidget, private LogViewerView {
    Q_OBJECT

  public:
    using MainWindowCalls = LogViewerMainWindow;

    // open hands a log file to the browser; its result is not looked at. trayIcon tells where
    // the tray icon is (an invalid rectangle for unknown), which the window keeps clear of.
    LogViewerWindow(const Settings& settings, std::function<bool(const std::string&)> open,
                    MainWindowCalls main, std::function<QRect()> trayIcon = {});

    // The Check Logs command. While the viewer is open: the main window goes and the viewer comes
    // back to its normal state. Otherwise: the logs are listed afresh, the viewer is shown at the
    // top right of the screen without taking the focus, and the newest log is opened.
    void ShowFromMenu() { presenter_.OnShowCommand(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // What the presenter asks of the window.
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
    void SetDates(const std::vector<DateLabel>& dates,
                  const std::vector<LabelPlace>& markers) override;
    void SetDateColour(std::size_t index, Colour colour) override;
    void HideDate(std::size_t index) override;
    void MoveLabelsUp(int pixels) override;
    void ResetScroll(int maximum) override;
    void SetScrollMaximum(int maximum) override;
    int Height() const override { return height(); }
    void ShowRemovePopup(const std::string& removeItem, const std::string& cancelItem) override;
    bool IsShown() const override { return isVisible(); }
    void ShowAtTopRight() override;
    void BringBack() override;

    void BuildControls();
    void PlaceOnScreen();
    QWidget* Find(std::string_view control) const;

    QScrollBar* scroll_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* removeItem_ = nullptr;
    QAction* cancelItem_ = nullptr;
    QFont labelFont_;
    // The date labels by index; the column markers also move when scrolling.
    std::vector<QLabel*> labels_;
    std::vector<QLabel*> markers_;
    QPoint popupAt_;
    LogViewerPresenter presenter_;
    std::function<QRect()> trayIcon_;
};

}  // namespace quellix
