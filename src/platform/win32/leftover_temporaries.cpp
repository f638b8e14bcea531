#include "platform/leftover_temporaries.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

#include "platform/companion_files.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/paths.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

// A temporary of the shared form may belong to a writer of another file of the folder, run by an
// earlier version. Such a writer creates, writes and renames its temporary within moments; one
// left untouched for a day and open nowhere has no writer any more.
constexpr std::int64_t kSharedTemporaryAge = 24 * 3600;

// Opens a regular file of the folder for removal; share is what others may do meanwhile.
UniqueHandle OpenRegularForRemoval(HANDLE folder, const std::wstring& name, ACCESS_MASK access,
                                   ULONG share) {
    win32::RelativeOpen how;
    how.access = DELETE | FILE_READ_ATTRIBUTES | access;
    how.share = share;
    how.options = FILE_NON_DIRECTORY_FILE;
    UniqueHandle entry;
    FILE_BASIC_INFO basic{};
    if (win32::OpenRelative(folder, name, how, &entry) != 0 ||
        !::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return {};
    }
    return entry;
}

bool RemoveOwnTemporary(HANDLE folder, const std::wstring& name) {
    const UniqueHandle entry = OpenRegularForRemoval(
        folder, name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    return entry.Valid() && win32::MarkForRemoval(entry.Get()) == 0;
}

// An open that shares nothing succeeds only when no process has the file open, and keeps anyone
// from opening it until it is gone.
bool RemoveSharedTemporary(HANDLE folder, const std::wstring& name, std::int64_t now) {
    const UniqueHandle entry = OpenRegularForRemoval(folder, name, FILE_READ_DATA, 0);
    FILE_BASIC_INFO basic{};
    if (!entry.Valid() ||
        !::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic) ||
        win32::UnixSecondsOf(basic.LastWriteTime.QuadPart) > now - kSharedTemporaryAge) {
        return false;
    }
    return win32::MarkForRemoval(entry.Get()) == 0;
}

}  // namespace

int RemoveLeftoverTemporaries(const std::string& path, std::int64_t now) {
    const std::wstring written = win32::WrittenPath(path);
    const win32::PathParts parts = win32::SplitLastComponent(written);
    if (written.empty() || parts.name.empty()) {
        return 0;
    }
    const UniqueHandle folder(
        win32::OpenFolderForListing(win32::SystemPath(win32::Narrow(parts.folder))));
    if (!folder.Valid()) {
        return 0;
    }
    const std::string fileName = win32::Narrow(parts.name);
    // Listed first, removed after: removing entries while the listing goes on may make it skip
    // others.
    std::vector<std::wstring> own;
    std::vector<std::wstring> shared;
    win32::ListFolder(folder.Get(), [&](std::wstring_view wideName, DWORD /*attributes*/) {
        const std::string name = win32::Narrow(wideName);
        if (IsTemporaryName(name, fileName)) {
            own.emplace_back(wideName);
        } else if (IsSharedTemporaryName(name)) {
            shared.emplace_back(wideName);
        }
    });
    int removed = 0;
    for (const std::wstring& entry : own) {
        removed += RemoveOwnTemporary(folder.Get(), entry) ? 1 : 0;
    }
    for (const std::wstring& entry : shared) {
        removed += RemoveSharedTemporary(folder.Get(), entry, now) ? 1 : 0;
    }
    return removed;
}

}  // namespace quellix::platform
