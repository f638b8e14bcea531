#include "core/purge/log_retention.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/purge/day_logs.h"

namespace quellix {

void PruneLogs(const platform::Directory& folder, std::int16_t keep) {
    const std::vector<std::string> names = OwnDayLogs(folder);
    const auto kept = static_cast<std::size_t>(std::max<std::int16_t>(keep, 0));
    if (names.size() <= kept) {
        return;
    }
    std::size_t first = 0;
    while (names.size() - first >= kept && first < names.size()) {
        folder.RemoveFile(names[first]);
        ++first;
    }
}

}  // namespace quellix
