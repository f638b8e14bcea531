#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/language.h"
#include "core/common/settings.h"

namespace quellix {

enum class FolderAction { None, Delete, RecycleBin, Move };

// Picture shown beside a count that went up or down since the previous count.
enum class CountTrend { None, Rise, Fall };

struct CellStyle {
    bool bold = false;
    std::optional<Colour> textColour;
    std::optional<Colour> background;
    CountTrend trend = CountTrend::None;
    bool operator==(const CellStyle&) const = default;
};

// Columns of the folder grid.
enum FolderColumn : std::size_t {
    kFileCountColumn = 0,
    kPathColumn = 1,
    kRetentionColumn = 2,
    kSubfoldersColumn = 3,
    kDateColumn = 4,
    kActionColumn = 5,
    kFolderColumnCount = 6,
};

// What the last count found for an entry: nothing yet ("-"), a folder that does not exist
// ("unknown"), or a number of files.
struct FileCount {
    enum class State { NotCounted, Unknown, Counted };
    State state = State::NotCounted;
    std::int64_t files = 0;

    static FileCount Of(std::int64_t files) { return {State::Counted, files}; }
    static FileCount Unknown() { return {State::Unknown, 0}; }
    bool IsUnknown() const { return state == State::Unknown; }
    bool operator==(const FileCount&) const = default;
};

// The background a count leaves on a cell; none until a count (or an edit) looked at it.
enum class CellMark { None, Found, Missing };

// One folder to purge.
struct FolderEntry {
    // As loaded or chosen; leading and trailing spaces go only when the list is saved.
    std::string path;
    // Hours, as text: the shortest decimal text of the stored number, or what the editor holds.
    std::string retention;
    bool includeSubfolders = false;
    bool deleteEmptySubfolders = false;
    bool deleteReadOnly = false;
    // A hand-written subfolder value ("non [RO] oui x") that the flags alone would not give back:
    // it is shown and saved as written, its words following the language.
    std::optional<std::string> subfoldersAsStored;
    // The date letter as written (also in log lines); DateKind() is what it selects.
    std::string date = "M";
    // A stored entry without any action key is a move to no folder: the count marks it unknown.
    FolderAction action = FolderAction::None;
    std::string destination;
    bool createShortcut = false;
    // The action keys that said "oui": they style the action cell, both of them when a
    // hand-edited entry holds more than one action.
    bool deleteMark = false;
    bool recycleMark = false;

    FileCount count;
    CountTrend trend = CountTrend::None;
    CellMark countMark = CellMark::None;
    CellMark folderMark = CellMark::None;
    CellMark destinationMark = CellMark::None;

    // 'M', 'C', or 'A' for any other letter.
    char DateKind() const { return date == "M" || date == "C" ? date.front() : 'A'; }
};

// Sets the action and the marks it carries when it is chosen rather than loaded.
void SetAction(FolderEntry& entry, FolderAction action, std::string destination = {},
               bool createShortcut = false);

// Reads an action cell's text as every reader did: the words of either language, otherwise a
// move to the folder it holds ("[+S] " first asks for a shortcut; empty when no action was set).
void DecodeActionText(std::string_view text, FolderEntry& entry);

// The subfolder flags a text holds: it only has to contain the words and marks.
void DecodeSubfoldersText(std::string_view text, FolderEntry& entry);

// The texts of the cells in language: the one form every view and the store show.
std::string CountText(const FileCount& count, Language language);
std::string SubfoldersText(const FolderEntry& entry, Language language);
std::string ActionText(const FolderEntry& entry, Language language);

struct FolderCell {
    std::string text;
    CellStyle style;
};

// The text and style of one cell of an entry, in language.
FolderCell ComposeCell(const FolderEntry& entry, FolderColumn column, Language language);

// The in-memory folder list, in list order, and the files of all entries at the last count.
class FolderList {
  public:
    const std::vector<FolderEntry>& Entries() const { return entries_; }
    std::vector<FolderEntry>& Entries() { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    void Clear() { entries_.clear(); }
    void Append(FolderEntry entry) { entries_.push_back(std::move(entry)); }
    void Reserve(std::size_t entries) { entries_.reserve(entries); }

    // 0 until the first count, which alone makes the total known.
    std::int64_t GrandTotal() const { return grandTotal_.value_or(0); }
    bool TotalKnown() const { return grandTotal_.has_value(); }
    void SetGrandTotal(std::int64_t total) { grandTotal_ = total; }

  private:
    std::optional<std::int64_t> grandTotal_;
    std::vector<FolderEntry> entries_;
};

// Header of the path column: "Folders to purge (n)".
std::string FolderListTitle(const FolderList& list, Language language);

// Header of the count column: "Total files" over the grand total, "-" before the first count.
std::string TotalHeader(const FolderList& list, Language language);

// Replaces every occurrence of from by to, left to right.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace quellix
