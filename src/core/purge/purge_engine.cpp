#include "core/purge/purge_engine.h"

#include <limits>

#include "core/common/front_end.h"
#include "core/purge/age_rule.h"
#include "core/purge/entry_purge.h"
#include "core/purge/event_pacer.h"
#include "core/purge/folder_walk.h"
#include "core/purge/purge_actions.h"
#include "platform/directory.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

// Counts the entries that are not folders, walking the subfolders when asked, up to enough.
class FileCounter final : public WalkVisitor {
  public:
    FileCounter(bool includeSubfolders, std::int64_t enough, FrontEnd& frontEnd,
                const platform::Clock& clock, const PurgeEngine& engine)
        : includeSubfolders_(includeSubfolders),
          enough_(enough),
          frontEnd_(frontEnd),
          clock_(clock),
          engine_(engine) {}

    void VisitFolder(WalkLevel& level) override {
        frontEnd_.ProcessPendingEvents();
        if (engine_.StopRequested()) {
            return;
        }
        const platform::Directory& folder = *level.folder;
        EventPacer pacer(frontEnd_, clock_);
        folder.ForEachEntryWhile([&](std::string_view name, platform::EntryType type) {
            pacer.NextEntry();
            if (type == platform::EntryType::Unknown) {
                const auto info = folder.Stat(name);
                type = info ? info->type : platform::EntryType::File;
            }
            if (type != platform::EntryType::Directory) {
                ++count_;
            } else if (includeSubfolders_) {
                level.subfolders.emplace_back(name);
            }
            return !Finished();
        });
    }
    bool Enter(const WalkLevel&, std::string_view, const platform::EntryInfo&) override {
        return true;
    }
    void Left(WalkLevel&, const WalkLevel&) override {}
    bool Finished() const override { return count_ >= enough_; }

    std::int64_t Count() const { return count_; }

  private:
    bool includeSubfolders_;
    std::int64_t enough_;
    FrontEnd& frontEnd_;
    const platform::Clock& clock_;
    const PurgeEngine& engine_;
    std::int64_t count_ = 0;
};

}  // namespace

PurgeEngine::PurgeEngine(const Settings& settings, const platform::Clock& clock, FrontEnd& frontEnd)
    : settings_(settings), clock_(clock), frontEnd_(frontEnd) {}

void PurgeEngine::PurgeEntry(const FolderEntry& entry, PurgeRunState& run) {
    const std::string root = platform::WithTrailingSeparator(entry.path);
    // A relative path would name a folder that depends on where the program was started.
    auto folder = platform::IsAbsolutePath(root) ? platform::Directory::Open(root) : std::nullopt;
    const auto info = folder ? folder->StatSelf() : std::nullopt;
    // A folder an earlier entry of the same preview would have removed is gone for this one.
    if (!info || (run.preview != nullptr && !run.preview->FolderStillThere(*info))) {
        frontEnd_.ProcessPendingEvents();
        return;
    }
    // A retention too long to count never lets a file age.
    const auto hours = RetentionHours(entry.retention);
    const std::int64_t retention = hours.value_or(std::numeric_limits<std::int32_t>::max());
    EntryPurge purge(entry, settings_, clock_, frontEnd_, run, retention, *this);
    purge.Run(std::move(*folder), *info, root);
}

std::int64_t PurgeEngine::CountFiles(const std::string& folder, bool includeSubfolders,
                                     std::int64_t enough) {
    return CountFilesIfOpened(folder, includeSubfolders, enough).value_or(0);
}

std::optional<std::int64_t> PurgeEngine::CountFilesIfOpened(const std::string& folder,
                                                            bool includeSubfolders,
                                                            std::int64_t enough) {
    const std::string root = platform::WithTrailingSeparator(folder);
    auto directory =
        platform::IsAbsolutePath(root) ? platform::Directory::Open(root) : std::nullopt;
    const auto info = directory ? directory->StatSelf() : std::nullopt;
    if (!info) {
        frontEnd_.ProcessPendingEvents();
        return std::nullopt;
    }
    FileCounter counter(includeSubfolders, enough, frontEnd_, clock_, *this);
    FolderWalk walk(std::move(*directory), *info, root, *this);
    walk.Run(counter);
    return counter.Count();
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

}  // namespace quellix
