#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/purge/run_journal.h"

namespace quellix {

// Why a file of the last run stays where the run put it.
enum class UndoLeft {
    // No longer where the run put it (moved on, emptied from the trash).
    Gone,
    // Something is at its old place now: nothing is ever replaced.
    PlaceTaken,
    // Its folder is gone, and it was not the run that removed it.
    FolderGone,
    // The move back failed; error says why.
    Failed,
};

struct UndoReport {
    struct Left {
        std::string path;
        UndoLeft why;
        int error = 0;
    };
    // Back where they were.
    std::vector<std::string> restored;
    std::vector<Left> left;
    // Folders the run removed, made again for a file that went back into them.
    std::vector<std::string> foldersMade;
    // Shortcuts the run left, removed.
    std::size_t shortcutsRemoved = 0;
};

// The last run's journal at path.
struct LastRun {
    enum class State {
        Missing,
        // Not one this program may go by: another user could have written it, it is no regular
        // file or no journal, or it cannot be read.
        Refused,
        Read,
    };
    State state = State::Missing;
    std::vector<JournalRecord> records;
};
LastRun ReadLastRun(const std::string& path);

// How many files the last run moved or sent to the trash, as a confirmation tells it.
std::size_t FilesToRestore(const std::vector<JournalRecord>& records);

// Puts each file the last run moved or sent to the trash back where it was, latest first,
// through folder handles and without following links: a shortcut the run left goes (only when it
// still points where the file went), a trashed file's info goes with it, a folder the run removed
// is made again when a file needs it, and nothing that is there now is replaced. The journal then
// keeps only what could not go back, or goes when everything did.
UndoReport UndoLastRun(const std::string& path, const std::vector<JournalRecord>& records);

// The report for the command line: a line per file (back, or left and why), then the counts.
std::string UndoReportText(const UndoReport& report);

}  // namespace quellix
