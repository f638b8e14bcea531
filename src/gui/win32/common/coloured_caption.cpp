#include "gui/win32/common/coloured_caption.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "gui/win32/common/system_font.h"

namespace quellix {

namespace {

struct Glyph {
    int part;
    int state;
};

// The theme's picture of the box or circle in the button's present state.
Glyph GlyphOf(HWND button, UINT itemState) {
    const LONG_PTR type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const bool checked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // Normal, hot, pressed, disabled: the same order for both parts, unchecked then checked.
    int offset = 0;
    if (!IsWindowEnabled(button)) {
        offset = 3;
    } else if ((SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) {
        offset = 2;
    } else if ((itemState & CDIS_HOT) != 0) {
        offset = 1;
    }
    if (radio) {
        return {BP_RADIOBUTTON, (checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL) + offset};
    }
    return {BP_CHECKBOX, (checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL) + offset};
}

bool IsCheckOrOption(HWND button) {
    wchar_t className[16] = {};
    GetClassNameW(button, className, 16);
    if (lstrcmpiW(className, WC_BUTTONW) != 0) {
        return false;
    }
    const LONG_PTR type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
           type == BS_AUTORADIOBUTTON;
}

}  // namespace

LRESULT DrawColouredCaption(const NMCUSTOMDRAW& draw, COLORREF colour) {
    HWND button = draw.hdr.hwndFrom;
    if (draw.dwDrawStage != CDDS_PREPAINT || !IsCheckOrOption(button)) {
        return CDRF_DODEFAULT;
    }
    HTHEME theme = GetWindowTheme(button);
    if (theme == nullptr) {
        return CDRF_DODEFAULT;
    }
    HDC dc = draw.hdc;
    RECT area{};
    GetClientRect(button, &area);
    DrawThemeParentBackground(button, dc, &area);

    const Glyph glyph = GlyphOf(button, draw.uItemState);
    SIZE size{};
    if (FAILED(GetThemePartSize(theme, dc, glyph.part, glyph.state, nullptr, TS_DRAW, &size))) {
        size = {Scaled(button, 13), Scaled(button, 13)};
    }
    const int top = area.top + (area.bottom - area.top - size.cy) / 2;
    RECT box{area.left, top, area.left + size.cx, top + size.cy};
    DrawThemeBackground(theme, dc, glyph.part, glyph.state, &box, nullptr);

    const int length = GetWindowTextLengthW(button);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(button, text.data(), length + 1)));
    HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour =
        SetTextColor(dc, IsWindowEnabled(button) ? colour : GetSysColor(COLOR_GRAYTEXT));
    // Access keys and the focus mark only once the keyboard is used, as Windows shows them.
    const auto uiState = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));
    const UINT format = DT_LEFT | DT_SINGLELINE | DT_VCENTER |
                        ((uiState & UISF_HIDEACCEL) != 0 ? DT_HIDEPREFIX : 0U);
    RECT caption{box.right + Scaled(button, 4), area.top, area.right, area.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, format);
    if ((draw.uItemState & CDIS_FOCUS) != 0 && (uiState & UISF_HIDEFOCUS) == 0) {
        RECT focus = caption;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &focus, format | DT_CALCRECT);
        const int height = focus.bottom - focus.top;
        focus.top = area.top + (area.bottom - area.top - height) / 2;
        focus.bottom = focus.top + height;
        InflateRect(&focus, 1, 0);
        DrawFocusRect(dc, &focus);
    }
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    return CDRF_SKIPDEFAULT;
}

}  // namespace quellix
