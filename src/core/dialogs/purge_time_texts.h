#pragma once

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the purge time and days dialog.
namespace quellix {

namespace texts {

// The boxes' own texts before a stored time fills them.
inline constexpr const char* kHoursBoxInitialText = "hh";
inline constexpr const char* kMinutesBoxInitialText = "mm";

// The shared error label under the boxes.
inline constexpr TextPair kInvalidHours{"Invalid value (Hours)",
                                        "Valeur incorrecte pour les Heures"};
inline constexpr TextPair kInvalidMinutes{"Invalid value (Minutes)",
                                          "Valeur incorrecte pour les Minutes"};

// Refusals of OK, in the order they are checked.
inline constexpr TextPair kFixPurgeTime{
    "Please modify the values\r\n(Hour must between 00:00 and 23:59)",
    "Corriger l'heure de la purge\r\n(doit être comprise entre 00:00 et 23:59)"};
inline constexpr TextPair kSelectOneDay{"Select at least one day", "Sélectionner au moins un jour"};

// Day boxes chkJours1 to chkJours7: the box's number is the day's digit, 1 for Sunday.
inline constexpr TextPair kWeekdayNames[7] = {{"Sunday", "Dimanche"}, {"Monday", "Lundi"},
                                              {"Tuesday", "Mardi"},   {"Wednesday", "Mercredi"},
                                              {"Thursday", "Jeudi"},  {"Friday", "Vendredi"},
                                              {"Saturday", "Samedi"}};

}  // namespace texts

// The dialog's captions besides the day boxes; the title is the entry "frmHeure".
inline constexpr CaptionEntry kPurgeTimeCaptions[] = {
    {"frmHeure", CaptionProperty::Caption, {"Purge at...", "Heure de purge"}},
    {"Label1", CaptionProperty::Caption, {"Hours", "Heures"}},
    {"Label2", CaptionProperty::Caption, {"Minutes", "Minutes"}},
    {"Frame1",
     CaptionProperty::Caption,
     {"Purge only following days...", "Purger seulement les jours suivants..."}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

}  // namespace quellix
