#pragma once

#include "core/common/language.h"

// Texts of the main window's commands, its retention tooltip and its check of an installed
// service.
namespace quellix::texts {

// "Remove '" & path & "'" & CRLF & "from the list of folders"
inline constexpr TextPair kRemoveFolderStart{"Remove '", "Enlever '"};
inline constexpr TextPair kRemoveFolderEnd{"'\r\nfrom the list of folders",
                                           "'\r\nde la liste des dossiers à purger"};

// Retention tooltip: "2 days", "1 day 1 hour".
inline constexpr TextPair kOneDay{" day", " jour"};
inline constexpr TextPair kDays{" days", " jours"};
inline constexpr TextPair kOneHour{" hour", " heure"};
inline constexpr TextPair kHours{" hours", " heures"};

inline constexpr TextPair kRestartAfterEdit{
    "Please run again the application in case of modifications",
    "Relancez l'application si vous avez modifié le paramétrage"};

// Help pages in the program's folder, one per language.
inline constexpr TextPair kHelpFile{"QuellixEN.htm", "QuellixFR.htm"};
inline constexpr TextPair kHelpNotAvailable{"Help not available...",
                                            "La documentation n'est pas disponible..."};

inline constexpr TextPair kExitProgram{"Exit program", "Quitter le programme"};

// An interactive copy finding the service installed. The question box is titled with the bare
// product name, not the versioned title.
inline constexpr const char* kServiceQuestionTitle = "Quellix";
inline constexpr TextPair kServiceInstalledQuestion{
    "Quellix Service installed\r\nsee 'Control panel/Services'\r\n\r\nRemove it ?",
    "Quellix Service installé\r\nvoir 'Panneau de configuration/Services'\r\n\r\n"
    "Supprimer Quellix Service ?"};
// The same on Linux, with systemd's command where "@" stands.
inline constexpr TextPair kServiceInstalledQuestionSystemd{
    "Quellix Service installed\r\nsee '@'\r\n\r\nRemove it ?",
    "Quellix Service installé\r\nvoir '@'\r\n\r\nSupprimer Quellix Service ?"};
inline constexpr TextPair kServiceRemoved{"Quellix Service removed", "Quellix Service supprimé"};
inline constexpr TextPair kServiceNotRemoved{"Quellix Service could not be removed",
                                             "Quellix Service n'a pas pu être supprimé"};

}  // namespace quellix::texts
