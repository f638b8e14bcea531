#include "platform/win32/recycle_rule.h"

#include <windows.h>

#include <cerrno>

namespace quellix::platform::win32 {

RecycleRefusal RefusalFor(const RecycleFacts& facts) {
    if (facts.driveType != DRIVE_FIXED) {
        return RecycleRefusal::NoBinOnDrive;
    }
    if (facts.shellPathLength >= MAX_PATH) {
        return RecycleRefusal::PathTooLong;
    }
    if (facts.nukeOnDelete.value_or(false)) {
        return RecycleRefusal::BinSwitchedOff;
    }
    // A bin of no size keeps nothing, not even an empty file.
    constexpr std::uint64_t kMegabyte = std::uint64_t{1} << 20;
    if (facts.maxCapacityMegabytes && (*facts.maxCapacityMegabytes == 0 ||
                                       facts.size > *facts.maxCapacityMegabytes * kMegabyte)) {
        return RecycleRefusal::LargerThanBin;
    }
    return RecycleRefusal::None;
}

int ErrnoOf(RecycleRefusal refusal) {
    switch (refusal) {
        case RecycleRefusal::None:
            return 0;
        case RecycleRefusal::NoBinOnDrive:
            return ENOTSUP;
        case RecycleRefusal::PathTooLong:
            return ENAMETOOLONG;
        case RecycleRefusal::BinSwitchedOff:
            return EPERM;
        case RecycleRefusal::LargerThanBin:
            return EFBIG;
    }
    return EIO;
}

}  // namespace quellix::platform::win32
