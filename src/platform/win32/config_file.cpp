#include "platform/config_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

ConfigFileRead WithState(ConfigFileState state, int error = 0) {
    ConfigFileRead read;
    read.state = state;
    read.error = error;
    return read;
}

// Opens what is at path (after its links, as the writes land there); on failure *read says what
// the path names instead.
UniqueHandle OpenEntry(const std::string& path, DWORD access, ConfigFileRead* read) {
    UniqueHandle entry(::CreateFileW(win32::SystemPath(path).c_str(), access, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (entry.Valid()) {
        FILE_BASIC_INFO basic{};
        if (!::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic)) {
            *read = WithState(ConfigFileState::Unreachable, win32::LastErrno());
            return {};
        }
        if ((basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            *read = WithState(ConfigFileState::Folder);
            return {};
        }
        if (::GetFileType(entry.Get()) != FILE_TYPE_DISK) {
            *read = WithState(ConfigFileState::NotRegular);
            return {};
        }
        *read = WithState(ConfigFileState::Regular);
        return entry;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {
        *read = WithState(ConfigFileState::Missing);
    } else if (error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) {
        *read = WithState(ConfigFileState::MissingFolder);
    } else {
        *read = WithState(ConfigFileState::Unreachable, win32::ErrnoFromWin32(error));
    }
    return {};
}

}  // namespace

ConfigFileRead InspectConfigFile(const std::string& path) {
    ConfigFileRead read;
    if (OpenEntry(path, FILE_READ_ATTRIBUTES, &read).Valid()) {
        read.stamp = GetFileStamp(path);
    }
    return read;
}

ConfigFileRead ReadConfigFile(const std::string& path, std::size_t maxBytes) {
    ConfigFileRead read;
    const UniqueHandle file = OpenEntry(path, GENERIC_READ, &read);
    if (!file.Valid()) {
        return read;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        return WithState(ConfigFileState::Unreachable, win32::LastErrno());
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return WithState(ConfigFileState::TooLarge);
    }
    read.stamp = GetFileStamp(path);
    // One byte past the limit at most: a file grown meanwhile shows as too large.
    std::string text;
    char buffer[64 * 1024];
    while (text.size() <= maxBytes) {
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes + 1 - text.size()));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, wanted, &got, nullptr)) {
            return WithState(ConfigFileState::Unreachable, win32::LastErrno());
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, got);
    }
    if (text.size() > maxBytes) {
        return WithState(ConfigFileState::TooLarge);
    }
    read.text = std::move(text);
    return read;
}

// Windows files carry no owner that the program judges: the replacement is the ordinary one.
bool ReplaceConfigFile(const std::string& path, const std::string& contents) {
    return ReplaceFileContents(path, contents);
}

}  // namespace quellix::platform
