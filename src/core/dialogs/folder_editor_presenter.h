#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/dialogs/folder_editor_rules.h"

namespace quellix {

// The folder editor's window: besides its named controls, a drive list over a folder list that
// always has a current folder, the retention box ("comboRetention", its text through
// SetText/Text), and the choosers it opens over itself.
class FolderEditorView : public virtual DialogView {
  public:
    // Moves both lists to folder; false, with nothing changed, when it is no folder they show.
    virtual bool ShowFolder(const std::string& folder) = 0;
    // The folder list's current folder, ending in "/".
    virtual std::string CurrentFolder() const = 0;
    // The desktop's folder chooser, opened on start; none when cancelled.
    virtual std::optional<std::string> BrowseFolder(std::string_view title,
                                                    const std::string& start) = 0;
    // The destination picker, opened on current; none when cancelled.
    virtual std::optional<std::string> PickDestination(const std::string& current) = 0;
    // The busy pointer while the files are counted.
    virtual void ShowBusy(bool busy) = 0;
    virtual void Beep() = 0;
};

// The folder entry editor: adds an entry before or after the selected row, or modifies it, then
// saves the list.
class FolderEditorPresenter {
  public:
    static constexpr std::string_view kWindow = "frmRepertoire";

    FolderEditorPresenter(FolderEditorView& view, const EditorOpening& opening,
                          EditorOkContext context);

    // Captions, colours, then the opening's folder and choices with the controls they govern.
    void Load();
    // The folder list moved: the label shows its folder.
    void OnFolderChanged();
    // The label beside the retention follows what is typed or picked.
    void OnRetentionChanged();
    void OnSubfoldersToggled();
    // A destination other than a folder forgets the folder shown.
    void OnActionChosen();
    void OnBrowse();
    void OnChooseDestination();
    // Refusals in order, the question for a system folder, then the row written and saved.
    void OnOk();
    // Not taken while the files are being counted: the row is written once the count ends.
    void OnCancel();

    // The index of the row written; none before OK or after a cancel.
    std::optional<std::size_t> WrittenRow() const { return written_; }

  private:
    void ApplyControlStates();
    void ShowFolderWarning(bool unknown);
    void SetBusy(bool busy);
    EditorState CurrentState() const;
    Language language() const { return context_.settings.language(); }

    FolderEditorView& view_;
    const EditorOpening opening_;
    const EditorOkContext context_;
    std::optional<std::size_t> written_;
    bool busy_ = false;
};

}  // namespace quellix
