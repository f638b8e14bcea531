#include "core/dialogs/tempo_presenter.h"

#include <optional>
#include <string>

#include "core/dialogs/dialog_captions.h"
#include "core/dialogs/option_rules.h"
#include "core/dialogs/option_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kSecondsBox = "Text1";
constexpr std::string_view kRedLabel = "Label1";

}  // namespace

TempoPresenter::TempoPresenter(DialogView& view, Settings& settings, ConfigStore& config,
                               SchedulerState& scheduler)
    : view_(view), settings_(settings), config_(config), scheduler_(scheduler) {}

void TempoPresenter::Load() {
    const Language language = settings_.language();
    view_.SetText("frmTempo", settings_.ProgramTitle);
    ShowCaptions(view_, kTempoCaptions, language);
    view_.SetText(kRedLabel, texts::kTempoHint.In(language));
    view_.SetTextColour(kRedLabel, kWarningColour);
    view_.SetVisible(kRedLabel, true);
    view_.SetText(kSecondsBox, std::to_string(settings_.Temporisation));
    view_.SetFocus(kSecondsBox);
}

void TempoPresenter::OnStep(bool up) {
    const std::string text = view_.Text(kSecondsBox);
    const Language language = settings_.language();
    const TempoStep step = up ? StepTempoUp(text, language) : StepTempoDown(text, language);
    if (step.limitMessage) {
        view_.SetText(kRedLabel, *step.limitMessage);
    }
    view_.SetVisible(kRedLabel, step.limitMessage.has_value());
    view_.SetText(kSecondsBox, std::to_string(step.value));
}

void TempoPresenter::OnOk() {
    if (const std::optional<MessageRequest> refusal =
            RunTempoOk(view_.Text(kSecondsBox), settings_, config_, scheduler_)) {
        view_.ShowMessage(*refusal);
        return;
    }
    accepted_ = true;
    view_.Close(true);
}

void TempoPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
