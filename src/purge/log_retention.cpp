#include "purge/log_retention.h"

#include <algorithm>

#include "platform/path_text.h"
#include "platform/text_file.h"

namespace quellix {

bool IsDayLogName(std::string_view name) {
    constexpr std::string_view kPrefix = "Log Quellix";
    constexpr std::string_view kSuffix = ".htm";
    return name.size() >= kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) &&
           name.ends_with(kSuffix);
}

void PruneLogs(const std::string& folder, std::int16_t keep) {
    std::vector<std::string> names = platform::ListFileNames(folder);
    std::erase_if(names, [](const std::string& name) { return !IsDayLogName(name); });
    std::sort(names.begin(), names.end());

    const auto kept = static_cast<std::size_t>(std::max<std::int16_t>(keep, 0));
    if (names.size() <= kept) {
        return;
    }
    std::size_t first = 0;
    while (names.size() - first >= kept && first < names.size()) {
        platform::RemoveFileAt(platform::JoinPath(folder, names[first]));
        ++first;
    }
}

}  // namespace quellix
