#include "core/logview/log_viewer_presenter.h"

#include <utility>

namespace quellix {

LogViewerPresenter::LogViewerPresenter(LogViewerView& view, const Settings& settings,
                                       std::function<bool(const std::string&)> open,
                                       LogViewerMainWindow main)
    : view_(view), settings_(settings), open_(std::move(open)), main_(std::move(main)) {}

void LogViewerPresenter::OnShowCommand() {
    if (view_.IsShown()) {
        MinimizeMainWindow();
        view_.BringBack();
        return;
    }
    Load();
    view_.ShowAtTopRight();
}

void LogViewerPresenter::Load() {
    view_.SetText(kWindow, LogViewerTitle(settings_));
    logs_ = ListDayLogs(settings_.PathLogs);
    std::vector<DateLabel> dates;
    for (std::size_t i = 0; i < logs_.size(); ++i) {
        dates.push_back({logs_[i].date, LogLabelPlace(i), kNotOpened});
    }
    std::vector<LabelPlace> markers;
    for (std::size_t i = 0; i < std::size(kColumnMarkerLefts); ++i) {
        markers.push_back(ColumnMarkerPlace(i));
    }
    view_.SetDates(dates, markers);
    view_.ResetScroll(LogScrollMaximum(view_.Height()));
    previousValue_ = 0;
    rightClicked_ = 0;
    if (!logs_.empty()) {
        OpenLog(logs_.size() - 1);
    }
}

void LogViewerPresenter::MinimizeMainWindow() {
    // A main window already gone would come back iconic.
    if (main_.visible()) {
        main_.minimize();
    }
}

void LogViewerPresenter::OpenLog(std::size_t index) {
    view_.SetDateColour(index, kOpened);
    open_(DayLogFile(settings_.PathLogs, logs_[index]));
}

void LogViewerPresenter::OnDateClicked(std::size_t index) {
    if (index >= logs_.size()) {
        return;
    }
    MinimizeMainWindow();
    OpenLog(index);
}

void LogViewerPresenter::OnDateRightClicked(std::size_t index) {
    if (index >= logs_.size()) {
        return;
    }
    rightClicked_ = index;
    view_.ShowRemovePopup(RemoveLogItem(logs_[index].date, settings_.Langue),
                          CancelItem(settings_.Langue));
}

void LogViewerPresenter::OnRemoveChosen() {
    if (rightClicked_ >= logs_.size()) {
        return;
    }
    const DayLog& log = logs_[rightClicked_];
    if (view_.ShowMessage(RemoveLogQuestion(log.date, settings_)) != MessageAnswer::Yes) {
        return;
    }
    RemoveDayLog(settings_.PathLogs, log);
    // The other dates keep their places.
    view_.HideDate(rightClicked_);
}

void LogViewerPresenter::OnScrolled(int value) {
    const int moved = value - previousValue_;
    previousValue_ = value;
    view_.MoveLabelsUp(moved);
}

void LogViewerPresenter::OnResized() {
    view_.SetScrollMaximum(LogScrollMaximum(view_.Height()));
}

void LogViewerPresenter::OnClosed() {
    main_.restore();
}

}  // namespace quellix
