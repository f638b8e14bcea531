#include "core/config/settings_reader.h"

#include <limits>

#include "core/config/config_texts.h"
#include "core/config/config_values.h"
#include "core/config/days_display.h"
#include "core/config/number_scan.h"
#include "core/config/purge_time.h"
#include "platform/file_system.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";
constexpr std::string_view kPaths = "Paths";
constexpr std::string_view kLogs = "Logs";

// A number that does not fit its type counts as absent, as an unusable value would.
std::int16_t ReadInt16(ConfigStore& store, std::string_view section, std::string_view key,
                       std::int16_t absent) {
    const auto number = ReadNumber(store, section, key);
    return number ? RoundToInt16(*number).value_or(absent) : absent;
}

std::int32_t ReadInt32(ConfigStore& store, std::string_view section, std::string_view key) {
    const auto number = ReadNumber(store, section, key);
    return number ? RoundToInt32(*number).value_or(0) : 0;
}

}  // namespace

void ReadStartupFlags(ConfigStore& store, Settings& settings) {
    settings.Debug = ReadFlag(store, kPurge, "Debug", true);
    settings.DemarrageAutomatiqueLancement =
        ReadFlag(store, kPurge, "DemarrageAutomatiqueLancement", true);
    settings.Langue = ReadInt16(store, kPurge, "Langue", 0);
}

std::optional<ConfigError> ReadSchedule(ConfigStore& store, Settings& settings) {
    if (auto heure = ReadTrimmed(store, kPurge, "Heure")) {
        const auto minute = ParsePurgeTime(*heure);
        if (!minute) {
            return ConfigError{ConfigErrorKind::InvalidTime, std::string(kPurge), "Heure"};
        }
        settings.Heure = *heure;
        settings.PurgeMinute = *minute;
    } else {
        settings.Heure = "12:00";
        settings.PurgeMinute = 12 * 60;
        store.Write(kPurge, "Heure", settings.Heure);
    }

    if (auto jours = ReadTrimmed(store, kPurge, "Jours")) {
        settings.Jours = *jours;
    } else {
        settings.Jours = "1234567";
        store.Write(kPurge, "Jours", settings.Jours);
    }
    const DaysDisplay days = BuildDaysDisplay(settings.Jours);
    settings.DaysDisplayEn = days.english;
    settings.DaysDisplayFr = days.french;
    return std::nullopt;
}

std::optional<ConfigError> ReadPurgeOptions(ConfigStore& store, Settings& settings) {
    settings.PurgeImmediate = ReadFlag(store, kPurge, "PurgeImmediate", true);
    settings.TousFichiersObsoletes = ReadFlag(store, kPurge, "TousFichiersObsoletes", true);

    if (auto number = ReadNumber(store, kPurge, "Temporisation")) {
        const auto seconds = RoundToInt16(*number);
        if (!seconds || *seconds < 1 || *seconds > 60) {
            return ConfigError{ConfigErrorKind::InvalidTemporisation, std::string(kPurge),
                               "Temporisation"};
        }
        settings.Temporisation = *seconds;
    } else {
        settings.Temporisation = 30;
        WriteInteger(store, kPurge, "Temporisation", settings.Temporisation);
    }
    return std::nullopt;
}

void ReadStatisticsAndPaths(ConfigStore& store, Settings& settings) {
    settings.DateDernierePurge =
        ReadTrimmed(store, kPurge, "DateDernierePurge")
            .value_or(std::string(texts::kLastPurgePlaceholder.In(settings.language())));
    settings.NbDernierePurge = ReadInt32(store, kPurge, "NbDernierePurge");
    settings.NbDernierePurgeDossiers = ReadInt32(store, kPurge, "NbDernierePurgeDossiers");
    settings.NbLocked = ReadInt32(store, kPurge, "NbLocked");

    settings.UseShortPathnames = ReadFlag(store, kPaths, "UseShortPathnames", false);
    // A count too large to hold is kept as the largest one: loading then reports too many
    // folders, instead of silently showing an empty list.
    const auto count = ReadNumber(store, kPaths, "NbPaths");
    std::int32_t paths = 0;
    if (count) {
        paths = RoundToInt32(*count).value_or(*count > 0 ? std::numeric_limits<std::int32_t>::max()
                                                         : 0);
    }
    settings.NbPaths = paths < 1 ? 0 : paths;
}

void ReadLogSettings(ConfigStore& store, Settings& settings) {
    settings.Logs = ReadFlag(store, kLogs, "Logs", false);
    const auto folder = store.Read(kLogs, "PathLogs");
    settings.PathLogs =
        folder && platform::IsExistingDirectory(*folder) ? *folder : settings.ProgramFolder;
    settings.PurgeLogs = ReadFlag(store, kLogs, "PurgeLogs", false);
    // A negative count would remove every log; it is as meaningless as 0.
    const std::int16_t kept = ReadInt16(store, kLogs, "DelaiLogs", 10);
    settings.DelaiLogs = kept <= 0 ? 10 : kept;
}

}  // namespace quellix
