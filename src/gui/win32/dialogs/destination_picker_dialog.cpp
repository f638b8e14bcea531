#include "gui/win32/dialogs/destination_picker_dialog.h"

#include <utility>

namespace quellix {

namespace {

DialogTemplate Layout() {
    DialogTemplate layout(196, 224);
    layout.Label("lblSelectDrive", 7, 7, 182);
    FolderChooserView::AddTo(layout, "drvList", "dirList", 7, 17, 182, 168);
    layout.Button("cmdOK", 85, 203, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 139, 203, 50, 14, IDCANCEL);
    return layout;
}

}  // namespace

std::optional<std::string> DestinationPickerDialog::Open(HWND editor,
                                                         const std::string& currentDestination,
                                                         const Settings& settings) {
    DestinationPickerDialog dialog(settings, currentDestination);
    dialog.editor_ = editor;
    dialog.Run(editor, Layout());
    return dialog.presenter_.Chosen();
}

DestinationPickerDialog::DestinationPickerDialog(const Settings& settings, std::string start)
    : ModalDialog(std::string(DestinationPickerPresenter::kWindow)),
      start_(std::move(start)),
      view_(*this),
      presenter_(view_, settings) {}

void DestinationPickerDialog::OnInit() {
    chooser_.Attach(Control("drvList"), Control("dirList"), nullptr);
    presenter_.Load();
    presenter_.StartAt(start_);
    // Over the editor, at its place.
    RECT place{};
    if (editor_ != nullptr && GetWindowRect(editor_, &place)) {
        SetWindowPos(Handle(), nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    View().SetFocus("dirList");
}

void DestinationPickerDialog::OnCommand(std::string_view control, WORD notification) {
    if (control == "drvList" && notification == CBN_SELCHANGE) {
        chooser_.OnDriveChosen();
    }
}

LRESULT DestinationPickerDialog::OnNotify(std::string_view control, NMHDR& header) {
    return control == "dirList" ? chooser_.OnFolderListNotify(header) : 0;
}

void DestinationPickerDialog::PickerView::ShowFolder(const std::string& folder) {
    dialog_.chooser_.SetPath(folder);
}

std::string DestinationPickerDialog::PickerView::CurrentFolder() const {
    return dialog_.chooser_.Path();
}

}  // namespace quellix
