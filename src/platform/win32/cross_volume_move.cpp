#include "platform/win32/cross_volume_move.h"

#include <winternl.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/win32/error_numbers.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/rename_entry.h"

namespace quellix::platform::win32 {

namespace {

constexpr std::wstring_view kTemporaryPrefix = L".quellix-move-";
constexpr ULONG kFileCreate = 2;  // FILE_CREATE: fails when the name exists
constexpr DWORD kChunk = 1 << 20;

// What tells a changed source: its content's size and the times every write moves.
struct Version {
    LARGE_INTEGER written{};
    LARGE_INTEGER changed{};
    LARGE_INTEGER size{};
    bool operator==(const Version& other) const {
        return written.QuadPart == other.written.QuadPart &&
               changed.QuadPart == other.changed.QuadPart && size.QuadPart == other.size.QuadPart;
    }
};

bool ReadVersion(HANDLE file, FILE_BASIC_INFO* basic, Version* version) {
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file, FileBasicInfo, basic, sizeof *basic) ||
        !::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) {
        return false;
    }
    *version = {basic->LastWriteTime, basic->ChangeTime, standard.EndOfFile};
    return true;
}

int CopyData(HANDLE source, HANDLE copy) {
    std::vector<char> buffer(kChunk);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source, buffer.data(), kChunk, &read, nullptr)) {
            return LastErrno();
        }
        if (read == 0) {
            return 0;
        }
        for (DWORD done = 0; done < read;) {
            DWORD written = 0;
            if (!::WriteFile(copy, buffer.data() + done, read - done, &written, nullptr) ||
                written == 0) {
                return LastErrno();
            }
            done += written;
        }
    }
}

// Times and attributes of the source; read-only goes on last, as it would refuse nothing to this
// handle but states the file's final form.
int TakeOver(HANDLE copy, const FILE_BASIC_INFO& source) {
    FILE_BASIC_INFO basic = source;
    basic.ChangeTime.QuadPart = 0;  // the system's own
    basic.FileAttributes &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (basic.FileAttributes == 0) {
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    }
    return ::SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof basic) ? 0
                                                                                   : LastErrno();
}

// A temporary nobody else may open: a mover that finds it cannot open it knows it is alive.
int CreateTemporary(HANDLE folder, UniqueHandle* copy) {
    static std::atomic<unsigned> counter{0};
    win32::RelativeOpen how;
    how.access = GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
    how.share = 0;
    how.disposition = kFileCreate;
    how.options = FILE_NON_DIRECTORY_FILE;
    how.attributes = FILE_ATTRIBUTE_HIDDEN;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        const std::wstring name = std::wstring(kTemporaryPrefix) +
                                  std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(counter++);
        error = OpenRelative(folder, name, how, copy);
    }
    // Removed by the system when the last handle closes, also when the process dies.
    return error != 0 ? error : MarkForRemoval(copy->Get());
}

bool Exists(HANDLE folder, const std::wstring& name) {
    UniqueHandle entry;
    return OpenRelative(folder, name, RelativeOpen{}, &entry) == 0;
}

}  // namespace

int MoveAcrossVolumes(HANDLE from, const std::wstring& name, HANDLE to, const std::wstring& newName,
                      std::uint64_t* syncs) {
    RelativeOpen read;
    read.access = GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES;
    read.share = FILE_SHARE_READ | FILE_SHARE_DELETE;
    UniqueHandle source;
    if (const int error = OpenRelative(from, name, read, &source); error != 0) {
        return error;
    }
    FILE_BASIC_INFO basic{};
    Version before;
    if (!ReadVersion(source.Get(), &basic, &before)) {
        return LastErrno();
    }
    // A link's target would have to be rewritten, which needs a privilege; a folder moves whole.
    if ((basic.FileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return EXDEV;
    }
    if (Exists(to, newName)) {
        return EEXIST;  // taken already: no use copying
    }
    UniqueHandle copy;
    if (const int error = CreateTemporary(to, &copy); error != 0) {
        return error;
    }
    if (const int error = CopyData(source.Get(), copy.Get()); error != 0) {
        return error;
    }
    if (const int error = TakeOver(copy.Get(), basic); error != 0) {
        return error;
    }
    if (!::FlushFileBuffers(copy.Get())) {
        return LastErrno();
    }
    ++*syncs;
    FILE_BASIC_INFO after{};
    Version now;
    if (!ReadVersion(source.Get(), &after, &now) || !(now == before)) {
        return EBUSY;
    }
    if (const int error = MarkForRemoval(copy.Get(), false); error != 0) {
        return error;
    }
    if (const int error = RenameNoReplace(copy.Get(), to, newName); error != 0) {
        MarkForRemoval(copy.Get());
        return error == EEXIST ? EEXIST : error;
    }
    // Makes the name durable before the source goes.
    if (!::FlushFileBuffers(copy.Get())) {
        const int error = LastErrno();
        MarkForRemoval(copy.Get());
        return error;
    }
    ++*syncs;
    if (const int error = MarkForRemovalEvenReadOnly(source.Get()); error != 0) {
        MarkForRemoval(copy.Get());
        return error;
    }
    return 0;
}

void RemoveStaleMoveTemporaries(HANDLE folder) {
    RelativeOpen listingOpen;
    listingOpen.access = FILE_LIST_DIRECTORY;
    listingOpen.options = FILE_DIRECTORY_FILE;
    UniqueHandle listing;
    if (OpenRelative(folder, std::wstring(), listingOpen, &listing) != 0) {
        return;
    }
    std::vector<std::wstring> stale;
    ListFolder(listing.Get(), [&stale](std::wstring_view name, DWORD attributes) {
        if (name.starts_with(kTemporaryPrefix) &&
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
            stale.emplace_back(name);
        }
    });
    RelativeOpen exclusive;
    exclusive.access = DELETE | FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
    exclusive.share = 0;
    exclusive.options = FILE_NON_DIRECTORY_FILE;
    for (const std::wstring& name : stale) {
        UniqueHandle entry;
        FILE_BASIC_INFO basic{};
        if (OpenRelative(folder, name, exclusive, &entry) == 0 &&
            ::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic) &&
            (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            MarkForRemovalEvenReadOnly(entry.Get());
        }
    }
}

}  // namespace quellix::platform::win32
