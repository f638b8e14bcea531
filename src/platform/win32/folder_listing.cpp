#include "platform/win32/folder_listing.h"

#include <cstddef>
#include <vector>

#include "platform/win32/error_numbers.h"

namespace quellix::platform::win32 {

int ListFolder(HANDLE folder,
               const std::function<void(std::wstring_view name, DWORD attributes)>& visit) {
    return ListFolderRecords(folder, [&visit](const FILE_ID_BOTH_DIR_INFO& entry) {
        visit(NameOf(entry), entry.FileAttributes);
    });
}

int ListFolderRecords(HANDLE folder,
                      const std::function<void(const FILE_ID_BOTH_DIR_INFO& entry)>& visit) {
    // DWORD-aligned, as the records are.
    std::vector<DWORD> buffer(16 * 1024);
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (!::GetFileInformationByHandleEx(folder, request, buffer.data(),
                                            static_cast<DWORD>(buffer.size() * sizeof(DWORD)))) {
            const DWORD error = ::GetLastError();
            return error == ERROR_NO_MORE_FILES ? 0 : ErrnoFromWin32(error);
        }
        request = FileIdBothDirectoryInfo;
        const auto* record = reinterpret_cast<const unsigned char*>(buffer.data());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(record);
            if (const std::wstring_view name = NameOf(*entry); name != L"." && name != L"..") {
                visit(*entry);
            }
            if (entry->NextEntryOffset == 0) {
                break;
            }
            record += entry->NextEntryOffset;
        }
    }
}

HANDLE OpenFolderForListing(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace quellix::platform::win32
