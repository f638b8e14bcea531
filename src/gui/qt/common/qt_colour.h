#pragma once

#include <QColor>

#include "core/common/settings.h"

namespace quellix {

// A colour of the settings (0x00BBGGRR, as the INI stores it) as Qt draws it.
inline QColor ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace quellix
