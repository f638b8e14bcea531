#include "platform/trash.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shlguid.h>
#include <shlwapi.h>
// clang-format on

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <string>

#include "platform/win32/com_pointer.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    const auto folded = [](wchar_t c) { return std::towlower(c == L'/' ? L'\\' : c); };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](wchar_t x, wchar_t y) { return folded(x) == folded(y); });
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesW(win32::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The bin's record of where an item was: its original folder, then its name.
std::wstring OriginalPathOf(IShellFolder2* bin, PCUITEMID_CHILD item) {
    static const SHCOLUMNID kDeletedFrom{FMTID_Displaced, PID_DISPLACED_FROM};
    std::wstring path;
    VARIANT folder;
    ::VariantInit(&folder);
    if (SUCCEEDED(bin->GetDetailsEx(item, &kDeletedFrom, &folder)) && folder.vt == VT_BSTR) {
        path.assign(folder.bstrVal, ::SysStringLen(folder.bstrVal));
    }
    ::VariantClear(&folder);
    wchar_t* text = nullptr;
    // Where the property is not offered by name (Wine), the bin's second column tells the same.
    SHELLDETAILS column{};
    if (path.empty() && SUCCEEDED(bin->GetDetailsOf(item, 1, &column)) &&
        SUCCEEDED(::StrRetToStrW(&column.str, item, &text))) {
        path = text;
        ::CoTaskMemFree(text);
        text = nullptr;
    }
    STRRET name{};
    if (path.empty() || FAILED(bin->GetDisplayNameOf(item, SHGDN_INFOLDER, &name)) ||
        FAILED(::StrRetToStrW(&name, item, &text))) {
        return {};
    }
    if (path.back() != L'\\') {
        path += L'\\';
    }
    path += text;
    ::CoTaskMemFree(text);
    return path;
}

// The bin's Restore on one of its items: by its verb, or, where the verb is not known by name
// (Wine), through the item's menu, whose first command is Restore.
bool Restore(IContextMenu* menu, const std::string& originalPath) {
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.fMask = CMIC_MASK_FLAG_NO_UI;
    invoke.lpVerb = "undelete";
    if (SUCCEEDED(menu->InvokeCommand(&invoke)) && Exists(originalPath)) {
        return true;
    }
    constexpr UINT kFirst = 1;
    HMENU popup = ::CreatePopupMenu();
    if (popup == nullptr) {
        return false;
    }
    if (SUCCEEDED(menu->QueryContextMenu(popup, 0, kFirst, 0x7fff, CMF_NORMAL)) &&
        ::GetMenuItemCount(popup) > 0) {
        invoke.lpVerb = MAKEINTRESOURCEA(::GetMenuItemID(popup, 0) - kFirst);
        menu->InvokeCommand(&invoke);
    }
    ::DestroyMenu(popup);
    return Exists(originalPath);
}

}  // namespace

int RestoreFromRecycleBin(const std::string& originalPath) {
    if (Exists(originalPath)) {
        return EEXIST;
    }
    const std::wstring wanted = win32::Widen(originalPath);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int error = ENOENT;
    {
        win32::ComPointer<IShellFolder> desktop;
        win32::ComPointer<IShellFolder2> bin;
        win32::ComPointer<IEnumIDList> items;
        PIDLIST_ABSOLUTE binItem = nullptr;
        if (SUCCEEDED(::SHGetDesktopFolder(desktop.Put())) &&
            SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binItem)) &&
            SUCCEEDED(desktop->BindToObject(binItem, nullptr, IID_IShellFolder2, bin.Out())) &&
            bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                             items.Put()) == S_OK) {
            PITEMID_CHILD item = nullptr;
            while (error == ENOENT && items->Next(1, &item, nullptr) == S_OK) {
                if (SamePath(OriginalPathOf(bin.Get(), item), wanted)) {
                    PCUITEMID_CHILD one = item;
                    win32::ComPointer<IContextMenu> menu;
                    const bool restored =
                        SUCCEEDED(bin->GetUIObjectOf(nullptr, 1, &one, IID_IContextMenu, nullptr,
                                                     menu.Out())) &&
                        Restore(menu.Get(), originalPath);
                    error = restored ? 0 : EIO;
                }
                ::CoTaskMemFree(item);
            }
        }
        ::CoTaskMemFree(binItem);
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return error;
}

}  // namespace quellix::platform
