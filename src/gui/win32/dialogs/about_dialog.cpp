#include "gui/win32/dialogs/about_dialog.h"

#include "gui/win32/common/resource_ids.h"

namespace quellix {

namespace {

// IDI_APPLICATION, in its wide form.
const wchar_t* const kApplicationIcon = MAKEINTRESOURCEW(32512);

DialogTemplate Layout() {
    DialogTemplate layout(240, 59);
    layout.Add("imgIcon", WC_STATICW, SS_ICON, 7, 7, 21, 20);
    layout.Add("lblCredit", WC_STATICW, SS_LEFT | SS_NOPREFIX, 36, 9, 197, 24);
    layout.Button("cmdOK", 183, 38, 50, 14, IDOK, true);
    return layout;
}

}  // namespace

void AboutDialog::Open(HWND owner, const Settings& settings) {
    AboutDialog dialog(settings);
    dialog.Run(owner, Layout());
}

AboutDialog::AboutDialog(const Settings& settings)
    : ModalDialog("frmAbout"), presenter_(View(), settings) {}

void AboutDialog::OnInit() {
    // The program's icon is a resource of the program; a test program has the system's.
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QUELLIX_ICON_PROGRAM));
    if (icon == nullptr) {
        icon = LoadIconW(nullptr, kApplicationIcon);
    }
    SendMessageW(Control("imgIcon"), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    presenter_.Load();
}

}  // namespace quellix
