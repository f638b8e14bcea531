#include "platform/text_file.h"

#include <windows.h>

#include <cerrno>

#include "platform/win32/entry_info.h"
#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

constexpr ULONG kFileCreate = 2;  // FILE_CREATE: fails when the name exists
constexpr ULONG kFileOpenIf = 3;  // FILE_OPEN_IF: opens, or creates when missing

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

    std::optional<EntryInfo> Info() const override { return win32::EntryInfoOf(file_.Get()); }

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

// A folder refuses an open for data as access denied; Linux says what it is.
bool IsPlainFolder(HANDLE folder, const std::wstring& name) {
    UniqueHandle entry;
    if (win32::OpenRelative(folder, name, win32::RelativeOpen{}, &entry) != 0) {
        return false;
    }
    const DWORD attributes = AttributesOf(entry.Get());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
               FILE_ATTRIBUTE_DIRECTORY;
}

}  // namespace

// Windows has no mode bits: a new file takes the rights its folder passes on.
std::unique_ptr<AppendFile> OpenAppendFile(const Directory& folder, std::string_view name,
                                           AppendFile::Mode mode, unsigned /*newFileMode*/,
                                           int* error) {
    const win32::EntryName entry(name);
    if (!entry.Valid()) {
        *error = entry.Error();
        return nullptr;
    }
    // Append data only: every write lands at the end, whoever else appends. The reparse point
    // itself is opened, so that a link put in the folder redirects nothing.
    win32::RelativeOpen how;
    how.access = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES;
    how.disposition = mode == AppendFile::Mode::CreateNew ? kFileCreate : kFileOpenIf;
    how.options = FILE_NON_DIRECTORY_FILE;
    how.attributes = FILE_ATTRIBUTE_NORMAL;
    UniqueHandle file;
    if (const int failed = win32::OpenRelative(folder.Descriptor(), entry.Wide(), how, &file);
        failed != 0) {
        *error = IsPlainFolder(folder.Descriptor(), entry.Wide()) ? EISDIR : failed;
        return nullptr;
    }
    // Device names (NUL, CON, COM1...) may open in any folder; only files on disk are written.
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

int RemoveFileAt(const std::string& path) {
    // DeleteFileW removes a link itself, never its target.
    return ::DeleteFileW(win32::SystemPath(path).c_str()) ? 0 : win32::LastErrno();
}

}  // namespace quellix::platform
