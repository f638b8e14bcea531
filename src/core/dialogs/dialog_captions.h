#pragma once

#include "core/common/dialog_view.h"
#include "core/mainwindow/caption_texts.h"

namespace quellix {

// The red of a dialog's warning label.
inline constexpr Colour kWarningColour = 0x0000FF;

}  // namespace quellix
