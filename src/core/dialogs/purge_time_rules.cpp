#include "core/dialogs/purge_time_rules.h"

#include <cmath>
#include <cstdlib>

#include "core/config/days_display.h"
#include "core/config/number_scan.h"
#include "core/config/purge_time.h"
#include "core/dialogs/purge_time_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number with either decimal separator; 0 when there is none.
double BoxValue(std::string_view text) {
    std::string pointed(text);
    for (char& c : pointed) {
        if (c == ',') {
            c = '.';
        }
    }
    return ScanLeadingNumber(pointed);
}

// "07", "23", "-04".
std::string TwoDigits(int value) {
    const int magnitude = std::abs(value);
    std::string text = magnitude < 10 ? "0" + std::to_string(magnitude) : std::to_string(magnitude);
    return value < 0 ? "-" + text : text;
}

MessageRequest Refusal(const TextPair& text, const Settings& settings) {
    return MessageRequest{std::string(text.In(settings.language())), settings.ProgramTitle,
                          MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

}  // namespace

int TimeBoxLimit(TimeBox box) {
    return box == TimeBox::Hours ? 23 : 59;
}

bool IsBoxNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        ++begin;
    }
    bool sawDigit = false;
    bool sawSeparator = false;
    for (std::size_t pos = begin; pos < end; ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            sawDigit = true;
        } else if ((c == '.' || c == ',') && !sawSeparator) {
            sawSeparator = true;
        } else {
            return false;
        }
    }
    return sawDigit;
}

TimeBoxCheck CheckTimeBox(TimeBox box, std::string_view text, Language language) {
    const TextPair& error = box == TimeBox::Hours ? texts::kInvalidHours : texts::kInvalidMinutes;
    if (!IsBoxNumber(text)) {
        return {false, 0, {}, std::string(error.In(language))};
    }
    const double value = BoxValue(text);
    if (value < 0.0 || value > TimeBoxLimit(box)) {
        return {false, 0, {}, std::string(error.In(language))};
    }
    // Two-digit number formatting rounds halves away from zero (0.5 shows as 01).
    const int shown = static_cast<int>(std::lround(value));
    return {true, shown, TwoDigits(shown), {}};
}

std::optional<std::string> StepTimeBox(TimeBox box, std::string_view text, bool up) {
    const std::optional<std::int16_t> value = RoundToInt16(BoxValue(text));
    if (!value) {
        return std::nullopt;
    }
    if (up && *value < TimeBoxLimit(box)) {
        return TwoDigits(*value + 1);
    }
    if (!up && *value > 0) {
        return TwoDigits(*value - 1);
    }
    return std::nullopt;
}

PurgeTimeOpening OpenPurgeTime(const Settings& settings) {
    PurgeTimeOpening opening;
    if (const std::optional<int> minute = ParsePurgeTime(settings.Heure)) {
        opening.hours = TwoDigits(*minute / 60);
        opening.minutes = TwoDigits(*minute % 60);
    }
    for (std::size_t i = 0; i < opening.days.size(); ++i) {
        opening.days[i] = settings.Jours.find(static_cast<char>('1' + i)) != std::string::npos;
    }
    return opening;
}

std::optional<MessageRequest> RunPurgeTimeOk(const PurgeTimeChoice& choice, Settings& settings,
                                             ConfigStore& config) {
    const Language language = settings.language();
    // Both boxes are checked again: the shared error label only tells about the box changed last.
    const TimeBoxCheck hours = CheckTimeBox(TimeBox::Hours, choice.hours, language);
    const TimeBoxCheck minutes = CheckTimeBox(TimeBox::Minutes, choice.minutes, language);
    if (!hours.valid || !minutes.valid) {
        return Refusal(texts::kFixPurgeTime, settings);
    }
    std::string jours;
    for (std::size_t i = 0; i < choice.days.size(); ++i) {
        if (choice.days[i]) {
            jours += static_cast<char>('1' + i);
        }
    }
    if (jours.empty()) {
        return Refusal(texts::kSelectOneDay, settings);
    }

    settings.Heure = hours.text + ":" + minutes.text;
    settings.Jours = jours;
    const DaysDisplay days = BuildDaysDisplay(jours);
    settings.DaysDisplayEn = days.english;
    settings.DaysDisplayFr = days.french;
    const auto wholeHours = static_cast<std::int16_t>(hours.value);
    const auto wholeMinutes = static_cast<std::int16_t>(minutes.value);
    settings.PurgeMinute = static_cast<std::int16_t>(wholeHours * 60 + wholeMinutes);
    config.Write(kPurge, "Heure", settings.Heure);
    config.Write(kPurge, "Jours", settings.Jours);
    return std::nullopt;
}

}  // namespace quellix
