#pragma once

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the about box.
namespace quellix {

namespace texts {

// The credit line: the program's title, then this.
inline constexpr TextPair kAboutDescription{
    " - delete or dispatch old files automatically and daily",
    " - efface ou déplace automatiquement et quotidiennement les fichiers obsolètes"};

}  // namespace texts

// The French title has no accent on its "A".
inline constexpr CaptionEntry kAboutCaptions[] = {
    {"frmAbout", CaptionProperty::Caption, {"About...", "A propos de..."}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
};

}  // namespace quellix
