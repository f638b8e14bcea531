#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/language.h"
#include "core/purge/purge_preview.h"

namespace quellix {

// Columns of the preview's list, in display order.
enum class PreviewColumn : std::size_t { Action, File, Size, Date, Destination };
inline constexpr std::size_t kPreviewColumnCount = 5;
using PreviewCells = std::array<std::string, kPreviewColumnCount>;

// One outcome as a line of the list, with what sorting by each column compares.
struct PreviewRow {
    PreviewCells cells;
    // The Size column sorts by bytes (-1 for a subfolder or a destination, which have none), the
    // Date column by yyyymmddhhmmss (0 for none); equal keys keep the walk's order.
    std::int64_t bytes = -1;
    std::int64_t stamp = 0;
    std::size_t order = 0;
    bool operator==(const PreviewRow&) const = default;
};

// An entry of the list: its heading above its outcomes. The heading is the path, a separator and
// the summary (its totals, or why it is passed over), for a view that shows them on one line;
// another may show the path and the summary apart.
struct PreviewGroup {
    std::string heading;
    std::string path;
    std::string summary;
    std::vector<PreviewRow> rows;
};

struct PreviewTable {
    PreviewCells headers;
    std::vector<PreviewGroup> groups;
    // Below the list: the totals of every entry, or that there is nothing to purge.
    std::string totals;
};

PreviewTable ComposePreviewTable(const PurgePreview& preview, Language language);

// "3 files (18 bytes), 2 empty subfolders; 1 file in use, 0 left otherwise"; from 1 KB on, the
// bytes are also given in the largest unit that holds them ("1,234,567 bytes, 1.2 MB").
std::string PreviewTotalsText(const PurgePreview::Totals& totals, Language language);

// "18 bytes", "1 byte", "1.2 MB" ("1,2 Mo"): by 1024, one decimal from 1 KB on.
std::string SizeText(std::int64_t bytes, Language language);

// Sorts one group's rows by a column's key, each direction keeping the walk's order for equal
// keys.
void SortPreviewRows(std::vector<PreviewRow>& rows, PreviewColumn column, bool ascending);

}  // namespace quellix
