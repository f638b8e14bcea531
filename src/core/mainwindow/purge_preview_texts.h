#pragma once

#include "core/common/host_system.h"
#include "core/common/language.h"

// Texts of the purge preview window: what a purge would do now, entry by entry.
namespace quellix::texts {

inline constexpr TextPair kPreviewTitle{"Preview of the purge - Quellix",
                                        "Aperçu de la purge - Quellix"};
inline constexpr TextPair kPreviewClose{"&Close", "&Fermer"};

inline constexpr TextPair kPreviewActionHeader{"Action", "Action"};
inline constexpr TextPair kPreviewFileHeader{"File (or folder)", "Fichier (ou dossier)"};
inline constexpr TextPair kPreviewSizeHeader{"Size", "Taille"};
inline constexpr TextPair kPreviewDateHeader{"Date", "Date"};
inline constexpr TextPair kPreviewDestinationHeader{"Destination", "Destination"};

// What would be done with a file or subfolder. "Move to " is followed by the destination.
inline constexpr TextPair kPreviewDelete{"Delete", "Effacer"};
inline constexpr TextPair kPreviewRecycle =
    kHostSystem == HostSystem::Windows
        ? TextPair{"Move to the Recycle Bin", "Envoyer dans la Corbeille"}
        : TextPair{"Move to the trash", "Envoyer dans la Corbeille"};
inline constexpr TextPair kPreviewMove{"Move to ", "Déplacer vers "};
inline constexpr TextPair kPreviewShortcut{", leaving a shortcut", ", en laissant un raccourci"};
inline constexpr TextPair kPreviewInUse{"Leave: in use", "Laisser : en cours d'utilisation"};
inline constexpr TextPair kPreviewReadOnly{"Leave: read-only", "Laisser : lecture seule"};
// Followed by the error number and kPreviewErrorEnd.
inline constexpr TextPair kPreviewRefused{"Leave: refused (error ", "Laisser : refusé (erreur "};
inline constexpr TextPair kPreviewTrashRefused =
    kHostSystem == HostSystem::Windows ? TextPair{"Leave: the Recycle Bin refuses it (error ",
                                                  "Laisser : refusé par la Corbeille (erreur "}
                                       : TextPair{"Leave: the trash refuses it (error ",
                                                  "Laisser : refusé par la Corbeille (erreur "};
inline constexpr TextPair kPreviewErrorEnd{")", ")"};
inline constexpr TextPair kPreviewNoDestination{"Leave: no destination folder",
                                                "Laisser : pas de dossier de destination"};
inline constexpr TextPair kPreviewRemoveSubfolder{"Remove the empty subfolder",
                                                  "Supprimer le sous-dossier vide"};

// An entry's group row: its path, this separator, then its totals or why it is passed over.
inline constexpr TextPair kPreviewEntrySeparator{": ", " : "};
inline constexpr TextPair kPreviewEntryNothing{"nothing to purge", "rien à purger"};
inline constexpr TextPair kPreviewPassedOver{
    "passed over: its folder or destination is missing",
    "ignoré : son dossier ou sa destination est introuvable"};
// The line below the list: this, then the totals of every entry.
inline constexpr TextPair kPreviewInAll{"In all: ", "En tout : "};
inline constexpr TextPair kPreviewNothing{"Nothing to purge now.", "Rien à purger pour l'instant."};

// Totals: "3 files (18 bytes), 2 empty subfolders; 1 file in use, 0 left otherwise".
inline constexpr TextPair kPreviewFile{" file", " fichier"};
inline constexpr TextPair kPreviewFiles{" files", " fichiers"};
inline constexpr TextPair kPreviewEmptySubfolder{" empty subfolder", " sous-dossier vide"};
inline constexpr TextPair kPreviewEmptySubfolders{" empty subfolders", " sous-dossiers vides"};
inline constexpr TextPair kPreviewInUseCount{" in use", " en cours d'utilisation"};
inline constexpr TextPair kPreviewLeftOtherwise{" left otherwise", " laissé pour une autre raison"};
inline constexpr TextPair kPreviewLeftOtherwisePlural{" left otherwise",
                                                      " laissés pour une autre raison"};
inline constexpr TextPair kPreviewGroupSeparator{"; ", " ; "};

// Sizes: bytes, then the larger units (by 1024).
inline constexpr TextPair kPreviewByte{" byte", " octet"};
inline constexpr TextPair kPreviewBytes{" bytes", " octets"};
inline constexpr TextPair kPreviewUnits[] = {
    {" KB", " Ko"}, {" MB", " Mo"}, {" GB", " Go"}, {" TB", " To"}};

}  // namespace quellix::texts
