#include "gui/qt/mainwindow/qt_front_end.h"

#include <QApplication>

#include "gui/qt/common/message_box.h"
#include "gui/qt/mainwindow/loading_window.h"
#include "gui/qt/mainwindow/main_window.h"

namespace quellix {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtFrontEnd::QtFrontEnd() = default;
QtFrontEnd::~QtFrontEnd() = default;

void QtFrontEnd::DestroyWindows() {
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

void QtFrontEnd::ShowLoadingWindow(std::string_view caption) {
    if (!loading_) {
        loading_ = std::make_unique<LoadingWindow>();
    }
    loading_->setWindowTitle(Q(caption));
    loading_->show();
    loading_->repaint();
}

void QtFrontEnd::SetLoadingMessage(std::string_view text) {
    if (loading_) {
        loading_->SetMessage(Q(text));
    }
}

void QtFrontEnd::SetLoadingCounter(std::string_view text) {
    if (loading_) {
        loading_->SetCounter(Q(text));
    }
}

void QtFrontEnd::HideLoadingWindow() {
    if (loading_) {
        loading_->hide();
    }
}

bool QtFrontEnd::CreateMainWindow() {
    window_ = wiring_.makeWindow();
    return window_->Load();
}

void QtFrontEnd::ApplyCaptions() {
    if (window_) {
        window_->ApplyCaptions();
    }
}

void QtFrontEnd::SetLastPurgeText(std::string_view text) {
    if (window_) {
        window_->SetLastPurgeText(Q(text));
    }
}

void QtFrontEnd::SetStatusText(std::string_view text) {
    if (window_) {
        window_->SetStatusText(Q(text));
    }
}

void QtFrontEnd::SetBusyVisible(bool visible) {
    if (window_) {
        window_->SetBusyVisible(visible);
    }
}

void QtFrontEnd::ShowMainWindow() {
    if (window_) {
        window_->ShowAtStart();
    }
}

bool QtFrontEnd::IsMainWindowVisible() const {
    return window_ && window_->IsShownToUser();
}

void QtFrontEnd::FolderListChanged() {
    if (window_) {
        window_->FolderListChanged();
    }
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

void QtFrontEnd::SetSchedulerMode(SchedulerMode mode) {
    if (window_) {
        window_->SetSchedulerMode(mode);
    }
}

void QtFrontEnd::ShowHourglassFrame(int frame) {
    if (window_) {
        window_->ShowHourglassFrame(frame);
    }
}

void QtFrontEnd::SetPurgeTimeVisible(bool visible) {
    if (window_) {
        window_->SetPurgeTimeVisible(visible);
    }
}

void QtFrontEnd::EndProgram(ProgramEnd end) {
    end_ = end;
    if (wiring_.endLoop) {
        wiring_.endLoop(end == ProgramEnd::Failure ? 1 : 0);
    }
}

}  // namespace quellix
