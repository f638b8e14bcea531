#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/purge/purge_outcome.h"
#include "platform/text_file.h"

namespace quellix {

// What the last run did that can be undone: a file moved or sent to the trash (a freedesktop
// trash, which tells where it put it, or the Windows Recycle Bin, which finds it by its original
// path), or an empty subfolder removed (made again when a file goes back into it).
struct JournalRecord {
    enum class Kind { Moved, Trashed, Recycled, FolderRemoved };
    Kind kind = Kind::Moved;
    // Where it was.
    std::string original;
    // Moved: its new path; Trashed: the entry in the trash's files folder.
    std::string now;
    // Trashed: its info file in the trash.
    std::string info;
    // Moved: a shortcut to it was left beside the original.
    bool shortcut = false;
    bool operator==(const JournalRecord&) const = default;
};

// The journal's first line; a file that does not start with it is not a journal.
inline constexpr std::string_view kJournalHeader = "quellix last purge 1";

// A record on one line: its fields separated by tabs, with "%", tabs, line breaks and every
// other control byte percent-encoded, so that any name fits.
std::string JournalLine(const JournalRecord& record);
std::optional<JournalRecord> ParseJournalLine(std::string_view line);
// The records of a whole journal, in the order written; nullopt when it is not one. A last line
// cut short by a killed run is left out.
std::optional<std::vector<JournalRecord>> ParseJournal(std::string_view text);

// The record an outcome leaves in the journal, if any.
std::optional<JournalRecord> JournalRecordOf(const PurgeOutcome& outcome);

// The journal of a run, written as the run goes: each record is written as soon as its outcome
// is known, so that the journal of a killed run holds what it did. It replaces the last run's.
class RunJournal final : public OutcomeSink {
  public:
    // Opens a new journal at path (private to its owner; the folder of an installed copy's
    // journal is made for the user alone where missing). A journal that cannot be made leaves
    // the run without one: IsOpen tells.
    explicit RunJournal(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Record(const PurgeOutcome& outcome) override;

  private:
    std::unique_ptr<platform::AppendFile> file_;
};

}  // namespace quellix
