#include "core/mainwindow/desktop_front_end.h"

#include "core/mainwindow/main_window_presenter.h"

namespace quellix {

template <typename Call>
void DesktopFrontEnd::OnWindow(Call&& call) {
    if (presenter_ != nullptr) {
        call(*presenter_);
    }
}

bool DesktopFrontEnd::CreateMainWindow() {
    presenter_ = &BuildMainWindow();
    return presenter_->Load();
}

void DesktopFrontEnd::ApplyCaptions() {
    OnWindow([](MainWindowPresenter& window) { window.ApplyCaptions(); });
}

void DesktopFrontEnd::SetLastPurgeText(std::string_view text) {
    OnWindow([text](MainWindowPresenter& window) { window.SetLastPurgeText(text); });
}

void DesktopFrontEnd::SetStatusText(std::string_view text) {
    OnWindow([text](MainWindowPresenter& window) { window.SetStatusText(text); });
}

void DesktopFrontEnd::SetBusyVisible(bool visible) {
    OnWindow([visible](MainWindowPresenter& window) { window.SetBusyVisible(visible); });
}

void DesktopFrontEnd::ShowMainWindow() {
    OnWindow([](MainWindowPresenter& window) { window.ShowAtStart(); });
}

void DesktopFrontEnd::FolderListChanged() {
    OnWindow([](MainWindowPresenter& window) { window.FolderListChanged(); });
}

void DesktopFrontEnd::SetSchedulerMode(SchedulerMode mode) {
    OnWindow([mode](MainWindowPresenter& window) { window.SetSchedulerMode(mode); });
}

void DesktopFrontEnd::ShowHourglassFrame(int frame) {
    OnWindow([frame](MainWindowPresenter& window) { window.ShowHourglassFrame(frame); });
}

void DesktopFrontEnd::SetPurgeTimeVisible(bool visible) {
    OnWindow([visible](MainWindowPresenter& window) { window.SetPurgeTimeVisible(visible); });
}

void DesktopFrontEnd::RunCountPass() {
    if (wiring_.countPass) {
        wiring_.countPass();
    }
}

void DesktopFrontEnd::RunStartCommand() {
    if (wiring_.startCommand) {
        wiring_.startCommand();
    }
}

void DesktopFrontEnd::EndProgram(ProgramEnd end) {
    end_ = end;
    if (wiring_.endLoop) {
        wiring_.endLoop(end == ProgramEnd::Failure ? 1 : 0);
    }
}

}  // namespace quellix
