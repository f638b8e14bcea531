#include "gui/win32/logview/log_retention_dialog.h"

#include <string>

#include "core/dialogs/dialog_captions.h"

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(220, 79);
    layout.CheckBox("chkPurgeLogs", 7, 7, 206);
    layout.Add("Text1", WC_EDITW, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 19, 21, 38,
               14, 0, WS_EX_CLIENTEDGE);
    layout.UpDown("UpDown1");
    layout.Label("lblJours", 61, 24, 60);
    layout.Label("Label1", 19, 40, 194);
    layout.Button("cmdOK", 109, 58, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 163, 58, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

bool LogRetentionDialog::Open(HWND owner, Settings& settings, ConfigStore& config) {
    LogRetentionDialog dialog(settings, config);
    return dialog.Run(owner, Layout());
}

LogRetentionDialog::LogRetentionDialog(Settings& settings, ConfigStore& config)
    : ModalDialog(std::string(LogRetentionPresenter::kWindow)),
      presenter_(View(), settings, config) {}

void LogRetentionDialog::OnInit() {
    // The limit is told in the warning red of the other dialogs.
    View().SetTextColour("Label1", kWarningColour);
    presenter_.Load();
}

void LogRetentionDialog::OnStep(std::string_view, bool up) {
    presenter_.OnStep(up);
}

}  // namespace quellix
