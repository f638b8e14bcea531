#pragma once

#include <windows.h>

#include <string>

namespace quellix {

struct DialogFont {
    std::wstring faceName;
    int pointSize = 9;
};

// The font Windows uses for message boxes and dialogs (Segoe UI 9 on current versions).
DialogFont SystemDialogFont();

// That font for a window created outside the dialog manager, at the window's DPI; the caller
// deletes it.
HFONT CreateSystemDialogFont(HWND window, bool bold = false);

// The system's arrow and hourglass pointers (the IDC_ names are narrow strings in a build without
// UNICODE defined).
HCURSOR ArrowCursor();
HCURSOR WaitCursor();

// Pixels for a length given at 96 DPI, at the DPI of window.
int Scaled(HWND window, int pixelsAt96);

}  // namespace quellix
