#include "platform/win32/entry_info.h"

#include <winioctl.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/win32/nt_file.h"

namespace quellix::platform::win32 {

namespace {

std::int64_t TicksOf(const LARGE_INTEGER& time) {
    return time.QuadPart;
}

// The fixed head of a mount point's reparse data, as the I/O control returns it.
struct MountPointData {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset;
    WORD substituteLength;
    WORD printOffset;
    WORD printLength;
    // the path buffer follows
};

// A junction and a volume mount point share their tag; only the latter leads to a volume root.
bool IsVolumeMountPoint(HANDLE entry) {
    std::vector<unsigned char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD returned = 0;
    if (!::DeviceIoControl(entry, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                           static_cast<DWORD>(buffer.size()), &returned, nullptr) ||
        returned < sizeof(MountPointData)) {
        return false;
    }
    const auto* data = reinterpret_cast<const MountPointData*>(buffer.data());
    if (data->tag != IO_REPARSE_TAG_MOUNT_POINT ||
        sizeof(MountPointData) + data->substituteOffset + data->substituteLength > returned) {
        return false;
    }
    const std::wstring_view substitute(
        reinterpret_cast<const wchar_t*>(buffer.data() + sizeof(MountPointData) +
                                         data->substituteOffset),
        data->substituteLength / sizeof(wchar_t));
    return substitute.starts_with(L"\\??\\Volume{");
}

bool IsVolumeRoot(HANDLE folder) {
    wchar_t path[4] = {};
    const DWORD length =
        ::GetFinalPathNameByHandleW(folder, path, 4, FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    return length == 1 && path[0] == L'\\';
}

// Windows has no permission bits: these tell read-only from writable in the Unix way.
unsigned ModeOf(EntryType type, bool readOnly) {
    if (type == EntryType::Directory) {
        return readOnly ? 0555 : 0777;
    }
    return readOnly ? 0444 : 0666;
}

void SetFromAttributesAndTimes(DWORD attributes, const LARGE_INTEGER& creation,
                               const LARGE_INTEGER& access, const LARGE_INTEGER& write,
                               const LARGE_INTEGER& change, EntryInfo* info) {
    info->type = TypeOfAttributes(attributes);
    info->ownerWritable = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    info->mode = ModeOf(info->type, !info->ownerWritable);
    info->cloudPlaceholder = IsCloudPlaceholder(attributes);
    info->modified = UnixSecondsOf(TicksOf(write));
    info->accessed = UnixSecondsOf(TicksOf(access));
    info->changed = UnixSecondsOf(TicksOf(change));
    if (creation.QuadPart != 0) {
        info->born = UnixSecondsOf(TicksOf(creation));
    }
}

}  // namespace

bool IsCloudPlaceholder(DWORD attributes) {
    return (attributes & (kRecallOnOpen | kRecallOnDataAccess)) != 0;
}

EntryType TypeOfAttributes(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return EntryType::Symlink;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EntryType::Directory;
    }
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        return EntryType::Other;
    }
    return EntryType::File;
}

std::optional<EntryInfo> EntryInfoOf(HANDLE entry) {
    BY_HANDLE_FILE_INFORMATION identity{};
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandle(entry, &identity) ||
        !::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)) {
        return std::nullopt;
    }
    EntryInfo info;
    const DWORD attributes = basic.FileAttributes;
    SetFromAttributesAndTimes(attributes, basic.CreationTime, basic.LastAccessTime,
                              basic.LastWriteTime, basic.ChangeTime, &info);
    info.device = identity.dwVolumeSerialNumber;
    info.inode = (std::uint64_t{identity.nFileIndexHigh} << 32) | identity.nFileIndexLow;
    info.links = identity.nNumberOfLinks;
    info.size = static_cast<std::int64_t>((std::uint64_t{identity.nFileSizeHigh} << 32) |
                                          identity.nFileSizeLow);
    if (info.type == EntryType::Directory) {
        info.mountRoot = IsVolumeRoot(entry);
    } else if (info.type == EntryType::Symlink && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        info.mountRoot = IsVolumeMountPoint(entry);
    }
    return info;
}

EntryInfo ListedEntryInfo(const FILE_ID_BOTH_DIR_INFO& entry, DWORD volumeSerial) {
    EntryInfo info;
    SetFromAttributesAndTimes(entry.FileAttributes, entry.CreationTime, entry.LastAccessTime,
                              entry.LastWriteTime, entry.ChangeTime, &info);
    info.device = volumeSerial;
    info.inode = static_cast<std::uint64_t>(entry.FileId.QuadPart);
    info.size = entry.EndOfFile.QuadPart;
    return info;
}

}  // namespace quellix::platform::win32
