#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

// What a user does with the drive list and the folder list of a dialog, in a temporary folder
// that is the process's current folder.
namespace quellix::test {

class CurrentTempDir : public TempDir {
  public:
    CurrentTempDir() {
        GetCurrentDirectoryW(MAX_PATH, saved_);
        SetCurrentDirectoryW(platform::win32::Widen(Path()).c_str());
    }
    ~CurrentTempDir() { SetCurrentDirectoryW(saved_); }

    // The folder as the lists show it, with the system's separator; "" for the folder itself.
    std::string Shown(const std::string& name = "") const {
        std::string path = Path() + (name.empty() ? "" : "\\" + name);
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }

  private:
    wchar_t saved_[MAX_PATH] = {};
};

// A picture to look at, in the folder QUELLIX_PICTURES names.
inline void SavePicture(HWND dialog, const char* name) {
    if (const char* folder = std::getenv("QUELLIX_PICTURES")) {
        SaveWindowPicture(dialog, std::string(folder) + "\\" + name + ".bmp");
    }
}

inline std::string ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    return SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) != FALSE
               ? platform::win32::Narrow(text)
               : std::string();
}

// The folder list's selected folder, from the drive's root down, as the tree shows it.
inline std::string SelectedPath(HWND tree) {
    std::string path;
    for (HTREEITEM item = TreeView_GetSelection(tree); item != nullptr;
         item = TreeView_GetParent(tree, item)) {
        const std::string name = ItemText(tree, item);
        path = path.empty() ? name : name + (name.ends_with('\\') ? "" : "\\") + path;
    }
    return path;
}

// Opens the selected folder as the right arrow key does (unless it is open), then selects its
// subfolder name as a click would; false when it has none of that name.
inline bool OpenSubfolder(HWND tree, std::string_view name) {
    HTREEITEM selected = TreeView_GetSelection(tree);
    if ((TreeView_GetItemState(tree, selected, TVIS_EXPANDED) & TVIS_EXPANDED) == 0) {
        SendMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
    }
    for (HTREEITEM child = TreeView_GetChild(tree, selected); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        if (ItemText(tree, child) == name) {
            return TreeView_SelectItem(tree, child) != FALSE;
        }
    }
    return false;
}

// Selects the parent of the selected folder.
inline void GoUp(HWND tree) {
    TreeView_SelectItem(tree, TreeView_GetParent(tree, TreeView_GetSelection(tree)));
}

// Picks a line of a drop-down list as the mouse does: the list's notification follows.
inline void Pick(HWND dialog, std::string_view list, int index) {
    HWND combo = Named(dialog, list);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

inline int PickedIndex(HWND dialog, std::string_view list) {
    return static_cast<int>(SendMessageW(Named(dialog, list), CB_GETCURSEL, 0, 0));
}

}  // namespace quellix::test
