#include "core/logview/log_settings_rules.h"

#include <algorithm>
#include <limits>

#include "core/common/language.h"
#include "core/config/config_values.h"
#include "core/config/number_scan.h"
#include "core/logview/log_settings_texts.h"
#include "platform/path_style.h"

namespace quellix {

namespace {

constexpr std::string_view kLogs = "Logs";
constexpr std::int32_t kFewestLogs = 2;
constexpr std::int32_t kMostLogs = 366;
constexpr std::int16_t kPortuguese = 2;

// Only these messages know a third language; every other value follows the one language rule.
std::string In(const LimitMessage& message, std::int16_t langue) {
    if (langue == kPortuguese) {
        return std::string(message.portuguese);
    }
    return std::string(LanguageOf(langue) == Language::French ? message.french : message.english);
}

// Rounded half to even; a number beyond 32 bits becomes the nearest end, which the limits catch.
std::int32_t Rounded(double value) {
    if (const auto rounded = RoundToInt32(value)) {
        return *rounded;
    }
    return value > 0 ? std::numeric_limits<std::int32_t>::max()
                     : std::numeric_limits<std::int32_t>::min();
}

}  // namespace

LogRetentionStep StepLogRetentionDown(std::string_view text, std::int16_t langue) {
    const std::int32_t value = Rounded(ScanLeadingNumber(text) - 1.0);
    if (value > kFewestLogs) {
        return {value, std::nullopt};
    }
    return {kFewestLogs, In(kLogRetentionMinimum, langue)};
}

LogRetentionStep StepLogRetentionUp(std::string_view text, std::int16_t langue) {
    std::int32_t value = Rounded(ScanLeadingNumber(text) + 1.0);
    if (value >= kMostLogs + 1) {
        value = kMostLogs;
    }
    if (value == kMostLogs) {
        return {value, In(kLogRetentionMaximum, langue)};
    }
    return {value, std::nullopt};
}

std::optional<MessageRequest> RunLogRetentionOk(bool removeOldLogs, std::string_view text,
                                                Settings& settings, ConfigStore& config) {
    const double logs = ScanLeadingNumber(text);
    if (!(logs >= kFewestLogs && logs <= kMostLogs)) {
        return MessageRequest{
            std::string(texts::kLogRetentionInvalid.In(settings.language())) + std::string(text),
            settings.ProgramTitle, MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok};
    }
    settings.PurgeLogs = removeOldLogs;
    WriteFlag(config, kLogs, "PurgeLogs", removeOldLogs);
    // In range, so the rounding cannot fail.
    settings.DelaiLogs = RoundToInt16(logs).value_or(kMostLogs);
    WriteInteger(config, kLogs, "DelaiLogs", settings.DelaiLogs);
    return std::nullopt;
}

std::string StoredLogFolder(std::string_view folder) {
    const std::size_t root = std::max<std::size_t>(platform::RootLength(folder), 1);
    while (folder.size() > root && platform::IsPathSeparator(folder.back())) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

void ApplyLogFolder(bool logsOn, const std::string& folder, Settings& settings,
                    ConfigStore& config) {
    settings.Logs = logsOn;
    WriteFlag(config, kLogs, "Logs", logsOn);
    const std::string stored = StoredLogFolder(folder);
    if (!stored.empty()) {
        settings.PathLogs = stored;
        config.Write(kLogs, "PathLogs", stored);
    }
}

}  // namespace quellix
