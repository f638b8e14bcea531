#include "gui/win32/dialogs/check_option_dialog.h"

#include <string>

namespace quellix {

namespace {

// The longest caption takes two lines.
DialogTemplate Layout(const CheckOption& option) {
    DialogTemplate layout(240, 59);
    layout.Add(std::string(option.boxName), WC_BUTTONW,
               BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP, 7, 7, 226, 24);
    layout.Button("cmdOK", 129, 38, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 183, 38, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

bool CheckOptionDialog::Open(HWND owner, const CheckOption& option, Settings& settings,
                             ConfigStore& config) {
    CheckOptionDialog dialog(option, settings, config);
    return dialog.Run(owner, Layout(option));
}

CheckOptionDialog::CheckOptionDialog(const CheckOption& option, Settings& settings,
                                     ConfigStore& config)
    : ModalDialog(std::string(option.dialogName)), presenter_(View(), option, settings, config) {}

}  // namespace quellix
