#include "gui/win32/service/service_dialog.h"

#include "core/dialogs/dialog_captions.h"
#include "gui/win32/common/system_font.h"

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(380, 232);
    layout.Add("lblInfo", WC_STATICW, SS_LEFT | SS_NOPREFIX, 7, 7, 366, 42);
    layout.Add("Line1", WC_STATICW, SS_ETCHEDHORZ, 7, 54, 366, 1);
    layout.Add("lblService", WC_STATICW, SS_LEFT | SS_NOPREFIX, 7, 60, 366, 18);
    layout.CheckBox("chkInteract", 7, 84, 260);
    layout.Add("lblInteract", WC_STATICW, SS_LEFT | SS_NOPREFIX, 19, 96, 248, 8);
    layout.Add("chkDebug", WC_BUTTONW, BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP, 7, 110,
               260, 20);
    layout.Frame("frameType", 279, 80, 94, 54);
    layout.Radio("optType0", 287, 92, 80, true);
    layout.Radio("optType1", 287, 104, 80, false);
    layout.Radio("optType2", 287, 116, 80, false);
    layout.Add("Line2", WC_STATICW, SS_ETCHEDHORZ | WS_GROUP, 7, 140, 366, 1);
    layout.Add("lblInstall", WC_STATICW, SS_LEFT | SS_NOPREFIX, 7, 147, 306, 26);
    layout.Button("cmdInstall", 323, 147, 50, 14);
    layout.Add("lblRemove", WC_STATICW, SS_LEFT | SS_NOPREFIX, 7, 178, 306, 26);
    layout.Button("cmdRemove", 323, 178, 50, 14);
    // Enter must not install by accident: it cancels.
    layout.Button("cmdAnnuler", 323, 211, 50, 14, IDCANCEL, true);
    return layout;
}

}  // namespace

ServiceDialogOutcome ServiceDialog::Open(HWND owner, Settings& settings, ConfigStore& config,
                                         ServiceHost& service) {
    ServiceDialog dialog(settings, config, service);
    dialog.Run(owner, Layout());
    return dialog.Outcome();
}

ServiceDialog::ServiceDialog(Settings& settings, ConfigStore& config, ServiceHost& service)
    : ModalDialog(std::string(ServiceDialogPresenter::kWindow)),
      view_(View()),
      presenter_(view_, settings, config, service, WindowsServiceConsole(settings.language())) {}

ServiceDialog::~ServiceDialog() {
    if (bold_ != nullptr) {
        DeleteObject(bold_);
    }
}

void ServiceDialog::BeepingView::Beep() {
    MessageBeep(MB_OK);
}

void ServiceDialog::OnInit() {
    bold_ = CreateSystemDialogFont(Handle(), true);
    SendMessageW(Control("lblService"), WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    View().SetTextColour("lblInteract", kWarningColour);
    presenter_.Load();
}

void ServiceDialog::OnCommand(std::string_view control, WORD notification) {
    if (notification != BN_CLICKED) {
        return;
    }
    if (control == "chkInteract") {
        presenter_.OnInteractClicked();
    } else if (control == "cmdInstall") {
        presenter_.OnInstall();
    } else if (control == "cmdRemove") {
        presenter_.OnRemove();
    }
}

}  // namespace quellix
