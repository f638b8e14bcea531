#include "gui/win32/dialogs/tempo_dialog.h"

#include "gui/win32/common/system_font.h"

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(240, 103);
    layout.Label("lblTempo", 7, 7, 226);
    layout.Label("lblChaque", 7, 23, 30);
    layout.Add("Text1", WC_EDITW, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 38, 20, 34,
               14, 0, WS_EX_CLIENTEDGE);
    layout.UpDown("UpDown1");
    layout.Label("lblSecondes", 76, 23, 60);
    layout.Label("Label2", 7, 41, 226, 16);
    layout.Label("Label1", 7, 59, 226, 16);
    layout.Button("cmdOK", 129, 82, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 183, 82, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

bool TempoDialog::Open(HWND owner, Settings& settings, ConfigStore& config,
                       SchedulerState& scheduler) {
    TempoDialog dialog(settings, config, scheduler);
    return dialog.Run(owner, Layout());
}

TempoDialog::TempoDialog(Settings& settings, ConfigStore& config, SchedulerState& scheduler)
    : ModalDialog("frmTempo"), presenter_(View(), settings, config, scheduler) {}

TempoDialog::~TempoDialog() {
    if (bold_ != nullptr) {
        DeleteObject(bold_);
    }
}

void TempoDialog::OnInit() {
    bold_ = CreateSystemDialogFont(Handle(), true);
    SendMessageW(Control("Text1"), WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    presenter_.Load();
}

void TempoDialog::OnStep(std::string_view, bool up) {
    presenter_.OnStep(up);
}

}  // namespace quellix
