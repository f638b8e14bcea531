#pragma once

#include "core/common/language.h"

// Entries the service writes to the system log when the system starts, stops, pauses or resumes
// it. Each begins with the service's display name.
namespace quellix::texts {

inline constexpr TextPair kServiceStarted{"Quellix Service: started. Purge at ",
                                          "Quellix Service: démarré. Heure de purge "};
inline constexpr TextPair kServiceStartedInvalidHour{
    "Quellix Service: started. Invalid hour ",
    "Quellix Service: démarré. Heure de purge invalide "};
inline constexpr TextPair kServiceStopped{"Quellix Service: stopped", "Quellix Service: arrêté"};
inline constexpr TextPair kServicePaused{"Quellix Service: paused", "Quellix Service: suspendu"};
inline constexpr TextPair kServiceContinued{"Quellix Service: continued",
                                            "Quellix Service: reprise"};

}  // namespace quellix::texts
