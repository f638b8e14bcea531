#include "platform/directory.h"

#include <windows.h>
#include <winternl.h>

#include <cerrno>
#include <string>

#include "platform/win32/entry_info.h"
#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/shell_link.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::EntryName;
using win32::OpenRelative;
using win32::RelativeOpen;
using win32::UniqueHandle;

constexpr ACCESS_MASK kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES;
constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr ULONG kFileCreate = 2;  // FILE_CREATE: fails when the name exists
// Attributes that FileBasicInfo may set on an existing entry.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

DWORD AttributesOf(HANDLE entry) {
    FILE_BASIC_INFO basic{};
    return ::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)
               ? basic.FileAttributes
               : INVALID_FILE_ATTRIBUTES;
}

bool IsPlainFolder(HANDLE entry) {
    const DWORD attributes = AttributesOf(entry);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

// Follows links, as the configured folders may be links.
UniqueHandle OpenFolderByPath(const std::wstring& path) {
    UniqueHandle folder(::CreateFileW(path.c_str(), kFolderAccess | SYNCHRONIZE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const DWORD attributes = folder.Valid() ? AttributesOf(folder.Get()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return {};
    }
    return folder;
}

// The name's own entry, never what a reparse point leads to.
int OpenEntry(HANDLE folder, std::string_view name, const RelativeOpen& how, UniqueHandle* opened) {
    const EntryName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    return OpenRelative(folder, entry.Wide(), how, opened);
}

}  // namespace

Directory::~Directory() {
    if (fd_ != kNoHandle) {
        ::CloseHandle(fd_);
    }
}

Directory::Directory(Directory&& other) noexcept
    : fd_(other.fd_), localFileSystem_(other.localFileSystem_) {
    other.fd_ = kNoHandle;
}

Directory& Directory::operator=(Directory&& other) noexcept {
    if (this != &other) {
        if (fd_ != kNoHandle) {
            ::CloseHandle(fd_);
        }
        fd_ = other.fd_;
        localFileSystem_ = other.localFileSystem_;
        other.fd_ = kNoHandle;
    }
    return *this;
}

// Windows has no owner of a link to check it against: a configured path is followed as the
// system follows it, and what is walked below is never followed again.
std::optional<Directory> Directory::Open(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    UniqueHandle folder = OpenFolderByPath(win32::SystemPath(path));
    if (!folder.Valid()) {
        return std::nullopt;
    }
    return Directory(folder.Release());
}

std::optional<Directory> Directory::OpenChild(std::string_view name) const {
    UniqueHandle child;
    RelativeOpen how;
    how.access = kFolderAccess;
    how.options = FILE_DIRECTORY_FILE;
    // A junction opens as the folder it is: refused like a link.
    if (OpenEntry(fd_, name, how, &child) != 0 || !IsPlainFolder(child.Get())) {
        return std::nullopt;
    }
    return Directory(child.Release());
}

std::optional<Directory> Directory::Duplicate() const {
    UniqueHandle again;
    RelativeOpen how;
    how.access = kFolderAccess;
    how.options = FILE_DIRECTORY_FILE;
    if (OpenRelative(fd_, std::wstring(), how, &again) != 0) {
        return std::nullopt;
    }
    return Directory(again.Release());
}

std::optional<Directory> Directory::OpenParent() const {
    std::wstring path = win32::FinalPath(fd_);
    const bool driveRoot = path.size() == 3 && path[1] == L':' && path[2] == L'\\';
    if (driveRoot) {
        return Duplicate();  // a volume root is its own parent, as "/" is
    }
    while (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    const std::size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator < 2) {
        return path.starts_with(L"\\\\") ? Duplicate() : std::nullopt;
    }
    path.resize(separator);
    if (path.size() == 2 && path[1] == L':') {
        path += L'\\';
    }
    UniqueHandle parent = OpenFolderByPath(win32::SystemPath(win32::Narrow(path)));
    if (!parent.Valid()) {
        return std::nullopt;
    }
    return Directory(parent.Release());
}

// The new folder takes the permissions its parent passes on, as every folder made on Windows:
// there are no permission bits to copy from like.
std::optional<Directory> Directory::OpenOrMakeChildLike(std::string_view name,
                                                        const EntryInfo& /*like*/) const {
    if (auto existing = OpenChild(name)) {
        return existing;
    }
    const int error = MakeDirectory(name);
    if (error != 0 && error != EEXIST) {
        return std::nullopt;
    }
    return OpenChild(name);
}

std::optional<EntryInfo> StatPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const UniqueHandle entry(::CreateFileW(win32::SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                           kShareAll, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry.Valid()) {
        return std::nullopt;
    }
    return win32::EntryInfoOf(entry.Get());
}

// EntryInfo holds no owner on Windows: nothing to tell another user's file from ours by.
bool BelongsToThisUser(const EntryInfo& /*entry*/) {
    return true;
}

// Windows gives a process millions of handles: only the walk's own depth needs a bound.
std::size_t FolderHandleBudget() {
    return 256;
}

std::optional<EntryInfo> Directory::Stat(std::string_view name) const {
    UniqueHandle entry;
    if (OpenEntry(fd_, name, RelativeOpen{}, &entry) != 0) {
        return std::nullopt;
    }
    return win32::EntryInfoOf(entry.Get());
}

std::optional<EntryInfo> Directory::StatSelf() const {
    return win32::EntryInfoOf(fd_);
}

// Also on a reparse point itself: unlike Linux, Windows refuses to remove a read-only link.
int Directory::SetOwnerWritable(std::string_view name) const {
    UniqueHandle entry;
    RelativeOpen how;
    how.access = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
    if (const int error = OpenEntry(fd_, name, how, &entry); error != 0) {
        return error;
    }
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic)) {
        return win32::LastErrno();
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return 0;
    }
    const DWORD kept = basic.FileAttributes & kSettableAttributes & ~FILE_ATTRIBUTE_READONLY;
    FILE_BASIC_INFO change{};  // zero times: left as they are
    change.FileAttributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry.Get(), FileBasicInfo, &change, sizeof change)
               ? 0
               : win32::LastErrno();
}

