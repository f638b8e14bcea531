#include "purge/purge_engine.h"

#include <limits>

#include "mainwindow/front_end.h"
#include "platform/directory.h"
#include "purge/age_rule.h"
#include "purge/entry_purge.h"

namespace quellix {

namespace {

std::int64_t CountIn(const platform::Directory& folder, bool includeSubfolders, FrontEnd& frontEnd,
                     const PurgeEngine& engine) {
    frontEnd.ProcessPendingEvents();
    std::int64_t count = 0;
    if (engine.StopRequested()) {
        return count;
    }
    std::vector<std::string> subfolders;
    folder.ForEachEntry([&](std::string_view name, platform::EntryType type) {
        if (type == platform::EntryType::Unknown) {
            const auto info = folder.Stat(name);
            type = info ? info->type : platform::EntryType::File;
        }
        if (type != platform::EntryType::Directory) {
            ++count;
        } else if (includeSubfolders) {
            subfolders.emplace_back(name);
        }
    });
    for (const std::string& name : subfolders) {
        if (auto child = folder.OpenChild(name)) {
            count += CountIn(*child, true, frontEnd, engine);
        }
    }
    return count;
}

}  // namespace

PurgeEngine::PurgeEngine(const Settings& settings, const platform::Clock& clock, FrontEnd& frontEnd)
    : settings_(settings), clock_(clock), frontEnd_(frontEnd) {}

void PurgeEngine::PurgeEntry(const FolderEntry& entry, PurgeRunState& run) {
    const std::string root = WithTrailingSlash(entry.path);
    // A relative path would name a folder that depends on where the program was started.
    const auto folder = IsAbsolutePath(root) ? platform::Directory::Open(root) : std::nullopt;
    if (!folder) {
        frontEnd_.ProcessPendingEvents();
        return;
    }
    // A retention too long to count never lets a file age.
    const auto hours = RetentionHours(entry.retention);
    const std::int64_t retention = hours.value_or(std::numeric_limits<std::int32_t>::max());
    EntryPurge purge(entry, settings_, clock_, frontEnd_, run, retention, *this);
    purge.Visit(*folder, root, "");
}

std::int64_t PurgeEngine::CountFiles(const std::string& folder, bool includeSubfolders) {
    const auto directory = IsAbsolutePath(folder)
                               ? platform::Directory::Open(WithTrailingSlash(folder))
                               : std::nullopt;
    if (!directory) {
        frontEnd_.ProcessPendingEvents();
        return 0;
    }
    return CountIn(*directory, includeSubfolders, frontEnd_, *this);
}

std::string ShortcutName(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return name + ".lnk";
    }
    return name.substr(0, dot + 1) + "lnk";
}

bool HasShortcutExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot != 4) {
        return false;
    }
    const std::string extension = name.substr(dot + 1);
    return (extension[0] | 0x20) == 'l' && (extension[1] | 0x20) == 'n' &&
           (extension[2] | 0x20) == 'k';
}

bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

}  // namespace quellix
