#include "platform/posix/local_file_system.h"

#include <linux/magic.h>
#include <sys/vfs.h>

namespace quellix::platform::posix {

namespace {

bool IsLocalFileSystemType(decltype(statfs::f_type) type) {
    switch (static_cast<unsigned long>(type)) {
        case EXT4_SUPER_MAGIC:  // also ext2 and ext3
        case XFS_SUPER_MAGIC:
        case BTRFS_SUPER_MAGIC:
        case TMPFS_MAGIC:
        case RAMFS_MAGIC:
        case F2FS_SUPER_MAGIC:
        case OVERLAYFS_SUPER_MAGIC:
        case MSDOS_SUPER_MAGIC:
        case EXFAT_SUPER_MAGIC:
        case NILFS_SUPER_MAGIC:
        case REISERFS_SUPER_MAGIC:
        case 0x482bUL:      // HFS+
        case 0x3153464aUL:  // JFS
        case 0x5346544eUL:  // NTFS (ntfs3)
        case 0x2fc12fc1UL:  // ZFS
        case 0xca451a4eUL:  // bcachefs
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsLocalFileSystem(int fd) {
    struct statfs info {};
    return ::fstatfs(fd, &info) == 0 && IsLocalFileSystemType(info.f_type);
}

}  // namespace quellix::platform::posix
