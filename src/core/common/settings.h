#pragma once

#include <cstdint>
#include <string>

#include "core/common/language.h"

namespace quellix {

// Windows-style RGB colour value (0x00BBGGRR).
using Colour = std::uint32_t;

// The global settings: each one named after its configuration key, plus what start-up derives.
struct Settings {
    // Derived at start-up.
    std::string Version;
    std::string ProgramTitle;
    std::string CommandLine;
    bool RunOnce = false;
    bool IsNt = false;
    std::string OsDescription;
    std::string ConfigPath;
    // The journal of the last run; empty for none.
    std::string JournalPath;
    // The program's own folder, the default log folder: the executable's for a portable copy,
    // the configuration file's for an installed one.
    std::string ProgramFolder;
    std::string HelpFolder;

    // [Purge]
    bool Debug = false;
    bool DemarrageAutomatiqueLancement = false;
    std::int16_t Langue = 0;
    std::string Heure;
    int PurgeMinute = 0;
    std::string Jours;
    std::string DaysDisplayEn;
    std::string DaysDisplayFr;
    bool PurgeImmediate = false;
    bool TousFichiersObsoletes = false;
    std::int16_t Temporisation = 0;
    std::string DateDernierePurge;
    std::int32_t NbDernierePurge = 0;
    std::int32_t NbDernierePurgeDossiers = 0;
    std::int32_t NbLocked = 0;

    // [Paths]
    bool UseShortPathnames = false;
    std::int32_t NbPaths = 0;

    // [Logs]
    bool Logs = false;
    std::string PathLogs;
    bool PurgeLogs = false;
    std::int16_t DelaiLogs = 0;

    static constexpr Colour DeleteColour = 255;
    static constexpr Colour RecycleColour = 16711680;
    // Backgrounds of the folder list: a folder that does not exist, and the normal one.
    static constexpr Colour MissingColour = 65535;
    static constexpr Colour NormalColour = 16777215;

    Language language() const { return LanguageOf(Langue); }
};

// "2.4.19" from the version numbers, each in decimal without leading zeros.
std::string VersionText(int major, int minor, int revision);

// "Quellix " + version.
std::string ProgramTitleFor(const std::string& version);

// The version and title of this build.
void SetBuildVersion(Settings& settings);

}  // namespace quellix
