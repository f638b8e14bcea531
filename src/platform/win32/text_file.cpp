#include "platform/text_file.h"

#include <windows.h>

#include <cerrno>

#include "platform/win32/error_numbers.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

class WindowsAppendFile final : public AppendFile {
  public:
    explicit WindowsAppendFile(UniqueHandle file) : file_(std::move(file)) {}

    bool Write(std::string_view text) override {
        while (!text.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file_.Get(), text.data(), chunk, &written, nullptr) || written == 0) {
                return false;
            }
            text.remove_prefix(written);
        }
        return true;
    }

  private:
    UniqueHandle file_;
};

DWORD AttributesOf(HANDLE entry) {
    FILE_BASIC_INFO basic{};
    return ::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)
               ? basic.FileAttributes
               : INVALID_FILE_ATTRIBUTES;
}

constexpr DWORD kNotRegular =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

}  // namespace

std::unique_ptr<AppendFile> OpenAppendFile(const std::string& path, AppendFile::Mode mode,
                                           int* error) {
    const std::wstring systemPath = win32::SystemPath(path);
    // Append data only: every write lands at the end, whoever else appends. The reparse point
    // itself is opened, so that a link put in the log folder redirects nothing.
    UniqueHandle file(::CreateFileW(systemPath.c_str(),
                                    FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    mode == AppendFile::Mode::CreateNew ? CREATE_NEW : OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid()) {
        const DWORD lastError = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(systemPath.c_str());
        // A folder refuses the open as access denied; Linux says what it is.
        const bool folder = lastError == ERROR_ACCESS_DENIED &&
                            attributes != INVALID_FILE_ATTRIBUTES &&
                            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        *error = folder ? EINVAL : win32::ErrnoFromWin32(lastError);
        return nullptr;
    }
    // Device names (NUL, CON, COM1...) open in any folder; only files on disk are written.
    const DWORD attributes = AttributesOf(file.Get());
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & kNotRegular) != 0) {
        *error = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                         attributes != INVALID_FILE_ATTRIBUTES
                     ? ELOOP
                     : EINVAL;
        return nullptr;
    }
    *error = 0;
    return std::make_unique<WindowsAppendFile>(std::move(file));
}

std::vector<std::string> ListFileNames(const std::string& folder) {
    std::vector<std::string> names;
    const UniqueHandle listing(win32::OpenFolderForListing(win32::SystemPath(folder)));
    if (!listing.Valid()) {
        return names;
    }
    const int error =
        win32::ListFolder(listing.Get(), [&names](std::wstring_view name, DWORD attributes) {
            if ((attributes & kNotRegular) == 0) {
                names.push_back(win32::Narrow(name));
            }
        });
    if (error != 0) {
        names.clear();
    }
    return names;
}

int RemoveFileAt(const std::string& path) {
    // DeleteFileW removes a link itself, never its target.
    return ::DeleteFileW(win32::SystemPath(path).c_str()) ? 0 : win32::LastErrno();
}

}  // namespace quellix::platform
