#pragma once

#include "core/common/folder_list_texts.h"
#include "core/common/language.h"

// Texts of the purge run and of the operation log. The per-operation lines write French accents
// as HTML entities; the heading and the summary carry the letters themselves.
namespace quellix::texts {

inline constexpr TextPair kPurging{"Purging...", "Purge en cours..."};
inline constexpr TextPair kLogHeading{"<b><center><h1>Deleting Logs</h1></center></b>",
                                      "<b><center><h1>Journal des opérations d'effacement</h1>"
                                      "</center></b>"};

inline constexpr TextPair kLocked{" <i><b>locked</b></i>", " <i><b>verrouill&eacute;</b></i>"};
inline constexpr TextPair kDeleted{" <i>deleted</i>", " <i>effac&eacute;</i>"};
inline constexpr TextPair kRecycled{" <i>in Recycle Bin</i>", " <i>dans la corbeille</i>"};
inline constexpr TextPair kReadOnlyKept{" <i>is read only and not deleted</i></font>",
                                        " <i>en lecture seule et non effac&eacute;</i></font>"};
inline constexpr TextPair kNotDeleted{" <i>not deleted</i>, error:",
                                      " <i>non effac&eacute;</i>, erreur:"};
inline constexpr TextPair kNotRecycled{" <i>not deleted</i>, error 1:",
                                       " <i>non effac&eacute;</i>, erreur 1:"};
inline constexpr TextPair kSecondError{", error 2:", ", erreur 2:"};
// Added to the line of a cloud file that was not opened to see whether it is in use.
inline constexpr TextPair kNotOpenedOnlineOnly{
    " <i>(online only: not opened for the lock test)</i>",
    " <i>(en ligne uniquement : non ouvert pour le test de verrouillage)</i>"};
inline constexpr TextPair kMovedTo{" <i>moved to</i> ", " <i>d&eacute;plac&eacute; vers</i> "};
inline constexpr TextPair kInvalidPath{" <i>invalid path</i></b></font><br>",
                                       " <i>chemin invalide</i></b></font><br>"};
inline constexpr TextPair kEmptySubfolder{
    "<font color=\"#FF0000\"><i>Empty subfolder deleted</i>: ",
    "<font color=\"#FF0000\"><i>Sous-dossier vide effac&eacute;</i>: "};

inline constexpr TextPair kSummaryStart{"Last purge: ", "Purgé le "};
inline constexpr TextPair kSummaryDeleted{" ;Deleted: ", "; Effacés: "};
inline constexpr TextPair kSummaryFiles{" files, ", " fichiers, "};
inline constexpr TextPair kSummarySubfolders{" subfolders; Locked:",
                                             " sous-dossiers, Verrouillés: "};

inline constexpr TextPair kUpdateProgress{"Update: ", "Mise à jour en cours: "};
inline constexpr TextPair kUnknownFolder{"Unknown folder: ", "Dossier inconnu: "};
inline constexpr TextPair kLogUnavailable{
    "Quellix: the operation log cannot be written, the purge goes on without it: ",
    "Quellix : le journal des opérations ne peut pas être écrit, la purge continue sans lui : "};
// Why a day's log that is there already is not written to.
inline constexpr TextPair kLogOfAnotherUser{"the file belongs to another user",
                                            "le fichier appartient à un autre utilisateur"};
inline constexpr TextPair kLogWithOtherNames{"the file has more than one link",
                                             "le fichier a plus d'un lien"};
inline constexpr TextPair kLogFolderThroughUnsafeLink{
    "the folder is reached through a link of another user",
    "le dossier est atteint par un lien d'un autre utilisateur"};

}  // namespace quellix::texts
