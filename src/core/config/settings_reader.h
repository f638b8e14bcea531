#pragma once

#include <optional>

#include "core/common/settings.h"
#include "core/config/config_error.h"
#include "core/config/config_store.h"

namespace quellix {

// Each function reads its group of keys into settings, with the defaults of the file; the ones
// that validate return the error that stops start-up.

// Debug, DemarrageAutomatiqueLancement and Langue.
void ReadStartupFlags(ConfigStore& store, Settings& settings);

// Heure, then Jours; the defaults of missing keys are written back.
std::optional<ConfigError> ReadSchedule(ConfigStore& store, Settings& settings);

// PurgeImmediate, TousFichiersObsoletes and Temporisation (written back when missing).
std::optional<ConfigError> ReadPurgeOptions(ConfigStore& store, Settings& settings);

// The statistics of the last purge run, UseShortPathnames and NbPaths.
void ReadStatisticsAndPaths(ConfigStore& store, Settings& settings);

// [Logs]; a log folder that does not exist falls back to the program's folder (not written).
void ReadLogSettings(ConfigStore& store, Settings& settings);

}  // namespace quellix
