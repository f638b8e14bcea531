#include "gui/qt/mainwindow/qt_front_end.h"

#include <QApplication>

#include "gui/qt/common/message_box.h"
#include "gui/qt/mainwindow/loading_window.h"
#include "gui/qt/mainwindow/main_window.h"

namespace quellix {

QtFrontEnd::QtFrontEnd() = default;
QtFrontEnd::~QtFrontEnd() = default;

void QtFrontEnd::DestroyWindows() {
    ForgetMainWindow();
    window_.reset();
    loading_.reset();
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

MainWindowPresenter& QtFrontEnd::BuildMainWindow() {
    window_ = makeWindow_();
    return window_->Presenter();
}

bool QtFrontEnd::IsMainWindowVisible() const {
    return window_ && window_->IsShownToUser();
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

}  // namespace quellix
