#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quellix::platform::win32 {

// What is known of an entry and of its volume's Recycle Bin before the shell is asked to
// recycle it.
struct RecycleFacts {
    unsigned driveType = 0;           // GetDriveTypeW of the volume's root: DRIVE_FIXED...
    std::size_t shellPathLength = 0;  // the path as the shell takes it, in UTF-16 units
    std::uint64_t size = 0;           // bytes; 0 for a folder, whose content is not added up
    // The volume's own settings of the bin (BitBucket\Volume\{GUID}), when set.
    std::optional<bool> nukeOnDelete;  // "Don't move files to the Recycle Bin"
    std::optional<std::uint64_t> maxCapacityMegabytes;
};

// Why the shell would delete the entry for good instead of keeping it in the bin.
enum class RecycleRefusal {
    None,
    NoBinOnDrive,    // a network, removable or optical drive: only fixed drives have a bin
    PathTooLong,     // the shell takes paths of fewer than MAX_PATH units
    BinSwitchedOff,  // the user chose to delete at once on that drive
    LargerThanBin,   // bigger than the bin may ever hold
};

RecycleRefusal RefusalFor(const RecycleFacts& facts);

// The error number a refusal is reported with: ENOTSUP, ENAMETOOLONG, EPERM, EFBIG (0 for None).
int ErrnoOf(RecycleRefusal refusal);

}  // namespace quellix::platform::win32
