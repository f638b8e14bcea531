#include "core/service/service_events.h"

#include "core/common/service_host.h"
#include "core/config/config_values.h"
#include "core/config/purge_time.h"
#include "core/service/service_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";
constexpr const char* kDefaultHour = "12:00";

// The stop, pause and continue entries are French only for Langue 1 exactly, unlike the start
// entry, which is French for any Langue but 0.
Language StateEntryLanguage(const Settings& settings) {
    return settings.Langue == 1 ? Language::French : Language::English;
}

void WriteStateEntry(const ServiceEventContext& context, const TextPair& text) {
    context.service.WriteEventLog(text.In(StateEntryLanguage(context.settings)),
                                  EventType::Information);
}

}  // namespace

bool OnServiceStart(const ServiceEventContext& context) {
    Settings& settings = context.settings;
    const Language language = LanguageOf(settings.Langue);
    if (auto stored = ReadTrimmed(context.config, kPurge, "Heure")) {
        const auto minute = ParsePurgeTime(*stored);
        if (!minute) {
            context.service.WriteEventLog(
                std::string(texts::kServiceStartedInvalidHour.In(language)) + *stored,
                EventType::Error);
            return false;
        }
        settings.Heure = *stored;
        settings.PurgeMinute = *minute;
    } else {
        settings.Heure = kDefaultHour;
        settings.PurgeMinute = 12 * 60;
        context.config.Write(kPurge, "Heure", settings.Heure);
    }
    context.service.WriteEventLog(std::string(texts::kServiceStarted.In(language)) + settings.Heure,
                                  EventType::Information);
    if (context.startCommand) {
        context.startCommand();
    }
    return true;
}

void OnServiceStop(const ServiceEventContext& context) {
    WriteStateEntry(context, texts::kServiceStopped);
}

void OnServicePause(const ServiceEventContext& context) {
    WriteStateEntry(context, texts::kServicePaused);
}

void OnServiceContinue(const ServiceEventContext& context) {
    WriteStateEntry(context, texts::kServiceContinued);
}

}  // namespace quellix
