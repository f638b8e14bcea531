#include "core/dialogs/purge_time_presenter.h"

#include <optional>

#include "core/dialogs/dialog_captions.h"
#include "core/dialogs/purge_time_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kHoursBox = "txtHeures";
constexpr std::string_view kMinutesBox = "txtMinutes";
constexpr std::string_view kErrorLabel = "lblErreur";

std::optional<TimeBox> BoxNamed(std::string_view control) {
    if (control == kHoursBox) {
        return TimeBox::Hours;
    }
    if (control == kMinutesBox) {
        return TimeBox::Minutes;
    }
    return std::nullopt;
}

// chkJours1 (Sunday) to chkJours7 (Saturday): the box's number is the day's digit.
std::string DayBox(std::size_t index) {
    return "chkJours" + std::to_string(index + 1);
}

}  // namespace

PurgeTimePresenter::PurgeTimePresenter(DialogView& view, Settings& settings, ConfigStore& config)
    : view_(view), settings_(settings), config_(config) {}

void PurgeTimePresenter::Load() {
    const Language language = settings_.language();
    ShowCaptions(view_, kPurgeTimeCaptions, language);
    view_.SetTextColour(kErrorLabel, kWarningColour);
    view_.SetVisible(kErrorLabel, false);
    const PurgeTimeOpening opening = OpenPurgeTime(settings_);
    for (std::size_t i = 0; i < opening.days.size(); ++i) {
        view_.SetText(DayBox(i), texts::kWeekdayNames[i].In(language));
        view_.SetChecked(DayBox(i), opening.days[i]);
    }
    // The texts a box keeps when the stored time cannot be read; OK refuses them.
    view_.SetText(kHoursBox, texts::kHoursBoxInitialText);
    view_.SetText(kMinutesBox, texts::kMinutesBoxInitialText);
    if (opening.hours) {
        Fill(kHoursBox, *opening.hours);
    }
    if (opening.minutes) {
        Fill(kMinutesBox, *opening.minutes);
    }
    view_.SetFocus(kHoursBox);
}

void PurgeTimePresenter::OnTextChanged(std::string_view control) {
    const std::optional<TimeBox> box = BoxNamed(control);
    if (!box || filling_) {
        return;
    }
    const std::string text = view_.Text(control);
    const TimeBoxCheck check = CheckTimeBox(*box, text, settings_.language());
    if (!check.valid) {
        view_.SetText(kErrorLabel, check.error);
        view_.SetVisible(kErrorLabel, true);
        return;
    }
    // The boxes share the label: a valid change in either one hides it.
    view_.SetVisible(kErrorLabel, false);
    if (text != check.text) {
        filling_ = true;
        view_.SetText(control, check.text);
        filling_ = false;
    }
}

void PurgeTimePresenter::OnStep(std::string_view control, bool up) {
    const std::optional<TimeBox> box = BoxNamed(control);
    if (!box) {
        return;
    }
    if (const std::optional<std::string> next = StepTimeBox(*box, view_.Text(control), up)) {
        Fill(control, *next);
    }
}

void PurgeTimePresenter::OnOk() {
    PurgeTimeChoice choice;
    choice.hours = view_.Text(kHoursBox);
    choice.minutes = view_.Text(kMinutesBox);
    for (std::size_t i = 0; i < choice.days.size(); ++i) {
        choice.days[i] = view_.IsChecked(DayBox(i));
    }
    if (const std::optional<MessageRequest> refusal = RunPurgeTimeOk(choice, settings_, config_)) {
        view_.ShowMessage(*refusal);
        return;
    }
    accepted_ = true;
    view_.Close(true);
}

void PurgeTimePresenter::OnCancel() {
    view_.Close(false);
}

void PurgeTimePresenter::Fill(std::string_view control, const std::string& text) {
    filling_ = true;
    view_.SetText(control, text);
    filling_ = false;
    OnTextChanged(control);
}

}  // namespace quellix
