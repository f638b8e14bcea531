#include "platform/win32/nt_file.h"

#include <winternl.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/win32/error_numbers.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform::win32 {

namespace {

constexpr std::size_t kNameMax = 255;
constexpr std::int64_t kTicksPerSecond = 10'000'000;
// 100 ns ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;

std::int64_t TicksSinceUnixEpoch(std::int64_t fileTime) {
    return fileTime - kUnixEpochTicks;
}

}  // namespace

EntryName::EntryName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\\:\0", 4)) != std::string_view::npos) {
        error_ = EINVAL;
        return;
    }
    wide_ = Widen(name);
    if (wide_.size() > kNameMax) {
        wide_.clear();
        error_ = ENAMETOOLONG;
    }
}

int OpenRelative(HANDLE folder, const std::wstring& name, const RelativeOpen& how,
                 UniqueHandle* opened) {
    UNICODE_STRING objectName;
    objectName.Buffer = const_cast<PWSTR>(name.c_str());
    objectName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    objectName.MaximumLength = objectName.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE handle = nullptr;
    const NTSTATUS result =
        ::NtCreateFile(&handle, how.access | SYNCHRONIZE, &attributes, &status, nullptr,
                       how.attributes, how.share, how.disposition,
                       how.options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT |
                           FILE_OPEN_FOR_BACKUP_INTENT,
                       nullptr, 0);
    if (!NT_SUCCESS(result)) {
        return ErrnoFromNtStatus(result);
    }
    opened->Reset(handle);
    return 0;
}

int MarkForRemoval(HANDLE entry, bool remove) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = remove ? TRUE : FALSE;
    return ::SetFileInformationByHandle(entry, FileDispositionInfo, &disposition,
                                        sizeof disposition)
               ? 0
               : LastErrno();
}

namespace {

bool SetAttributes(HANDLE entry, DWORD attributes) {
    FILE_BASIC_INFO change{};  // zero times: left as they are
    change.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry, FileBasicInfo, &change, sizeof change) != 0;
}

}  // namespace

// The attribute is lifted through the same handle, so that nothing put in the entry's place
// meanwhile is touched, and comes back when the removal is refused all the same.
int MarkForRemovalEvenReadOnly(HANDLE entry) {
    const int error = MarkForRemoval(entry);
    FILE_BASIC_INFO basic{};
    if (error != EACCES ||
        !::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        !SetAttributes(entry, basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY)) {
        return error;
    }
    const int retried = MarkForRemoval(entry);
    if (retried != 0) {
        SetAttributes(entry, basic.FileAttributes);
    }
    return retried;
}

namespace {

// The object's own name, for a system whose GetFinalPathNameByHandleW stops at MAX_PATH (Wine);
// only a name in the DOS namespace (\??\C:\x) is of use here.
std::wstring DosObjectName(HANDLE entry) {
    std::vector<unsigned char> buffer(sizeof(UNICODE_STRING) + 1024);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = ::NtQueryObject(entry, ObjectNameInformation, buffer.data(),
                                                static_cast<ULONG>(buffer.size()), &needed);
        if (NT_SUCCESS(status)) {
            break;
        }
        if (needed <= buffer.size() || buffer.size() > 1 << 20) {
            return {};
        }
        buffer.resize(needed);
    }
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
    const std::wstring_view path(name->Buffer, name->Length / sizeof(wchar_t));
    if (!path.starts_with(L"\\??\\")) {
        return {};
    }
    if (path.starts_with(L"\\??\\UNC\\")) {
        return L"\\\\" + std::wstring(path.substr(8));
    }
    return std::wstring(path.substr(4));
}

}  // namespace

std::wstring FinalPath(HANDLE entry) {
    std::vector<wchar_t> buffer(MAX_PATH);
    std::wstring path;
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            entry, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            path = DosObjectName(entry);
            break;
        }
        if (length < buffer.size()) {
            path.assign(buffer.data(), length);
            break;
        }
        buffer.resize(length + 1);
    }
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + path.substr(8);
    }
    if (path.starts_with(L"\\\\?\\")) {
        return path.substr(4);
    }
    return path;
}

std::int64_t UnixSecondsOf(std::int64_t fileTime) {
    const std::int64_t ticks = TicksSinceUnixEpoch(fileTime);
    // Rounded down, so that a time before 1970 keeps its whole second below.
    return ticks >= 0 ? ticks / kTicksPerSecond
                      : -((-ticks + kTicksPerSecond - 1) / kTicksPerSecond);
}

std::int64_t NanosecondsOf(std::int64_t fileTime) {
    const std::int64_t ticks = TicksSinceUnixEpoch(fileTime);
    return (ticks - UnixSecondsOf(fileTime) * kTicksPerSecond) * 100;
}

}  // namespace quellix::platform::win32
