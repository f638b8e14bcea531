#pragma once

#include <windows.h>
#include <commctrl.h>

namespace quellix {

// A check box's or option button's caption in a colour of the program's. Drawn by the visual
// styles, their caption ignores the colour a dialog gives through WM_CTLCOLORSTATIC: for such a
// button this paints the whole control itself from its NM_CUSTOMDRAW and returns
// CDRF_SKIPDEFAULT; for any other (no visual styles, another kind of control, another stage) it
// returns CDRF_DODEFAULT, and the WM_CTLCOLOR* colour serves.
LRESULT DrawColouredCaption(const NMCUSTOMDRAW& draw, COLORREF colour);

}  // namespace quellix
