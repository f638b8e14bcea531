#pragma once

#include "core/mainwindow/caption_texts.h"

// Texts of the destination folder picker.
namespace quellix {

inline constexpr CaptionEntry kDestinationPickerCaptions[] = {
    {"frmAutreDossier",
     CaptionProperty::Caption,
     {"Move old files toward...", "Envoyer les fichiers obsolètes vers..."}},
    {"lblSelectDrive", CaptionProperty::Caption, {"Select drive", "Sélectionner un lecteur"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

}  // namespace quellix
