#include "gui/qt/mainwindow/qt_front_end.h"

#include <QApplication>

#include "gui/qt/common/message_box.h"
#include "gui/qt/mainwindow/loading_window.h"
#include "gui/qt/mainwindow/main_window.h"

namespace quellix {

QtFrontEnd::QtFrontEnd() = default;
QtFrontEnd::~QtFrontEnd() = default;

void QtFrontEnd::DestroyWindows() {
    window_.reset();
    loading_.reset();
}

template <typename Call>
void QtFrontEnd::OnWindow(Call&& call) {
    if (window_) {
        call(window_->Presenter());
    }
}

MessageAnswer QtFrontEnd::ShowMessage(const MessageRequest& request) {
    QWidget* parent = nullptr;
    if (window_ && window_->isVisible()) {
        parent = window_.get();
    }
    return MessageBoxes::Show(parent, request);
}

StartupProgress& QtFrontEnd::Progress() {
    if (!loading_) {
        loading_ = std::make_unique<LoadingWindow>();
    }
    return *loading_;
}

bool QtFrontEnd::CreateMainWindow() {
    window_ = wiring_.makeWindow();
    return window_->Presenter().Load();
}

void QtFrontEnd::ApplyCaptions() {
    OnWindow([](MainWindowPresenter& window) { window.ApplyCaptions(); });
}

void QtFrontEnd::SetLastPurgeText(std::string_view text) {
    OnWindow([text](MainWindowPresenter& window) { window.SetLastPurgeText(text); });
}

void QtFrontEnd::SetStatusText(std::string_view text) {
    OnWindow([text](MainWindowPresenter& window) { window.SetStatusText(text); });
}

void QtFrontEnd::SetBusyVisible(bool visible) {
    OnWindow([visible](MainWindowPresenter& window) { window.SetBusyVisible(visible); });
}

void QtFrontEnd::ShowMainWindow() {
    OnWindow([](MainWindowPresenter& window) { window.ShowAtStart(); });
}

bool QtFrontEnd::IsMainWindowVisible() const {
    return window_ && window_->IsShownToUser();
}

void QtFrontEnd::FolderListChanged() {
    OnWindow([](MainWindowPresenter& window) { window.FolderListChanged(); });
}

void QtFrontEnd::SetSchedulerMode(SchedulerMode mode) {
    OnWindow([mode](MainWindowPresenter& window) { window.SetSchedulerMode(mode); });
}

void QtFrontEnd::ShowHourglassFrame(int frame) {
    OnWindow([frame](MainWindowPresenter& window) { window.ShowHourglassFrame(frame); });
}

void QtFrontEnd::SetPurgeTimeVisible(bool visible) {
    OnWindow([visible](MainWindowPresenter& window) { window.SetPurgeTimeVisible(visible); });
}

void QtFrontEnd::RunCountPass() {
    if (wiring_.countPass) {
        wiring_.countPass();
    }
}

void QtFrontEnd::RunStartCommand() {
    if (wiring_.startCommand) {
        wiring_.startCommand();
    }
}

void QtFrontEnd::ProcessPendingEvents() {
    // Called at every folder and every few hundred files: paced by time, so a walk neither
    // stalls the window nor spends its time asking.
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < eventIntervalMs_) {
        return;
    }
    QApplication::processEvents();
    sinceEvents_.start();
}

void QtFrontEnd::EndProgram(ProgramEnd end) {
    end_ = end;
    if (wiring_.endLoop) {
        wiring_.endLoop(end == ProgramEnd::Failure ? 1 : 0);
    }
}

}  // namespace quellix
