#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/front_end.h"
#include "core/common/language.h"
#include "core/common/scheduler_state.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The time-between-updates box after an arrow press: the new number of seconds, and the red
// label's text when it is shown (at a limit).
struct TempoStep {
    std::int32_t value = 0;
    std::optional<std::string> limitMessage;
};

// Up: the box's leading number plus 1, at most 60. Down: minus 1, at least 1. Numbers beyond the
// range the step is computed in are taken as its nearest end.
TempoStep StepTempoUp(std::string_view text, Language language);
TempoStep StepTempoDown(std::string_view text, Language language);

// OK: a leading number from 1 to 60 becomes Temporisation (rounded half to even) and the
// countdown to the next update, and is written; otherwise the refusal to show, nothing changed.
std::optional<MessageRequest> RunTempoOk(std::string_view text, Settings& settings,
                                         ConfigStore& config, SchedulerState& scheduler);

// OK of the two check-box options: the setting follows the box and its key is written "1" or "0".
void ApplyAutomaticStart(bool checked, Settings& settings, ConfigStore& config);
void ApplyAllObsolete(bool checked, Settings& settings, ConfigStore& config);

}  // namespace quellix
