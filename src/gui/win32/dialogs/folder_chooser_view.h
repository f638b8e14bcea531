#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialogs/folder_choice_rules.h"
#include "gui/win32/common/dialog_template.h"

namespace quellix {

// The drive list (a drop-down list of the drives) over the folder list (the folder tree of the
// chosen drive, filled as its folders are opened), both controls of a dialog. The folder list
// always has a current folder; it starts at the process's current folder.
class FolderChooserView {
  public:
    FolderChooserView() = default;
    FolderChooserView(const FolderChooserView&) = delete;
    FolderChooserView& operator=(const FolderChooserView&) = delete;

    // Adds the two controls to a layout, the folder list under the drive list, in Tab order.
    static void AddTo(DialogTemplate& layout, std::string driveList, std::string folderList,
                      short x, short y, short width, short folderListHeight);

    // Takes the controls once the dialog has made them, lists the drives and shows the current
    // folder; changed runs after every change of the current folder.
    void Attach(HWND driveList, HWND folderList, std::function<void()> changed);

    // The current folder, ending in the separator.
    std::string Path() const;
    // Positions both lists on path; false, with nothing changed, when it is not an existing
    // folder.
    bool SetPath(const std::string& path);

    // The dialog's notifications of the two controls.
    void OnDriveChosen();
    LRESULT OnFolderListNotify(const NMHDR& header);

    // The shell's folder picker over owner, opened on start; none when cancelled.
    static std::optional<std::string> Browse(HWND owner, std::string_view title,
                                             const std::string& start);

  private:
    struct Node {
        std::string path;
        std::string name;
        bool filled = false;
    };

    void ShowRoot(const std::string& root, int volume);
    HTREEITEM AddItem(HTREEITEM parent, const std::string& name, const std::string& path,
                      bool sorted);
    // Lists the subfolders of an item the first time it is opened.
    void Fill(HTREEITEM item);
    HTREEITEM ChildNamed(HTREEITEM parent, const std::string& name) const;
    static Node* NodeOf(const TVITEMW& item);
    Node* NodeOf(HTREEITEM item) const;
    void Select(HTREEITEM item);
    void Enter(const std::string& path);

    HWND drives_ = nullptr;
    HWND folders_ = nullptr;
    std::function<void()> changed_;
    std::vector<Volume> volumes_;
    int shownVolume_ = -1;
    std::string shownRoot_;
    std::deque<Node> nodes_;
    std::string current_;  // without the trailing separator, except a root
    bool positioning_ = false;
    int folderIcon_ = 0;
    int openFolderIcon_ = 0;
};

}  // namespace quellix
