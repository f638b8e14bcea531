#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "platform/clock.h"

namespace quellix {

class FrontEnd;
class OperationLog;
class OutcomeSink;
class PurgeActions;

// What one purge run lends the engine for each entry.
struct PurgeRunState {
    std::int32_t filesHandled = 0;
    std::int32_t locked = 0;
    // Empty subfolders removed by entries that ask for it.
    std::int32_t subfoldersRemoved = 0;
    // Open when outcomes are logged.
    OperationLog* log = nullptr;
    // Where each outcome also goes, when somewhere.
    OutcomeSink* outcomes = nullptr;
    // A preview's actions, which change nothing; a run, without them, changes the files.
    PurgeActions* preview = nullptr;
};

// Purges folder entries and counts their files. Every folder is worked through an open handle
// and symbolic links are never followed, so nothing outside the entry's folder (and its
// destination) is ever touched, even if a subfolder is swapped for a link while it runs.
class PurgeEngine {
  public:
    PurgeEngine(const Settings& settings, const platform::Clock& clock, FrontEnd& frontEnd);

    // Purges the entry's folder (and its subfolders when asked) by its action.
    void PurgeEntry(const FolderEntry& entry, PurgeRunState& run);

    // Entries that are not folders, in the folder and, when asked, in all its subfolders; the
    // walk ends as soon as enough were found.
    std::int64_t CountFiles(const std::string& folder, bool includeSubfolders,
                            std::int64_t enough = std::numeric_limits<std::int64_t>::max());
    // As CountFiles; nullopt when the folder could not be opened (missing, not a folder, not
    // reachable safely, or a relative path).
    std::optional<std::int64_t> CountFilesIfOpened(
        const std::string& folder, bool includeSubfolders,
        std::int64_t enough = std::numeric_limits<std::int64_t>::max());

    // A flag that, once set (from a signal handler, say), makes purges and counts end at the
    // next file: what was done stays done and nothing is left half-way.
    void SetStopFlag(const std::atomic<bool>* flag) { stop_ = flag; }
    bool StopRequested() const { return stop_ != nullptr && stop_->load(); }

  private:
    const Settings& settings_;
    const platform::Clock& clock_;
    FrontEnd& frontEnd_;
    const std::atomic<bool>* stop_ = nullptr;
};

// "report.final.doc" gives "report.final.lnk", "README" gives "README.lnk".
std::string ShortcutName(const std::string& name);

// The name's extension (after its last ".") is "lnk" in any letter case.
bool HasShortcutExtension(const std::string& name);

}  // namespace quellix
