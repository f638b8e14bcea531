#include "core/purge/lock_test.h"

namespace quellix {

InUse FileInUse(const platform::EntryInfo& file, const std::function<bool()>& probe) {
    if (file.cloudPlaceholder) {
        return InUse::NotAsked;
    }
    return probe() ? InUse::Yes : InUse::No;
}

}  // namespace quellix
