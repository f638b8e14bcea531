#pragma once

#include "core/common/folder_list_texts.h"
#include "core/common/language.h"

// Texts of configuration and start-up.
namespace quellix::texts {

inline constexpr TextPair kLoadingFolders{"Loading folders", "Chargement des dossiers en cours"};
inline constexpr TextPair kAlreadyRunning{"Program already running", "Programme déjà lancé"};
inline constexpr TextPair kUpdating{"Update...", "Mise à jour en cours..."};
inline constexpr TextPair kLastPurgePlaceholder{"dd/mm/yyyy - hh:mm", "jj/mm/aaaa - hh:mm"};

// Pieces of the fatal configuration report.
inline constexpr TextPair kKey{" Key=", " Clé="};
inline constexpr TextPair kFileInline{", file '", ", fichier '"};
inline constexpr TextPair kFileLine{"file '", "fichier '"};
inline constexpr TextPair kLostPath{"Lost path", "Chemin d'accès manquant"};
inline constexpr TextPair kLostKeepTime{"Lost keep time", "Temps de rétention manquant"};
inline constexpr TextPair kInvalidKeepTime{"Invalid keep time", "Temps de rétention invalide"};
inline constexpr TextPair kInvalidTime{"Invalid time", "Heure de purge invalide"};
inline constexpr TextPair kInvalidTemporisation{
    "Time between updates must be set between 1 and 60 seconds",
    "Temporisation doit être comprise entre 1 et 60 secondes"};
// The limits of kMaxStoredPathBytes and kMaxFolderEntries.
inline constexpr TextPair kPathTooLong{"Path too long (the file keeps at most 253 bytes)",
                                       "Chemin trop long (le fichier en garde au plus 253 octets)"};
inline constexpr TextPair kTooManyFolders{"Too many folders (at most 32767)",
                                          "Trop de dossiers (32767 au plus)"};
inline constexpr TextPair kFileTooLarge{
    "Configuration file too large (over 16 MiB)",
    "Fichier de configuration trop volumineux (plus de 16 Mio)"};
inline constexpr TextPair kFileOthersCanChange{
    "Configuration file not owned by root or writable by others",
    "Fichier de configuration n'appartenant pas à root ou modifiable par d'autres"};
inline constexpr TextPair kFileThroughUnsafeLink{
    "Configuration file reached through a link of another user",
    "Fichier de configuration atteint par un lien d'un autre utilisateur"};

}  // namespace quellix::texts