int Directory::RemoveFile(std::string_view name) const {
    UniqueHandle entry;
    RelativeOpen how;
    how.access = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
    if (const int error = OpenEntry(fd_, name, how, &entry); error != 0) {
        return error;
    }
    if (IsPlainFolder(entry.Get())) {
        return EISDIR;
    }
    return win32::MarkForRemovalEvenReadOnly(entry.Get());
}

int Directory::RemoveEmptyDirectory(std::string_view name) const {
    UniqueHandle entry;
    RelativeOpen how;
    how.access = DELETE | FILE_READ_ATTRIBUTES;
    how.options = FILE_DIRECTORY_FILE;
    if (const int error = OpenEntry(fd_, name, how, &entry); error != 0) {
        return error;
    }
    if (!IsPlainFolder(entry.Get())) {
        return ENOTDIR;  // a junction is removed as a file
    }
    return win32::MarkForRemoval(entry.Get());
}

// Windows folders have no mode: the new one takes what its parent passes on.
int Directory::MakeDirectory(std::string_view name, unsigned /*mode*/) const {
    UniqueHandle made;
    RelativeOpen how;
    how.disposition = kFileCreate;
    how.options = FILE_DIRECTORY_FILE;
    return OpenEntry(fd_, name, how, &made);
}

// Windows' own form of a link that any user may make and Explorer follows: a Shell Link file.
int Directory::MakeSymlink(std::string_view name, const std::string& target) const {
    const EntryName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    if (target.empty() || target.find('\0') != std::string::npos) {
        return EINVAL;
    }
    return win32::SaveShellLink(fd_, entry.Wide(), win32::SystemPath(target));
}

std::optional<std::string> Directory::LinkTarget(std::string_view) const {
    return std::nullopt;
}

int Directory::CanMakeSymlink(std::string_view name, const std::string& target) const {
    const EntryName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    if (target.empty() || target.find('\0') != std::string::npos) {
        return EINVAL;
    }
    if (!win32::ShellLinkTargetFits(win32::SystemPath(target))) {
        return ENAMETOOLONG;
    }
    UniqueHandle existing;
    const int error = OpenRelative(fd_, entry.Wide(), RelativeOpen{}, &existing);
    if (error == 0) {
        return EEXIST;
    }
    return error == ENOENT ? 0 : error;
}

bool Directory::OnLocalFileSystem() const {
    if (localFileSystem_ < 0) {
        const std::wstring path = win32::FinalPath(fd_);
        bool local = !path.empty() && !path.starts_with(L"\\\\");
        if (local && path.size() >= 3 && path[1] == L':') {
            local = ::GetDriveTypeW(path.substr(0, 3).c_str()) != DRIVE_REMOTE;
        }
        localFileSystem_ = local ? 1 : 0;
    }
    return localFileSystem_ == 1;
}

// Windows tells every open of a file apart from none: an open that shares nothing fails while
// anyone (a process here or, through the server, elsewhere) has the file open for its data.
bool Directory::IsLocked(std::string_view name, EntryType seenAs) const {
    if (seenAs != EntryType::Unknown && seenAs != EntryType::File) {
        return false;
    }
    UniqueHandle entry;
    RelativeOpen how;
    how.access = FILE_READ_DATA | FILE_READ_ATTRIBUTES;
    how.share = 0;
    how.options = FILE_NON_DIRECTORY_FILE;
    const int error = OpenEntry(fd_, name, how, &entry);
    if (error != 0) {
        return error == EBUSY;
    }
    return false;
}

}  // namespace quellix::platform
