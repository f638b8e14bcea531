#include "platform/win32/paths.h"

#include <windows.h>

#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform::win32 {

namespace {

UniqueHandle OpenFollowing(const std::wstring& systemPath) {
    return UniqueHandle(::CreateFileW(systemPath.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

PathParts SplitLastComponent(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {L".", path};
    }
    std::wstring folder = path.substr(0, separator);
    // "C:" (or "\\?\C:") alone would mean the drive's current folder or the volume itself.
    if (folder.empty() || folder.back() == L':') {
        folder += L'\\';
    }
    return {folder, path.substr(separator + 1)};
}

std::wstring ShellPath(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + path.substr(7);
    }
    if (path.starts_with(L"\\\\?\\")) {
        return path.substr(4);
    }
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') {
        return folder + name;
    }
    return folder + L'\\' + name;
}

std::wstring WrittenPath(const std::string& path) {
    const std::wstring systemPath = SystemPath(path);
    if (const UniqueHandle entry = OpenFollowing(systemPath); entry.Valid()) {
        return FinalPath(entry.Get());
    }
    const PathParts parts = SplitLastComponent(systemPath);
    if (parts.name.empty()) {
        return {};
    }
    const UniqueHandle folder = OpenFollowing(parts.folder);
    const std::wstring folderPath = folder.Valid() ? FinalPath(folder.Get()) : std::wstring();
    return folderPath.empty() ? std::wstring() : JoinPath(folderPath, parts.name);
}

}  // namespace quellix::platform::win32
