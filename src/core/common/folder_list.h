#pragma once

#include <array>
#include <optional>
#include <string>
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

// Columns of a folder row; the cell texts are the canonical form of an entry.
enum FolderColumn : std::size_t {
    kFileCountColumn = 0,
    kPathColumn = 1,
    kRetentionColumn = 2,
    kSubfoldersColumn = 3,
    kDateColumn = 4,
    kActionColumn = 5,
    kFolderColumnCount = 6,
};

struct FolderRow {
    std::array<std::string, kFolderColumnCount> cells;
    std::array<CellStyle, kFolderColumnCount> styles;
};

// One folder to purge, decoded from its row.
struct FolderEntry {
    std::string fileCount;
    std::string path;
    std::string retention;
    bool includeSubfolders = false;
    bool deleteEmptySubfolders = false;
    bool deleteReadOnly = false;
    // The date letter as written in the list (and in log lines); dateKind is what it selects:
    // 'M', 'C', or 'A' for any other letter.
    std::string dateText = "M";
    char dateKind = 'M';
    FolderAction action = FolderAction::None;
    std::string destination;
    bool createShortcut = false;
};

// Decoding as every reader does it: words of either language are understood; an action cell that
// names no known action is a move to the folder it holds (empty when no action was chosen).
FolderEntry DecodeRow(const FolderRow& row);

// The in-memory folder list: the rows of the folder grid, in list order, and its title.
class FolderList {
  public:
    const std::vector<FolderRow>& Rows() const { return rows_; }
    std::vector<FolderRow>& Rows() { return rows_; }
    std::size_t Size() const { return rows_.size(); }
    void Clear() { rows_.clear(); }
    void Append(FolderRow row) { rows_.push_back(std::move(row)); }

    // Header of the path column: "Folders to purge (n)".
    const std::string& Title() const { return title_; }
    void RefreshTitle(Language language);

    // Files of all entries at the last count, and the header of the count column.
    std::int64_t GrandTotal() const { return grandTotal_; }
    const std::string& TotalHeader() const { return totalHeader_; }
    void SetGrandTotal(std::int64_t total, Language language);

  private:
    std::int64_t grandTotal_ = 0;
    std::string totalHeader_;
    std::vector<FolderRow> rows_;
    std::string title_;
};

// Replaces every occurrence of from by to, left to right.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace quellix
