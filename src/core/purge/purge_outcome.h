#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/purge/log_lines.h"
#include "platform/clock.h"
#include "platform/trash.h"

namespace quellix {

// What a purge did, or in a preview would do, with one file or subfolder.
enum class OutcomeKind {
    Deleted,
    NotDeleted,
    Recycled,
    NotRecycled,
    Moved,
    // Left: read-only and the entry does not take those.
    ReadOnlyKept,
    // Left: in use.
    Locked,
    // The move destination cannot be reached: the folder's files stay.
    InvalidDestination,
    // An empty subfolder removed ([D]).
    SubfolderRemoved,
};

struct PurgeOutcome {
    OutcomeKind kind = OutcomeKind::Deleted;
    // The folder holding the file, ending in a separator; for SubfolderRemoved the removed
    // folder's own path, without one.
    std::string folder;
    std::string name;
    // Moved: where the log says the file went (the destination and the subfolder path, or the
    // destination alone in the all-obsolete pass); InvalidDestination: the destination.
    std::string destination;
    // Moved: the file's new path; shortcut: a link to it was left under ShortcutName(name).
    std::string movedTo;
    bool shortcut = false;
    // Recycled: where the trash holds it (empty in a preview, and for the Windows Recycle Bin).
    platform::TrashPlace trashed;
    platform::CivilTime date{};
    FileNote note = FileNote::None;
    // NotDeleted: the error number; NotRecycled: the two numbers the log shows.
    int error = 0;
    int error2 = 0;
    std::int64_t bytes = 0;

    bool operator==(const PurgeOutcome&) const = default;
};

// Where outcomes go as they happen: a preview's list, a run's journal.
class OutcomeSink {
  public:
    virtual ~OutcomeSink() = default;
    virtual void Record(const PurgeOutcome& outcome) = 0;
};

// The operation log's line for an outcome; kind is the entry's date letter as the log shows it.
std::string LogLineOf(const LogLines& lines, const PurgeOutcome& outcome, std::string_view kind);

// A file handled (deleted, sent to the trash, moved): what the run's file count counts.
bool IsFileHandled(OutcomeKind kind);

}  // namespace quellix
