#include "platform/file_system.h"

#include <windows.h>

#include <cerrno>

#include "platform/directory.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

UniqueHandle OpenFollowing(const std::string& path, DWORD access) {
    return UniqueHandle(::CreateFileW(win32::SystemPath(path).c_str(), access, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

DWORD AttributesOf(HANDLE entry) {
    FILE_BASIC_INFO basic{};
    return ::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)
               ? basic.FileAttributes
               : INVALID_FILE_ATTRIBUTES;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const UniqueHandle file = OpenFollowing(path, GENERIC_READ);
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        (AttributesOf(file.Get()) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            return content;
        }
        content.append(buffer, read);
    }
}

std::optional<FileStamp> GetFileStamp(const std::string& path) {
    const UniqueHandle file = OpenFollowing(path, FILE_READ_ATTRIBUTES);
    BY_HANDLE_FILE_INFORMATION identity{};
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!file.Valid() || !::GetFileInformationByHandle(file.Get(), &identity) ||
        !::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !::GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &standard, sizeof standard)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = identity.dwVolumeSerialNumber;
    stamp.inode = (std::uint64_t{identity.nFileIndexHigh} << 32) | identity.nFileIndexLow;
    stamp.size = standard.EndOfFile.QuadPart;
    stamp.modifiedSeconds = win32::UnixSecondsOf(basic.LastWriteTime.QuadPart);
    stamp.modifiedNanoseconds = win32::NanosecondsOf(basic.LastWriteTime.QuadPart);
    stamp.changedSeconds = win32::UnixSecondsOf(basic.ChangeTime.QuadPart);
    stamp.changedNanoseconds = win32::NanosecondsOf(basic.ChangeTime.QuadPart);
    return stamp;
}

bool IsExistingDirectory(const std::string& path) {
    const UniqueHandle entry = OpenFollowing(path, FILE_READ_ATTRIBUTES);
    if (!entry.Valid()) {
        return false;
    }
    const DWORD attributes = AttributesOf(entry.Get());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::string& path) {
    // The entry's own attributes: a link counts even when it leads nowhere.
    return !path.empty() &&
           ::GetFileAttributesW(win32::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder's access list must grant adding a file, and its volume must take writes.
bool IsWritableFolder(const std::string& path) {
    if (!IsExistingDirectory(path)) {
        return false;
    }
    const UniqueHandle folder = OpenFollowing(path, FILE_ADD_FILE | FILE_READ_ATTRIBUTES);
    DWORD flags = 0;
    return folder.Valid() &&
           ::GetVolumeInformationByHandleW(folder.Get(), nullptr, 0, nullptr, nullptr, &flags,
                                           nullptr, 0) &&
           (flags & FILE_READ_ONLY_VOLUME) == 0;
}

bool MakeFolders(std::string path, unsigned mode) {
    while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) {
        path.pop_back();
    }
    if (IsExistingDirectory(path)) {
        return true;
    }
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos || separator + 1 == path.size()) {
        return false;
    }
    std::string parent = path.substr(0, separator);
    if (parent.empty() || parent.back() == ':') {
        parent += '/';
    }
    if (!MakeFolders(parent, mode)) {
        return false;
    }
    const std::optional<Directory> folder = Directory::Open(parent);
    if (!folder) {
        return false;
    }
    const int error = folder->MakeDirectory(path.substr(separator + 1), mode);
    return error == 0 || (error == EEXIST && IsExistingDirectory(path));
}

}  // namespace quellix::platform
