#pragma once

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the three option dialogs: time between updates, automatic start, and purge only when
// every file is obsolete.
namespace quellix {

namespace texts {

// The red label of the time-between-updates dialog: the hint at opening, then the limits.
inline constexpr TextPair kTempoHint{"(only when main window is displayed!)",
                                     "(seulement quand la fenêtre principale est visible!)"};
inline constexpr TextPair kTempoMaximum{"Maximal temporisation reached",
                                        "Temporisation maximale atteinte"};
inline constexpr TextPair kTempoMinimum{"Minimal temporisation reached",
                                        "Temporisation minimale atteinte"};

// OK refused: this, then the box's text.
inline constexpr TextPair kTempoInvalid{"Invalid value: ", "Valeur de temporisation incorrecte: "};

}  // namespace texts

// The time-between-updates dialog's captions; its title is the program's title.
inline constexpr CaptionEntry kTempoCaptions[] = {
    {"lblTempo",
     CaptionProperty::Caption,
     {"Set time between updates", "Régler la temporisation entre les mises à jour"}},
    {"lblChaque", CaptionProperty::Caption, {"every", "Chaque"}},
    {"lblSecondes", CaptionProperty::Caption, {"seconds", "secondes"}},
    {"Label2",
     CaptionProperty::Caption,
     {"Quellix counts files in folders",
      "Quellix compte les fichiers dans les différents dossiers"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

inline constexpr CaptionEntry kAutomaticStartCaptions[] = {
    {"frmDemarrageAutomatique",
     CaptionProperty::Caption,
     {"Automatic start up", "Démarrer automatiquement la purge"}},
    {"chkDemarrageAutomatique",
     CaptionProperty::Caption,
     {"Start waiting for purge when Quellix is running",
      "Démarrer automatiquement la purge lors du lancement"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

inline constexpr CaptionEntry kAllObsoleteCaptions[] = {
    {"frmTousFichiersObsoletes",
     CaptionProperty::Caption,
     {"Purge only if all files are obsolete",
      "Purger seulement si tous les fichiers sont obsolètes"}},
    {"chkTousFichiersObsoletes",
     CaptionProperty::Caption,
     {"No files are purged in a same folder if at least one file of the folder is not old enough",
      "Aucun fichier d'un même dossier n'est purgé si l'un des fichiers du dossier n'est pas "
      "obsolète"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

}  // namespace quellix
