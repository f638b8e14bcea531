#pragma once

#include <windows.h>

#include <string>

namespace quellix::test {

// Paints a window's client area and its children into memory (WM_PRINT, which needs no display)
// and writes the picture as a 24-bit BMP, to look at a layout under Wine's null driver. False
// when it failed.
bool SaveWindowPicture(HWND window, const std::string& bmpPath);

// What the screen shows in area (a window with its frame, the whole desktop), as a 24-bit BMP;
// needs a display (Wine's X11 driver).
bool SaveScreenPicture(RECT area, const std::string& bmpPath);

// The colour painted at a point of a window's client area, by the same means.
COLORREF PaintedColour(HWND window, POINT at);
// Whether colour was painted anywhere in a rectangle of a window's client area (text in a cell).
bool PaintedIn(HWND window, RECT area, COLORREF colour);

// Whether some pixel of a control, painted with its window, has that colour (a label's text
// colour, say).
bool ShowsColour(HWND control, COLORREF colour);

// Saves the picture as name.bmp into the folder that QUELLIX_PICTURES names, when it names one.
void SavePictureWhenAsked(HWND window, const std::string& name);

// Whether some pixel of a child control's place is painted in colour, give or take what smoothing
// does to a letter's edges: a caption drawn in it.
bool PaintsColour(HWND window, HWND child, COLORREF colour);

}  // namespace quellix::test
