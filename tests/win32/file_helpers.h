#pragma once

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winioctl.h>
// clang-format on

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quellix::platform::win32::test {

// The tests' own view of a file, through the plain Win32 calls.
inline DWORD AttributesAt(const std::string& path) {
    return ::GetFileAttributesW(SystemPath(path).c_str());
}

inline bool SetAttributesAt(const std::string& path, DWORD attributes) {
    return ::SetFileAttributesW(SystemPath(path).c_str(), attributes) != 0;
}

// The narrow std::filesystem calls of the test support take names in the ANSI code page: files
// with names beyond it are made and read here.
inline bool WriteFileAt(const std::string& path, const std::string& content) {
    const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    ::CloseHandle(file);
    return ok;
}

inline bool ExistsAt(const std::string& path) {
    return AttributesAt(path) != INVALID_FILE_ATTRIBUTES;
}

inline std::optional<std::string> ReadFileAt(const std::string& path) {
    const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string content(1 << 16, '\0');
    DWORD read = 0;
    const bool ok =
        ::ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    ::CloseHandle(file);
    if (!ok) {
        return std::nullopt;
    }
    content.resize(read);
    return content;
}

// Sets a file's last write and last access times (seconds since the epoch), by its system path.
inline bool SetTimesAt(const std::string& path, std::int64_t modified, std::int64_t accessed) {
    const auto fileTime = [](std::int64_t seconds) {
        const auto ticks = static_cast<std::uint64_t>((seconds + 11644473600LL) * 10000000LL);
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const FILETIME written = fileTime(modified);
    const FILETIME accessedTime = fileTime(accessed);
    const bool set = ::SetFileTime(file, &written, &accessedTime, &written) != 0;
    ::CloseHandle(file);
    return set;
}

// Makes every missing folder of path, however long it is.
inline bool MakeFoldersAt(const std::string& path) {
    for (std::size_t separator = path.find('/', 3);; separator = path.find('/', separator + 1)) {
        const std::string folder = path.substr(0, separator);
        if (!::CreateDirectoryW(SystemPath(folder).c_str(), nullptr) &&
            ::GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        if (separator == std::string::npos) {
            return true;
        }
    }
}

// Removes the folder at path and all it holds, however deep (std::filesystem stops at MAX_PATH
// on Windows).
inline void RemoveTreeAt(const std::wstring& systemPath) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((systemPath + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring inside = systemPath + L"\\" + name;
            ::SetFileAttributesW(inside.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                RemoveTreeAt(inside);
            } else if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                ::RemoveDirectoryW(inside.c_str());
            } else {
                ::DeleteFileW(inside.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(systemPath.c_str());
}

// A junction at link leading to the folder target (an absolute "C:/..." path), as mklink /J
// makes it. False when the system cannot make one.
inline bool MakeJunction(const std::string& link, const std::string& target) {
    std::wstring substitute = L"\\??\\" + Widen(target);
    for (wchar_t& c : substitute) {
        c = c == L'/' ? L'\\' : c;
    }
    const std::wstring print = substitute.substr(4);
    struct Head {
        DWORD tag;
        WORD dataLength;
        WORD reserved;
        WORD substituteOffset;
        WORD substituteLength;
        WORD printOffset;
        WORD printLength;
    };
    const std::size_t pathBytes = (substitute.size() + 1 + print.size() + 1) * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(Head) + pathBytes);
    Head head{IO_REPARSE_TAG_MOUNT_POINT,
              static_cast<WORD>(8 + pathBytes),
              0,
              0,
              static_cast<WORD>(substitute.size() * sizeof(wchar_t)),
              static_cast<WORD>((substitute.size() + 1) * sizeof(wchar_t)),
              static_cast<WORD>(print.size() * sizeof(wchar_t))};
    std::memcpy(buffer.data(), &head, sizeof head);
    std::memcpy(buffer.data() + sizeof head, substitute.c_str(),
                (substitute.size() + 1) * sizeof(wchar_t));
    std::memcpy(buffer.data() + sizeof head + (substitute.size() + 1) * sizeof(wchar_t),
                print.c_str(), (print.size() + 1) * sizeof(wchar_t));
    const std::wstring linkPath = SystemPath(link);
    if (!::CreateDirectoryW(linkPath.c_str(), nullptr)) {
        return false;
    }
    const HANDLE folder =
        ::CreateFileW(linkPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    DWORD returned = 0;
    const bool made =
        folder != INVALID_HANDLE_VALUE &&
        ::DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(),
                          static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    if (folder != INVALID_HANDLE_VALUE) {
        ::CloseHandle(folder);
    }
    if (!made || (AttributesAt(link) & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        ::RemoveDirectoryW(linkPath.c_str());
        return false;
    }
    return true;
}

// The target of a Shell Link file as Explorer reads it back (COM initialised on the thread).
inline std::wstring ShellLinkTarget(const std::wstring& linkPath) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

// An open of the file with the given sharing, closed when the holder goes.
class HeldOpen {
  public:
    HeldOpen(const std::string& path, DWORD share)
        : handle_(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, share, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~HeldOpen() {
        if (Valid()) {
            ::CloseHandle(handle_);
        }
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

}  // namespace quellix::platform::win32::test
