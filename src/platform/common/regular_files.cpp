#include "platform/text_file.h"

namespace quellix::platform {

std::vector<FolderFile> ListRegularFiles(const Directory& folder,
                                         const std::function<bool(std::string_view)>& wanted) {
    std::vector<FolderFile> files;
    const bool listed = folder.ForEachEntry([&](std::string_view name, EntryType type) {
        // Only names wanted are looked at more closely: the folder may be large.
        if ((type != EntryType::File && type != EntryType::Unknown) || !wanted(name)) {
            return;
        }
        if (const auto info = folder.Stat(name); info && info->type == EntryType::File) {
            files.push_back({std::string(name), *info});
        }
    });
    if (!listed) {
        files.clear();
    }
    return files;
}

}  // namespace quellix::platform
