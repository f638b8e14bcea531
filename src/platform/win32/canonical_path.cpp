#include <windows.h>

#include <vector>

#include "platform/os_info.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/paths.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

// Absolute, with "." and ".." resolved by their text as Windows itself resolves them.
std::wstring FullPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(length + 1);
    }
}

// The real path of an existing entry, the entry itself when it is a link.
std::wstring RealPathOf(const std::wstring& path, DWORD flags) {
    const win32::UniqueHandle entry(::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
    return entry.Valid() ? win32::FinalPath(entry.Get()) : std::wstring();
}

}  // namespace

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    // Without the "\\?\" prefix, under which ".." would be taken as a name.
    std::wstring full = FullPath(win32::Widen(path));
    if (full.empty()) {
        return path;
    }
    while (full.size() > 1 && full.back() == L'\\' && !(full.size() == 3 && full[1] == L':')) {
        full.pop_back();
    }
    // The last component is named as it is, not followed, as on Linux.
    const std::wstring systemPath = win32::SystemPath(win32::Narrow(full));
    if (std::wstring real = RealPathOf(systemPath, FILE_FLAG_OPEN_REPARSE_POINT); !real.empty()) {
        return win32::Narrow(real);
    }
    const win32::PathParts parts = win32::SplitLastComponent(systemPath);
    const std::wstring folder = RealPathOf(parts.folder, 0);
    if (parts.name.empty() || folder.empty()) {
        return path;
    }
    return win32::Narrow(win32::JoinPath(folder, parts.name));
}

}  // namespace quellix::platform
