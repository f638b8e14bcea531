#pragma once

#include "core/common/language.h"

// Texts of the folder list: its headers and the words of its cells.
namespace quellix::texts {

inline constexpr TextPair kFolderListTitle{"Folders to purge (", "Dossiers à purger ("};

// Words of the folder-list cells. The file always stores the French "oui" and "non".
inline constexpr TextPair kYes{"yes", "oui"};
inline constexpr TextPair kNo{"no", "non"};
inline constexpr TextPair kDelete{"Delete", "Effacer"};
inline constexpr TextPair kRecycleBin{"Recycle Bin", "Corbeille"};
inline constexpr TextPair kUnknown{"unknown", "inconnu"};
inline constexpr TextPair kTotalFiles{"Total files\n", "Total fichiers\n"};

}  // namespace quellix::texts
