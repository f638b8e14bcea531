#include "gui/win32/dialogs/folder_editor_dialog.h"

#include <string>

#include "core/dialogs/folder_editor_texts.h"
#include "gui/win32/common/coloured_caption.h"
#include "gui/win32/dialogs/destination_picker_dialog.h"
#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

// Labels that show a folder: an "&" in a name is no access key, and a long path loses its
// middle rather than its end.
constexpr DWORD kPathLabel = SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS;

DialogTemplate Layout() {
    DialogTemplate layout(462, 250);
    // The folder, on the left.
    layout.Label("lblSelectDrive", 7, 7, 160);
    FolderChooserView::AddTo(layout, "drvList", "dirList", 7, 17, 160, 150);
    layout.Add("cmdParcourir", WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 7, 189, 60, 14);
    layout.Label("lblDossier", 7, 209, 160);
    layout.Add("lblRepertoire", WC_STATICW, kPathLabel, 7, 220, 160, 9);

    // What is purged, and how, on the right.
    layout.Label("lblRetention", 175, 7, 72, 18);
    layout.Add("comboRetention", WC_COMBOBOXW,
               CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 249, 8, 42,
               120);
    layout.Label("lblHeures", 295, 10, 34);
    layout.Label("lblErrRetention", 331, 10, 124);

    layout.Add("FrameSousDossiers", WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 175, 29, 280, 50);
    layout.CheckBox("chkSousDossiers", 183, 41, 266);
    layout.CheckBox("chkEffacerSousDossiersVides", 183, 53, 266);
    layout.CheckBox("chkFichiersLectureSeule", 183, 65, 266);

    layout.Add("frameDate", WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 175, 83, 280, 50);
    layout.Radio("optDate0", 183, 95, 266, true);
    layout.Radio("optDate1", 183, 107, 266, false);
    layout.Radio("optDate2", 183, 119, 266, false);

    layout.Add("frameDestination", WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 175, 137, 280, 88);
    layout.Radio("optDestination0", 183, 149, 266, true);
    layout.Radio("optDestination1", 183, 161, 266, false);
    layout.Radio("optDestination2", 183, 173, 266, false);
    layout.Add("cmdAutreDossier", WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 195, 188, 64,
               14);
    layout.Add("lblAutreDossier", WC_STATICW, kPathLabel | SS_CENTERIMAGE, 263, 188, 186, 14, 0,
               WS_EX_STATICEDGE);
    layout.CheckBox("chkShortCut", 195, 208, 254);

    layout.Button("cmdOK", 351, 229, 50, 14, IDOK, true);
    layout.Button("cmdAnnuler", 405, 229, 50, 14, IDCANCEL);
    return layout;
}

bool Is(std::string_view control, std::string_view name, WORD notification, WORD wanted) {
    return control == name && notification == wanted;
}

}  // namespace

std::optional<std::size_t> FolderEditorDialog::Open(HWND owner, FolderEditorMode mode,
                                                    std::ptrdiff_t selectedRow,
                                                    const FolderEditorContext& context) {
    const std::optional<EditorOpening> opening =
        OpenFolderEditor(mode, selectedRow, context.folders, context.settings.language());
    if (!opening) {
        return std::nullopt;
    }
    FolderEditorDialog dialog(*opening, context);
    dialog.Run(owner, Layout());
    return dialog.presenter_.WrittenRow();
}

FolderEditorDialog::FolderEditorDialog(const EditorOpening& opening,
                                       const FolderEditorContext& context)
    : ModalDialog(std::string(FolderEditorPresenter::kWindow)),
      view_(*this, context.settings),
      presenter_(view_, opening,
                 EditorOkContext{context.settings, context.store, context.folders,
                                 context.countFiles, context.homeFolder}) {}

FolderEditorDialog::~FolderEditorDialog() {
    if (bold_ != nullptr) {
        DeleteObject(bold_);
    }
}

void FolderEditorDialog::OnInit() {
    // The label over the chosen folder in the dialog's font, bold.
    LOGFONTW font{};
    if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof(font),
                   &font) != 0) {
        font.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectW(&font);
        SendMessageW(Control("lblDossier"), WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    }
    HWND retention = Control("comboRetention");
    for (const char* preset : kRetentionPresets) {
        SendMessageW(retention, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::win32::Widen(preset).c_str()));
    }
    chooser_.Attach(Control("drvList"), Control("dirList"), [this] {
        if (loaded_) {
            presenter_.OnFolderChanged();
        }
    });
    presenter_.Load();
    loaded_ = true;
}

void FolderEditorDialog::OnCommand(std::string_view control, WORD notification) {
    if (!loaded_) {
        return;
    }
    if (Is(control, "drvList", notification, CBN_SELCHANGE)) {
        chooser_.OnDriveChosen();
    } else if (Is(control, "comboRetention", notification, CBN_EDITCHANGE)) {
        presenter_.OnRetentionChanged();
    } else if (Is(control, "comboRetention", notification, CBN_SELCHANGE)) {
        // The box's text follows the preset only after this notification: it is put there first.
        HWND retention = Control("comboRetention");
        const LRESULT chosen = SendMessageW(retention, CB_GETCURSEL, 0, 0);
        const LRESULT length = SendMessageW(retention, CB_GETLBTEXTLEN, chosen, 0);
        if (chosen != CB_ERR && length != CB_ERR) {
            std::wstring preset(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(retention, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(preset.data()));
            SetWindowTextW(retention, preset.c_str());
            presenter_.OnRetentionChanged();
        }
    } else if (notification != BN_CLICKED) {
        return;
    } else if (control == "cmdParcourir") {
        presenter_.OnBrowse();
    } else if (control == "chkSousDossiers") {
        presenter_.OnSubfoldersToggled();
    } else if (control.starts_with("optDestination")) {
        presenter_.OnActionChosen();
    } else if (control == "cmdAutreDossier") {
        presenter_.OnChooseDestination();
    }
}

LRESULT FolderEditorDialog::OnNotify(std::string_view control, NMHDR& header) {
    if (control == "dirList") {
        return chooser_.OnFolderListNotify(header);
    }
    if (header.code == NM_CUSTOMDRAW) {
        if (const std::optional<COLORREF> colour = View().ColourOf(header.hwndFrom)) {
            return DrawColouredCaption(reinterpret_cast<const NMCUSTOMDRAW&>(header), *colour);
        }
    }
    return CDRF_DODEFAULT;
}

bool FolderEditorDialog::EditorView::ShowFolder(const std::string& folder) {
    return dialog_.chooser_.SetPath(folder);
}

std::string FolderEditorDialog::EditorView::CurrentFolder() const {
    return dialog_.chooser_.Path();
}

std::optional<std::string> FolderEditorDialog::EditorView::BrowseFolder(std::string_view title,
                                                                        const std::string& start) {
    return FolderChooserView::Browse(dialog_.Handle(), title, start);
}

std::optional<std::string> FolderEditorDialog::EditorView::PickDestination(
    const std::string& current) {
    return DestinationPickerDialog::Open(dialog_.Handle(), current, settings_);
}

void FolderEditorDialog::EditorView::ShowBusy(bool busy) {
    // No message runs while the files are counted: the pointer stays until it is set back.
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

void FolderEditorDialog::EditorView::Beep() {
    MessageBeep(MB_OK);
}

}  // namespace quellix
