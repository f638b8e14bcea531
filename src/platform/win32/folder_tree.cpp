#include "platform/folder_tree.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/folder_listing.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

constexpr DWORD kProtected = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::optional<std::vector<std::string>> SubfolderNames(const std::string& path) {
    const win32::UniqueHandle folder(win32::OpenFolderForListing(win32::SystemPath(path)));
    if (!folder.Valid()) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    const int error =
        win32::ListFolder(folder.Get(), [&](std::wstring_view name, DWORD attributes) {
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (attributes & kProtected) != kProtected) {
                names.emplace_back(name);
            }
        });
    if (error != 0) {
        return std::nullopt;
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                      static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const std::wstring& name : names) {
        result.push_back(win32::Narrow(name));
    }
    return result;
}

}  // namespace quellix::platform
