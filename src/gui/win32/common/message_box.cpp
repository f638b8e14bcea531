#include "gui/win32/common/message_box.h"

#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return MB_ICONERROR;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Exclamation:
            return MB_ICONWARNING;
        case MessageIcon::Information:
            break;
    }
    return MB_ICONINFORMATION;
}

UINT ButtonFlags(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return MB_OKCANCEL;
        case MessageButtons::YesNo:
            return MB_YESNO;
        case MessageButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case MessageButtons::Ok:
            break;
    }
    return MB_OK;
}

// Which of the box's buttons is the default, counted from the left.
UINT DefaultButtonFlag(const MessageRequest& request) {
    const bool hasYesNo =
        request.buttons == MessageButtons::YesNo || request.buttons == MessageButtons::YesNoCancel;
    switch (request.defaultAnswer) {
        case MessageAnswer::No:
            return hasYesNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
        case MessageAnswer::Cancel:
            if (request.buttons == MessageButtons::OkCancel) {
                return MB_DEFBUTTON2;
            }
            return request.buttons == MessageButtons::YesNoCancel ? MB_DEFBUTTON3 : MB_DEFBUTTON1;
        case MessageAnswer::Ok:
        case MessageAnswer::Yes:
            break;
    }
    return MB_DEFBUTTON1;
}

MessageAnswer FromResult(int result, const MessageRequest& request) {
    switch (result) {
        case IDOK:
            return MessageAnswer::Ok;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        default:
            return request.defaultAnswer;
    }
}

}  // namespace

MessageAnswer MessageBoxes::Show(HWND owner, const MessageRequest& request) {
    if (const auto scripted = Answer(request)) {
        return *scripted;
    }
    // A hidden owner would hide the box with it (the window may live in the tray).
    if (owner != nullptr && !IsWindowVisible(owner)) {
        owner = nullptr;
    }
    const UINT flags = IconFlag(request.icon) | ButtonFlags(request.buttons) |
                       DefaultButtonFlag(request) | (owner == nullptr ? MB_SETFOREGROUND : 0U);
    const int result = MessageBoxW(owner, platform::win32::Widen(request.text).c_str(),
                                   platform::win32::Widen(request.title).c_str(), flags);
    return FromResult(result, request);
}

}  // namespace quellix
