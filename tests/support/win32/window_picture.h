#pragma once

#include <windows.h>

#include <string>

namespace quellix::test {

// Paints a window's client area and its children into memory (WM_PRINT, which needs no display)
// and writes the picture as a 24-bit BMP, to look at a layout under Wine's null driver. False
// when it failed.
bool SaveWindowPicture(HWND window, const std::string& bmpPath);

// The colour painted at a point of a window's client area, by the same means.
COLORREF PaintedColour(HWND window, POINT at);

// Whether some pixel of a child control's place is painted in colour, give or take what smoothing
// does to a letter's edges: a caption drawn in it.
bool PaintsColour(HWND window, HWND child, COLORREF colour);

}  // namespace quellix::test
