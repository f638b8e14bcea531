#pragma once

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the log folder and log retention dialogs.
namespace quellix {

namespace texts {

inline constexpr TextPair kLogRetentionInvalid{"Invalid value: ", "Valeur incorrecte: "};

}  // namespace texts

// Limit messages of the retention box: the only texts that also exist in Portuguese, which a
// hand-written Langue=2 selects.
struct LimitMessage {
    std::string_view english;
    std::string_view french;
    std::string_view portuguese;
};
inline constexpr LimitMessage kLogRetentionMinimum{
    "Minimal value reached", "Valeur minimale atteinte", "Valor mínimo atingido"};
inline constexpr LimitMessage kLogRetentionMaximum{
    "Maximal value reached", "Valeur maximale atteinte", "Valor máximo atingido"};

inline constexpr CaptionEntry kLogFolderCaptions[] = {
    {"chkLogs",
     CaptionProperty::Caption,
     {"Archive deleting operations in daily Log files",
      "Archiver quotidiennement les opérations d'effacement"}},
    {"lblTitre",
     CaptionProperty::Caption,
     {"Log files are stored in the following folder",
      "Les journaux sont stockés dans le dossier:"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

inline constexpr CaptionEntry kLogRetentionCaptions[] = {
    {"chkPurgeLogs",
     CaptionProperty::Caption,
     {"Remove Log files automatically after...", "Effacer automatiquement les journaux après..."}},
    {"lblJours", CaptionProperty::Caption, {"days", "jours"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

}  // namespace quellix
