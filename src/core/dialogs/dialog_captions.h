#pragma once

#include <span>

#include "core/common/dialog_view.h"
#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

namespace quellix {

// The red of a dialog's warning label.
inline constexpr Colour kWarningColour = 0x0000FF;

// Writes a dialog's caption table onto its view, in the language of the moment; the entry named
// after the dialog is its title. Dialog tables hold captions only.
inline void ShowCaptions(DialogView& view, std::span<const CaptionEntry> captions,
                         Language language) {
    for (const CaptionEntry& entry : captions) {
        if (entry.property == CaptionProperty::Caption) {
            view.SetText(entry.control, entry.text.In(language));
        }
    }
}

}  // namespace quellix
