#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace quellix {

// A dialog laid out in dialog units and built in memory for DialogBoxIndirectParamW, so that the
// dialog manager gives it what Windows users expect: Tab order (the order controls are added),
// access keys, the default button on Enter, Cancel on Escape, and the system's dialog font,
// which also scales the layout with the screen's DPI.
class DialogTemplate {
  public:
    struct Control {
        std::string name;
        std::wstring windowClass;
        DWORD style = 0;
        DWORD exStyle = 0;
        short x = 0;
        short y = 0;
        short width = 0;
        short height = 0;
        WORD id = 0;
    };

    DialogTemplate(short width, short height) : width_(width), height_(height) {}

    // Adds a control (visible, a child) and returns its identifier: id when given (IDOK,
    // IDCANCEL), else the next free one.
    WORD Add(std::string name, const wchar_t* windowClass, DWORD style, short x, short y,
             short width, short height, WORD id = 0, DWORD exStyle = 0);
    // Shorthands for the usual controls.
    WORD Label(std::string name, short x, short y, short width, short height = 8);
    WORD Edit(std::string name, short x, short y, short width, short height = 14);
    WORD CheckBox(std::string name, short x, short y, short width, short height = 10);
    WORD Radio(std::string name, short x, short y, short width, bool firstOfGroup,
               short height = 10);
    WORD Frame(std::string name, short x, short y, short width, short height);
    WORD Button(std::string name, short x, short y, short width = 50, short height = 14,
                WORD id = 0, bool isDefault = false);
    // Arrows beside the edit added just before it.
    WORD UpDown(std::string name);

    const std::vector<Control>& Controls() const { return controls_; }
    // The template's words, with the system's message font.
    std::vector<WORD> Build() const;

  private:
    short width_;
    short height_;
    std::vector<Control> controls_;
    WORD nextId_ = 1000;
};

}  // namespace quellix
