#include "gui/win32/dialogs/purge_time_dialog.h"

#include <string>

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(150, 190);
    layout.Label("Label1", 7, 7, 50);
    layout.Edit("txtHeures", 7, 17, 34);
    layout.UpDown("UpDownHeures");
    layout.Label("Label2", 62, 7, 50);
    layout.Edit("txtMinutes", 62, 17, 34);
    layout.UpDown("UpDownMinutes");
    layout.Label("lblErreur", 7, 36, 136);
    layout.Frame("Frame1", 7, 48, 136, 114);
    for (int day = 1; day <= 7; ++day) {
        layout.CheckBox("chkJours" + std::to_string(day), 15, static_cast<short>(48 + day * 14),
                        120);
    }
    layout.Button("cmdOK", 39, 169, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 93, 169, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

bool PurgeTimeDialog::Open(HWND owner, Settings& settings, ConfigStore& config) {
    PurgeTimeDialog dialog(settings, config);
    return dialog.Run(owner, Layout());
}

PurgeTimeDialog::PurgeTimeDialog(Settings& settings, ConfigStore& config)
    : ModalDialog("frmHeure"), presenter_(View(), settings, config) {}

void PurgeTimeDialog::OnInit() {
    presenter_.Load();
    loaded_ = true;
}

void PurgeTimeDialog::OnCommand(std::string_view control, WORD notification) {
    if (loaded_ && notification == EN_CHANGE) {
        presenter_.OnTextChanged(control);
    }
}

void PurgeTimeDialog::OnStep(std::string_view upDown, bool up) {
    presenter_.OnStep(upDown == "UpDownHeures" ? "txtHeures" : "txtMinutes", up);
}

}  // namespace quellix
