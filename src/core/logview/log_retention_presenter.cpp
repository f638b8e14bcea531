#include "core/logview/log_retention_presenter.h"

#include <string>

#include "core/logview/log_settings_rules.h"
#include "core/logview/log_settings_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kSwitch = "chkPurgeLogs";
constexpr std::string_view kNumber = "Text1";
constexpr std::string_view kLimit = "Label1";

}  // namespace

LogRetentionPresenter::LogRetentionPresenter(DialogView& view, Settings& settings,
                                             ConfigStore& config)
    : view_(view), settings_(settings), config_(config) {}

void LogRetentionPresenter::Load() {
    view_.SetText(kWindow, settings_.ProgramTitle);
    ShowCaptions(view_, kLogRetentionCaptions, settings_.language());
    view_.SetChecked(kSwitch, settings_.PurgeLogs);
    view_.SetText(kNumber, std::to_string(settings_.DelaiLogs));
    view_.SetVisible(kLimit, false);
}

void LogRetentionPresenter::OnStep(bool up) {
    const std::string text = view_.Text(kNumber);
    const LogRetentionStep step = up ? StepLogRetentionUp(text, settings_.Langue)
                                     : StepLogRetentionDown(text, settings_.Langue);
    if (step.limitMessage) {
        view_.SetText(kLimit, *step.limitMessage);
    }
    view_.SetVisible(kLimit, step.limitMessage.has_value());
    view_.SetText(kNumber, std::to_string(step.value));
}

void LogRetentionPresenter::OnOk() {
    const std::string text = view_.Text(kNumber);
    if (const auto refusal =
            RunLogRetentionOk(view_.IsChecked(kSwitch), text, settings_, config_)) {
        view_.ShowMessage(*refusal);
        return;
    }
    accepted_ = true;
    view_.Close(true);
}

void LogRetentionPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
