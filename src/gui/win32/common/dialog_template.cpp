#include "gui/win32/common/dialog_template.h"

#include <commctrl.h>

#include "gui/win32/common/system_font.h"

namespace quellix {

namespace {

void PutString(std::vector<WORD>& words, std::wstring_view text) {
    for (const wchar_t character : text) {
        words.push_back(static_cast<WORD>(character));
    }
    words.push_back(0);
}

void PutDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

// Each item starts on a DWORD boundary.
void AlignToDword(std::vector<WORD>& words) {
    if (words.size() % 2 != 0) {
        words.push_back(0);
    }
}

}  // namespace

WORD DialogTemplate::Add(std::string name, const wchar_t* windowClass, DWORD style, short x,
                         short y, short width, short height, WORD id, DWORD exStyle) {
    if (id == 0) {
        id = nextId_++;
    }
    controls_.push_back({std::move(name), windowClass, style | WS_CHILD | WS_VISIBLE, exStyle, x, y,
                         width, height, id});
    return id;
}

WORD DialogTemplate::Label(std::string name, short x, short y, short width, short height) {
    return Add(std::move(name), WC_STATICW, SS_LEFT, x, y, width, height);
}

WORD DialogTemplate::Edit(std::string name, short x, short y, short width, short height) {
    return Add(std::move(name), WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, x, y, width,
               height, 0, WS_EX_CLIENTEDGE);
}

WORD DialogTemplate::CheckBox(std::string name, short x, short y, short width, short height) {
    return Add(std::move(name), WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, x, y, width, height);
}

WORD DialogTemplate::Radio(std::string name, short x, short y, short width, bool firstOfGroup,
                           short height) {
    const DWORD group = firstOfGroup ? WS_GROUP | WS_TABSTOP : 0;
    return Add(std::move(name), WC_BUTTONW, BS_AUTORADIOBUTTON | group, x, y, width, height);
}

WORD DialogTemplate::Frame(std::string name, short x, short y, short width, short height) {
    return Add(std::move(name), WC_BUTTONW, BS_GROUPBOX, x, y, width, height);
}

WORD DialogTemplate::Button(std::string name, short x, short y, short width, short height, WORD id,
                            bool isDefault) {
    return Add(std::move(name), WC_BUTTONW,
               (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y, width, height,
               id);
}

WORD DialogTemplate::UpDown(std::string name) {
    return Add(std::move(name), UPDOWN_CLASSW, UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0, 0,
               0, 0);
}

std::vector<WORD> DialogTemplate::Build() const {
    const DialogFont font = SystemDialogFont();
    std::vector<WORD> words;
    const DWORD style = DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION |
                        WS_SYSMENU | DS_NOFAILCREATE;
    PutDword(words, style);
    PutDword(words, 0);  // extended style
    words.push_back(static_cast<WORD>(controls_.size()));
    words.push_back(0);  // x
    words.push_back(0);  // y
    words.push_back(static_cast<WORD>(width_));
    words.push_back(static_cast<WORD>(height_));
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.push_back(0);  // no title yet: the presenter writes it
    words.push_back(static_cast<WORD>(font.pointSize));
    PutString(words, font.faceName);
    for (const Control& control : controls_) {
        AlignToDword(words);
        PutDword(words, control.style);
        PutDword(words, control.exStyle);
        words.push_back(static_cast<WORD>(control.x));
        words.push_back(static_cast<WORD>(control.y));
        words.push_back(static_cast<WORD>(control.width));
        words.push_back(static_cast<WORD>(control.height));
        words.push_back(control.id);
        PutString(words, control.windowClass);
        words.push_back(0);  // no text: the presenter writes it
        words.push_back(0);  // no creation data
    }
    return words;
}

}  // namespace quellix
