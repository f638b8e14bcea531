#include <windows.h>
#include <winternl.h>

#include <optional>
#include <string>

#include "platform/directory.h"
#include "platform/win32/entry_info.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

// A handle of its own for each listing: the folder's handle keeps a listing position that a
// second listing, or one still running, would share.
win32::UniqueHandle OpenForListing(HANDLE folder, const std::wstring& name) {
    win32::RelativeOpen how;
    how.access = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
    how.options = FILE_DIRECTORY_FILE;
    win32::UniqueHandle listing;
    win32::OpenRelative(folder, name, how, &listing);
    return listing;
}

// What Explorer leaves out of a listing unless asked, and the dot names Linux programs hide.
bool IsHidden(std::wstring_view name, DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 ||
           name.front() == L'.';
}

}  // namespace

bool Directory::ForEachEntry(
    const std::function<void(std::string_view name, EntryType type)>& visit) const {
    return ForEachEntryWhile([&visit](std::string_view name, EntryType type) {
        visit(name, type);
        return true;
    });
}

// The listing is read to its end here; only the visits stop.
bool Directory::ForEachEntryWhile(
    const std::function<bool(std::string_view name, EntryType type)>& visit) const {
    const win32::UniqueHandle listing = OpenForListing(fd_, std::wstring());
    if (!listing.Valid()) {
        return false;
    }
    bool going = true;
    return win32::ListFolder(
               listing.Get(), [&visit, &going](std::wstring_view name, DWORD attributes) {
                   going = going && visit(win32::Narrow(name), win32::TypeOfAttributes(attributes));
               }) == 0;
}

bool Directory::ForEachEntryWithInfo(
    const std::function<void(std::string_view name, EntryType type, const EntryInfo* listed)>&
        visit) const {
    const win32::UniqueHandle listing = OpenForListing(fd_, std::wstring());
    if (!listing.Valid()) {
        return false;
    }
    std::optional<DWORD> volumeSerial;
    return win32::ListFolderRecords(listing.Get(), [&](const FILE_ID_BOTH_DIR_INFO& entry) {
               const std::string name = win32::Narrow(win32::NameOf(entry));
               const EntryType type = win32::TypeOfAttributes(entry.FileAttributes);
               if (!win32::IsCloudPlaceholder(entry.FileAttributes)) {
                   visit(name, type, nullptr);
                   return;
               }
               if (!volumeSerial) {
                   BY_HANDLE_FILE_INFORMATION folder{};
                   volumeSerial =
                       ::GetFileInformationByHandle(fd_, &folder) ? folder.dwVolumeSerialNumber : 0;
               }
               const EntryInfo info = win32::ListedEntryInfo(entry, *volumeSerial);
               visit(name, type, &info);
           }) == 0;
}

std::optional<bool> Directory::HasOnlyHiddenEntries(std::string_view name) const {
    const win32::EntryName child(name);
    if (!child.Valid()) {
        return std::nullopt;
    }
    const win32::UniqueHandle listing = OpenForListing(fd_, child.Wide());
    if (!listing.Valid()) {
        return std::nullopt;
    }
    FILE_BASIC_INFO basic{};
    // Never listed through a junction.
    if (!::GetFileInformationByHandleEx(listing.Get(), FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return std::nullopt;
    }
    bool onlyHidden = true;
    const int error =
        win32::ListFolder(listing.Get(), [&onlyHidden](std::wstring_view entry, DWORD attributes) {
            onlyHidden = onlyHidden && IsHidden(entry, attributes);
        });
    if (error != 0) {
        return std::nullopt;
    }
    return onlyHidden;
}

}  // namespace quellix::platform
