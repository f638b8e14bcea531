#include "platform/posix/entry_stat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quellix::platform {

namespace {

EntryType TypeOfMode(unsigned mode) {
    if (S_ISREG(mode)) {
        return EntryType::File;
    }
    if (S_ISDIR(mode)) {
        return EntryType::Directory;
    }
    if (S_ISLNK(mode)) {
        return EntryType::Symlink;
    }
    return EntryType::Other;
}

}  // namespace

bool BelongsToThisUser(const EntryInfo& entry) {
    return entry.owner == ::geteuid();
}

namespace posix {

std::optional<EntryInfo> StatEntry(int at, const char* name, int flags) {
    struct statx info {};
    if (::statx(at, name, flags | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        return std::nullopt;
    }
    EntryInfo result;
    result.type = TypeOfMode(info.stx_mode);
    result.ownerWritable = (info.stx_mode & S_IWUSR) != 0;
    result.mode = info.stx_mode & 07777;
    result.owner = info.stx_uid;
    result.group = info.stx_gid;
    result.links = info.stx_nlink;
    result.size = static_cast<std::int64_t>(info.stx_size);
    result.mountRoot = (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    result.modified = info.stx_mtime.tv_sec;
    result.accessed = info.stx_atime.tv_sec;
    result.changed = info.stx_ctime.tv_sec;
    if ((info.stx_mask & STATX_BTIME) != 0) {
        result.born = info.stx_btime.tv_sec;
    }
    result.device = ::makedev(info.stx_dev_major, info.stx_dev_minor);
    result.inode = info.stx_ino;
    return result;
}

}  // namespace posix

}  // namespace quellix::platform
