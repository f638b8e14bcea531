#include "gui/win32/logview/log_folder_dialog.h"

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(236, 250);
    layout.CheckBox("chkLogs", 7, 7, 222);
    layout.Label("lblTitre", 7, 23, 222);
    FolderChooserView::AddTo(layout, "Lecteurs", "Chemins", 7, 34, 222, 160);
    // A folder, not a caption: an "&" in it is no access key, and a long one loses its middle.
    layout.Add("lblDossier", WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 7, 215, 222, 9);
    layout.Button("cmdOK", 125, 229, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 179, 229, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

bool LogFolderDialog::Open(HWND owner, Settings& settings, ConfigStore& config) {
    LogFolderDialog dialog(settings, config);
    dialog.Run(owner, Layout());
    return dialog.presenter_.Accepted();
}

LogFolderDialog::LogFolderDialog(Settings& settings, ConfigStore& config)
    : ModalDialog(std::string(LogFolderPresenter::kWindow)),
      view_(*this),
      presenter_(view_, settings, config) {}

void LogFolderDialog::OnInit() {
    chooser_.Attach(Control("Lecteurs"), Control("Chemins"), [this] {
        if (loaded_) {
            presenter_.OnFolderChanged();
        }
    });
    presenter_.Load();
    loaded_ = true;
}

void LogFolderDialog::OnCommand(std::string_view control, WORD notification) {
    if (!loaded_) {
        return;
    }
    if (control == "chkLogs" && notification == BN_CLICKED) {
        presenter_.OnSwitchClicked();
    } else if (control == "Lecteurs" && notification == CBN_SELCHANGE) {
        chooser_.OnDriveChosen();
    }
}

LRESULT LogFolderDialog::OnNotify(std::string_view control, NMHDR& header) {
    return control == "Chemins" ? chooser_.OnFolderListNotify(header) : 0;
}

void LogFolderDialog::FolderView::ShowFolder(const std::string& folder) {
    dialog_.chooser_.SetPath(folder);
}

std::string LogFolderDialog::FolderView::CurrentFolder() const {
    return dialog_.chooser_.Path();
}

}  // namespace quellix
