#include "gui/win32/dialogs/folder_chooser_view.h"

// The shell's headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <utility>

#include "platform/file_system.h"
#include "platform/folder_tree.h"
#include "platform/mounted_volumes.h"
#include "platform/os_info.h"
#include "platform/path_text.h"
#include "platform/win32/com_pointer.h"
#include "platform/win32/wide_text.h"

namespace quellix {

using platform::win32::ComPointer;

namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// Drive letters and folder names compare as Windows compares them: without regard to case.
bool SameName(std::string_view a, std::string_view b) {
    const std::wstring left = Widen(a);
    const std::wstring right = Widen(b);
    return ::CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                  static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

// "C:/x" and "C:\x" name one folder; the lists show the system's separator.
std::string WithSystemSeparators(std::string path) {
    for (char& c : path) {
        if (platform::IsPathSeparator(c)) {
            c = platform::kPathSeparator;
        }
    }
    return path;
}

// The names below the root, with "." and ".." resolved as the system resolves them.
std::vector<std::string> NamesBelowRoot(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = platform::RootLength(path);
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !platform::IsPathSeparator(path[end])) {
            ++end;
        }
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            names.emplace_back(name);
        }
        start = end + 1;
    }
    return names;
}

int SystemIconIndex(const wchar_t* name, DWORD attributes, UINT flags, HIMAGELIST* list) {
    SHFILEINFOW info{};
    const auto images = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(name, attributes, &info, sizeof(info),
                         SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | flags));
    if (list != nullptr) {
        *list = images;
    }
    return images != nullptr ? info.iIcon : 0;
}

// Whether a drive can be shown now: its medium is in and its root can be listed.
bool IsReadableNow(const std::string& root) {
    for (const platform::MountedVolume& volume : platform::MountedVolumes()) {
        if (SameName(volume.rootPath, root)) {
            return volume.ready && platform::SubfolderNames(root).has_value();
        }
    }
    return false;
}

int CALLBACK OpenOnStart(HWND window, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, start);
    }
    return 0;
}

// Windows XP and earlier have no folder dialog of the Vista kind: the older browser.
std::optional<std::string> BrowseTheOldWay(HWND owner, std::string_view title,
                                           const std::string& start) {
    const std::wstring caption = Widen(title);
    const std::wstring first = Widen(start);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lParam = reinterpret_cast<LPARAM>(first.c_str());
    browse.lpfn = &OpenOnStart;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    std::wstring path(32768, L'\0');
    const bool named = ::SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                               GPFIDL_DEFAULT);
    ::CoTaskMemFree(chosen);
    if (!named) {
        return std::nullopt;
    }
    path.resize(path.find(L'\0'));
    return Narrow(path);
}

// COM for the shell's dialogs, on this thread, for as long as one is open.
class ComForThisThread {
  public:
    ComForThisThread()
        : initialised_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForThisThread() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

  private:
    bool initialised_;
};

}  // namespace

void FolderChooserView::AddTo(DialogTemplate& layout, std::string driveList, std::string folderList,
                              short x, short y, short width, short folderListHeight) {
    // A drop-down's height in a template is its opened height.
    layout.Add(std::move(driveList), WC_COMBOBOXW,
               CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP | WS_GROUP, x, y, width,
               120);
    layout.Add(std::move(folderList), WC_TREEVIEWW,
               TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                   TVS_DISABLEDRAGDROP | WS_BORDER | WS_TABSTOP | WS_GROUP,
               x, static_cast<short>(y + 17), width, folderListHeight, 0, WS_EX_CLIENTEDGE);
}

void FolderChooserView::Attach(HWND driveList, HWND folderList, std::function<void()> changed) {
    drives_ = driveList;
    folders_ = folderList;
    changed_ = std::move(changed);

    HIMAGELIST icons = nullptr;
    folderIcon_ = SystemIconIndex(L"folder", FILE_ATTRIBUTE_DIRECTORY, 0, &icons);
    openFolderIcon_ = SystemIconIndex(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_OPENICON, nullptr);
    if (icons != nullptr) {
        // The system's own list: the tree shares it and never destroys it.
        SendMessageW(folders_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    }

    volumes_ = UserVolumes(platform::MountedVolumes());
    for (const Volume& volume : volumes_) {
        SendMessageW(drives_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(volume.displayName).c_str()));
    }
    if (SetPath(platform::CanonicalPath("."))) {
        return;
    }
    for (const Volume& volume : volumes_) {
        if (volume.ready && SetPath(volume.rootPath)) {
            return;
        }
    }
}

std::string FolderChooserView::Path() const {
    return current_.empty() ? current_ : platform::WithTrailingSeparator(current_);
}

bool FolderChooserView::SetPath(const std::string& path) {
    const std::size_t rootLength = platform::RootLength(path);
    if (folders_ == nullptr || rootLength == 0 || !platform::IsExistingDirectory(path)) {
        return false;
    }
    std::string root =
        platform::WithTrailingSeparator(WithSystemSeparators(path.substr(0, rootLength)));
    int volume = -1;
    for (std::size_t i = 0; i < volumes_.size(); ++i) {
        if (SameName(volumes_[i].rootPath, root)) {
            volume = static_cast<int>(i);
            root = volumes_[i].rootPath;
        }
    }

    positioning_ = true;
    if (nodes_.empty() || !SameName(root, shownRoot_)) {
        ShowRoot(root, volume);
    }
    HTREEITEM item = TreeView_GetRoot(folders_);
    for (const std::string& name : NamesBelowRoot(path)) {
        Fill(item);
        HTREEITEM child = ChildNamed(item, name);
        if (child == nullptr) {
            // A folder the list leaves out (one the system keeps to itself) is shown all the
            // same once it is chosen.
            child = AddItem(item, name, platform::JoinPath(NodeOf(item)->path, name), true);
            TVITEMW parent{};
            parent.mask = TVIF_CHILDREN;
            parent.hItem = item;
            parent.cChildren = 1;
            SendMessageW(folders_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&parent));
        }
        TreeView_Expand(folders_, item, TVE_EXPAND);
        item = child;
    }
    Fill(item);
    TreeView_Expand(folders_, item, TVE_EXPAND);
    Select(item);
    positioning_ = false;
    Enter(NodeOf(item)->path);
    return true;
}

