#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/front_end.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The retention box after an arrow press: the number of logs to keep, and the limit message when
// a limit is reached.
struct LogRetentionStep {
    std::int32_t value = 0;
    std::optional<std::string> limitMessage;
};

// Down: the box's leading number minus 1, at least 2. Up: plus 1, at most 366. Langue 2 gives the
// Portuguese messages; any other value picks English or French as everywhere else.
LogRetentionStep StepLogRetentionDown(std::string_view text, std::int16_t langue);
LogRetentionStep StepLogRetentionUp(std::string_view text, std::int16_t langue);

// OK of the retention dialog: a leading number from 2 to 366 becomes DelaiLogs (rounded half to
// even) and PurgeLogs follows the box, both written; otherwise the refusal, nothing changed.
std::optional<MessageRequest> RunLogRetentionOk(bool removeOldLogs, std::string_view text,
                                                Settings& settings, ConfigStore& config);

// A folder as it is shown and stored: without its trailing "/", except the root.
std::string StoredLogFolder(std::string_view folder);

// OK of the log folder dialog: the switch and the folder are stored, the folder also when the
// log is off; an empty folder is not written.
void ApplyLogFolder(bool logsOn, const std::string& folder, Settings& settings,
                    ConfigStore& config);

}  // namespace quellix
