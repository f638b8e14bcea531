#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "core/mainwindow/desktop_front_end.h"

namespace quellix {

class LoadingWindow;
class MainWindow;

// The desktop front end on Qt: the loading window, the main window, message boxes and the event
// loop's pending events.
class QtFrontEnd final : public DesktopFrontEnd {
  public:
    QtFrontEnd();
    ~QtFrontEnd() override;
    // Builds the main window once the program is wired.
    void SetWindowMaker(std::function<std::unique_ptr<MainWindow>()> makeWindow) {
        makeWindow_ = std::move(makeWindow);
    }

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    StartupProgress& Progress() override;
    void ProcessPendingEvents() override;
    bool IsMainWindowVisible() const override;

    // How often walks let events run at most (tests ask for every call).
    void SetEventInterval(qint64 milliseconds) { eventIntervalMs_ = milliseconds; }

    // The windows go before what they show.
    void DestroyWindows();

    MainWindow* MainWindowWidget() const { return window_.get(); }
    LoadingWindow* Loading() const { return loading_.get(); }

  private:
    MainWindowPresenter& BuildMainWindow() override;

    std::function<std::unique_ptr<MainWindow>()> makeWindow_;
    std::unique_ptr<LoadingWindow> loading_;
    std::unique_ptr<MainWindow> window_;
    QElapsedTimer sinceEvents_;
    // Far below what a person notices, far above the cost of asking.
    qint64 eventIntervalMs_ = 15;
};

}  // namespace quellix
