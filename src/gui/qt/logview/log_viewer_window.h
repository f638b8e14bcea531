#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/common/settings.h"
#include "core/logview/log_viewer_rules.h"

class QLabel;
class QMenu;
class QScrollBar;

namespace quellix {

// The log viewer frmVoirLogs: the dates of the daily logs, four to a row, oldest first, in a
// small window kept on top; a click opens a day's log in the browser, a right click offers to
// remove it.
class LogViewerWindow final : public QWidget {
    Q_OBJECT

  public:
    // What the viewer does to the main window.
    struct MainWindowCalls {
        std::function<void()> minimize;
        // Back to the screen, maximized.
        std::function<void()> restore;
        // Shown to the user, not minimized nor only in the tray.
        std::function<bool()> visible;
    };

    // open hands a log file to the browser; its result is not looked at.
    LogViewerWindow(const Settings& settings, std::function<bool(const std::string&)> open,
                    MainWindowCalls main);

    // The Check Logs command. While the viewer is open: the main window goes and the viewer comes
    // back to its normal state. Otherwise: the logs are listed afresh, the viewer is shown at the
    // top right of the screen without taking the focus, and the newest log is opened.
    void ShowFromMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void Load();
    void ClearLabels();
    void PlaceOnScreen();
    void MinimizeMainWindow();
    void OpenLog(std::size_t index);
    void OfferRemoval(std::size_t index, const QPoint& at);
    void RemoveChosenLog();
    void Scrolled(int value);

    const Settings& settings_;
    std::function<bool(const std::string&)> open_;
    MainWindowCalls main_;
    QScrollBar* scroll_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* removeItem_ = nullptr;
    QAction* cancelItem_ = nullptr;
    QFont labelFont_;
    // The labels' logs, one for one; the column markers also move when scrolling.
    std::vector<DayLog> logs_;
    std::vector<QLabel*> labels_;
    std::vector<QLabel*> markers_;
    std::size_t rightClicked_ = 0;
    int previousValue_ = 0;
};

}  // namespace quellix
