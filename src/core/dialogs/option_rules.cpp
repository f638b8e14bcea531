#include "core/dialogs/option_rules.h"

#include <limits>

#include "core/config/config_values.h"
#include "core/config/number_scan.h"
#include "core/dialogs/option_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";
constexpr std::int32_t kTempoMinimum = 1;
constexpr std::int32_t kTempoMaximum = 60;

// Rounded half to even into Int; a number beyond Int's range becomes its nearest end.
template <typename Int>
Int Saturated(std::optional<Int> rounded, double value) {
    if (rounded) {
        return *rounded;
    }
    return value > 0 ? std::numeric_limits<Int>::max() : std::numeric_limits<Int>::min();
}

}  // namespace

TempoStep StepTempoUp(std::string_view text, Language language) {
    const double next = ScanLeadingNumber(text) + 1.0;
    std::int32_t value = Saturated(RoundToInt32(next), next);
    if (value > kTempoMaximum) {
        value = kTempoMaximum;
    }
    if (value == kTempoMaximum) {
        return {value, std::string(texts::kTempoMaximum.In(language))};
    }
    return {value, std::nullopt};
}

TempoStep StepTempoDown(std::string_view text, Language language) {
    const double next = ScanLeadingNumber(text) - 1.0;
    const std::int16_t value = Saturated(RoundToInt16(next), next);
    if (value > kTempoMinimum) {
        return {value, std::nullopt};
    }
    return {kTempoMinimum, std::string(texts::kTempoMinimum.In(language))};
}

std::optional<MessageRequest> RunTempoOk(std::string_view text, Settings& settings,
                                         ConfigStore& config, SchedulerState& scheduler) {
    const double seconds = ScanLeadingNumber(text);
    if (!(seconds >= kTempoMinimum && seconds <= kTempoMaximum)) {
        return MessageRequest{
            std::string(texts::kTempoInvalid.In(settings.language())) + std::string(text),
            settings.ProgramTitle, MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok};
    }
    // In range, so the rounding cannot fail.
    settings.Temporisation = RoundToInt16(seconds).value_or(kTempoMaximum);
    scheduler.UpdateCountdown = settings.Temporisation;
    WriteInteger(config, kPurge, "Temporisation", settings.Temporisation);
    return std::nullopt;
}

void ApplyAutomaticStart(bool checked, Settings& settings, ConfigStore& config) {
    settings.DemarrageAutomatiqueLancement = checked;
    WriteFlag(config, kPurge, "DemarrageAutomatiqueLancement", checked);
}

void ApplyAllObsolete(bool checked, Settings& settings, ConfigStore& config) {
    settings.TousFichiersObsoletes = checked;
    WriteFlag(config, kPurge, "TousFichiersObsoletes", checked);
}

}  // namespace quellix