void FolderChooserView::OnDriveChosen() {
    const auto index = static_cast<int>(SendMessageW(drives_, CB_GETCURSEL, 0, 0));
    if (index < 0 || index == shownVolume_ || static_cast<std::size_t>(index) >= volumes_.size()) {
        return;
    }
    const std::string& root = volumes_[static_cast<std::size_t>(index)].rootPath;
    // A drive without its medium leaves both lists where they were, without a word.
    if (!IsReadableNow(root) || !SetPath(root)) {
        SendMessageW(drives_, CB_SETCURSEL, static_cast<WPARAM>(shownVolume_), 0);
    }
}

LRESULT FolderChooserView::OnFolderListNotify(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
        case TVN_ITEMEXPANDINGW:
            if ((change.action & TVE_EXPAND) != 0) {
                Fill(change.itemNew.hItem);
            }
            return FALSE;
        case TVN_SELCHANGEDW:
            if (!positioning_) {
                if (const Node* node = NodeOf(change.itemNew)) {
                    Enter(node->path);
                }
            }
            return 0;
        default:
            return 0;
    }
}

std::optional<std::string> FolderChooserView::Browse(HWND owner, std::string_view title,
                                                     const std::string& start) {
    const ComForThisThread com;
    ComPointer<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileOpenDialog, dialog.Out()))) {
        return BrowseTheOldWay(owner, title, start);
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                       FOS_NOCHANGEDIR);
    dialog->SetTitle(Widen(title).c_str());
    ComPointer<IShellItem> first;
    if (!start.empty() && SUCCEEDED(::SHCreateItemFromParsingName(Widen(start).c_str(), nullptr,
                                                                  IID_IShellItem, first.Out()))) {
        dialog->SetFolder(first.Get());
    }
    ComPointer<IShellItem> chosen;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(chosen.Put()))) {
        return std::nullopt;
    }
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
        return std::nullopt;
    }
    std::string folder = Narrow(path);
    ::CoTaskMemFree(path);
    return folder;
}

void FolderChooserView::ShowRoot(const std::string& root, int volume) {
    TreeView_DeleteAllItems(folders_);
    nodes_.clear();
    AddItem(TVI_ROOT, root, root, false);
    shownRoot_ = root;
    shownVolume_ = volume;
    SendMessageW(drives_, CB_SETCURSEL, static_cast<WPARAM>(volume), 0);
}

HTREEITEM FolderChooserView::AddItem(HTREEITEM parent, const std::string& name,
                                     const std::string& path, bool sorted) {
    Node& node = nodes_.emplace_back(Node{path, name, false});
    std::wstring text = Widen(name);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = sorted ? TVI_SORT : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = text.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    // Every folder may hold others until it is opened and listed.
    insert.item.cChildren = 1;
    insert.item.iImage = folderIcon_;
    insert.item.iSelectedImage = openFolderIcon_;
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(folders_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FolderChooserView::Fill(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (node == nullptr || node->filled) {
        return;
    }
    node->filled = true;
    const std::string parentPath = node->path;
    const std::optional<std::vector<std::string>> names = platform::SubfolderNames(parentPath);
    if (names) {
        for (const std::string& name : *names) {
            AddItem(item, name, platform::JoinPath(parentPath, name), false);
        }
    }
    if (!names || names->empty()) {
        TVITEMW empty{};
        empty.mask = TVIF_CHILDREN;
        empty.hItem = item;
        empty.cChildren = 0;
        SendMessageW(folders_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&empty));
    }
}

HTREEITEM FolderChooserView::ChildNamed(HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = TreeView_GetChild(folders_, parent); child != nullptr;
         child = TreeView_GetNextSibling(folders_, child)) {
        const Node* node = NodeOf(child);
        if (node != nullptr && node->name == name) {
            return child;
        }
    }
    for (HTREEITEM child = TreeView_GetChild(folders_, parent); child != nullptr;
         child = TreeView_GetNextSibling(folders_, child)) {
        const Node* node = NodeOf(child);
        if (node != nullptr && SameName(node->name, name)) {
            return child;
        }
    }
    return nullptr;
}

FolderChooserView::Node* FolderChooserView::NodeOf(const TVITEMW& item) {
    return reinterpret_cast<Node*>(item.lParam);
}

FolderChooserView::Node* FolderChooserView::NodeOf(HTREEITEM item) const {
    if (item == nullptr) {
        return nullptr;
    }
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return SendMessageW(folders_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) != FALSE
               ? NodeOf(query)
               : nullptr;
}

void FolderChooserView::Select(HTREEITEM item) {
    TreeView_SelectItem(folders_, item);
    TreeView_EnsureVisible(folders_, item);
}

void FolderChooserView::Enter(const std::string& path) {
    if (path != current_) {
        current_ = path;
        if (changed_) {
            changed_();
        }
    }
}

}  // namespace quellix
