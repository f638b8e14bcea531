#pragma once

#include "core/common/language.h"

// Texts of the scheduler: its messages and the countdown.
namespace quellix::texts {

inline constexpr TextPair kNoFoldersToPurge{"No folders to purge",
                                            "La liste des dossiers à purger est vide"};
// "Purge NOW the " & n & " folders in the list"
inline constexpr TextPair kPurgeNowStart{"Purge NOW the ", "Confirmer la purge immédiate des "};
inline constexpr TextPair kPurgeNowEnd{" folders in the list", " dossiers de la liste"};
inline constexpr TextPair kNoFilesToPurge{"No files to purge", "Aucun fichier à purger"};
// "Update in" & " 30" & " seconds": the number carries its own leading space.
inline constexpr TextPair kUpdateIn{"Update in", "Mise à jour dans"};
inline constexpr TextPair kSeconds{" seconds", " secondes"};
// The heartbeat entry of the service: "Quellix running, " & date & " " & time, in both languages.
inline constexpr const char* kHeartbeat = "Quellix running, ";

}  // namespace quellix::texts
