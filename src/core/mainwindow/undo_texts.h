#pragma once

#include "core/common/language.h"

namespace quellix::texts {

inline constexpr TextPair kUndoNothing{
    "Nothing to undo: the last purge moved no file and sent none to the trash.",
    "Rien à annuler : la dernière purge n'a déplacé aucun fichier ni rien envoyé dans la "
    "Corbeille."};
inline constexpr TextPair kUndoRefused{
    "The journal of the last purge is not used: another user could have written it, or it is "
    "no journal.\n",
    "Le journal de la dernière purge n'est pas utilisé : un autre utilisateur a pu l'écrire, ou "
    "ce n'en est pas un.\n"};
// Followed by the count.
inline constexpr TextPair kUndoQuestionStart{"Put back where they were the ",
                                             "Remettre à leur place les "};
inline constexpr TextPair kUndoQuestionEnd{
    " files the last purge moved or sent to the trash?\n\nNothing that is there now will be "
    "replaced. Deleted files cannot come back.",
    " fichiers que la dernière purge a déplacés ou envoyés dans la Corbeille ?\n\nRien de ce "
    "qui s'y trouve maintenant ne sera remplacé. Les fichiers effacés ne peuvent pas revenir."};
inline constexpr TextPair kUndoQuestionOne{
    "Put back where it was the file the last purge moved or sent to the trash?\n\nNothing that "
    "is there now will be replaced. Deleted files cannot come back.",
    "Remettre à sa place le fichier que la dernière purge a déplacé ou envoyé dans la Corbeille "
    "?\n\nRien de ce qui s'y trouve maintenant ne sera remplacé. Les fichiers effacés ne peuvent "
    "pas revenir."};
inline constexpr TextPair kUndoBack{" files are back where they were.",
                                    " fichiers sont revenus à leur place."};
inline constexpr TextPair kUndoBackOne{"1 file is back where it was.",
                                       "1 fichier est revenu à sa place."};
inline constexpr TextPair kUndoLeftStart{"\n\nLeft where the purge put them:",
                                         "\n\nLaissés là où la purge les a mis :"};
inline constexpr TextPair kUndoGone{"no longer there", "n'y est plus"};
inline constexpr TextPair kUndoPlaceTaken{"something else is at its place",
                                          "autre chose est à sa place"};
inline constexpr TextPair kUndoFolderGone{"its folder is gone", "son dossier n'existe plus"};
inline constexpr TextPair kUndoFailed{"cannot be moved back", "ne peut pas être remis"};
inline constexpr TextPair kUndoMore{"\n... and ", "\n... et "};
inline constexpr TextPair kUndoMoreEnd{" more", " autres"};

}  // namespace quellix::texts
