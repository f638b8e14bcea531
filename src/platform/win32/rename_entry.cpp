#include "platform/win32/rename_entry.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/error_numbers.h"

namespace quellix::platform::win32 {

int RenameNoReplace(HANDLE entry, HANDLE folder, const std::wstring& name) {
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = folder;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, name.data(), nameBytes);
    // The NT call itself: Wine's SetFileInformationByHandle refuses a rename relative to a folder.
    IO_STATUS_BLOCK status{};
    return ErrnoFromNtStatus(::NtSetInformationFile(
        entry, &status, rename, static_cast<ULONG>(buffer.size()), FileRenameInformation));
}

}  // namespace quellix::platform::win32
