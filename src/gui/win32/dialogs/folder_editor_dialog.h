#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/dialogs/folder_editor_presenter.h"
#include "core/dialogs/folder_editor_rules.h"
#include "gui/win32/common/control_view_of.h"
#include "gui/win32/common/modal_dialog.h"
#include "gui/win32/dialogs/folder_chooser_view.h"

namespace quellix {

// The folder entry editor frmRepertoire: adds an entry before or after the selected row, or
// modifies it, then saves the list.
class FolderEditorDialog final : public ModalDialog {
  public:
    // selectedRow is the 0-based row, -1 for none. Returns the index of the row written; nullopt
    // when nothing was (Cancel, the close box, or a modify without a row).
    static std::optional<std::size_t> Open(HWND owner, FolderEditorMode mode,
                                           std::ptrdiff_t selectedRow,
                                           const FolderEditorContext& context);

    FolderEditorDialog(const EditorOpening& opening, const FolderEditorContext& context);
    ~FolderEditorDialog() override;

  private:
    // The named controls, the drive and folder lists, and the windows the editor opens.
    class EditorView final : public ControlViewOf<FolderEditorView> {
      public:
        EditorView(FolderEditorDialog& dialog, const Settings& settings)
            : ControlViewOf(dialog.View()), dialog_(dialog), settings_(settings) {}
        bool ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;
        std::optional<std::string> BrowseFolder(std::string_view title,
                                                const std::string& start) override;
        std::optional<std::string> PickDestination(const std::string& current) override;
        void ShowBusy(bool busy) override;
        void Beep() override;

      private:
        FolderEditorDialog& dialog_;
        const Settings& settings_;
    };

    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }
    void OnCommand(std::string_view control, WORD notification) override;
    LRESULT OnNotify(std::string_view control, NMHDR& header) override;

    FolderChooserView chooser_;
    EditorView view_;
    FolderEditorPresenter presenter_;
    HFONT bold_ = nullptr;
    // The controls' own changes while loading are not the user's.
    bool loaded_ = false;
};

}  // namespace quellix
