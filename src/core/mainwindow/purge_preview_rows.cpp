#include "core/mainwindow/purge_preview_rows.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "core/mainwindow/purge_preview_texts.h"

namespace quellix {

namespace {

// French takes the singular for 0 and 1, English for 1 alone.
bool Singular(std::int64_t count, Language language) {
    return language == Language::French ? count <= 1 : count == 1;
}

std::string Counted(std::int64_t count, TextPair one, TextPair many, Language language) {
    return std::to_string(count) +
           std::string((Singular(count, language) ? one : many).In(language));
}

// "1,234,567" ("1 234 567" with no-break spaces in French).
std::string Grouped(std::int64_t value, Language language) {
    const std::string digits = std::to_string(value);
    const std::string separator = language == Language::French ? "\u00a0" : ",";
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t left = digits.size() - i;
        if (i > 0 && left % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string BytesText(std::int64_t bytes, Language language) {
    return Grouped(bytes, language) +
           std::string((Singular(bytes, language) ? texts::kPreviewByte : texts::kPreviewBytes)
                           .In(language));
}

// "2026-12-07 09:30" in English, "07/12/2026 09:30" in French.
std::string DateText(const platform::CivilTime& date, Language language) {
    char text[40];
    if (language == Language::French) {
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", date.day, date.month,
                      date.year, date.hour, date.minute);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.year, date.month,
                      date.day, date.hour, date.minute);
    }
    return text;
}

std::int64_t StampOf(const platform::CivilTime& date) {
    return ((((date.year * 100LL + date.month) * 100 + date.day) * 100 + date.hour) * 100 +
            date.minute) *
               100 +
           date.second;
}

std::string ActionText(const PurgeOutcome& outcome, Language language) {
    using namespace texts;
    const auto refused = [&](TextPair words) {
        return std::string(words.In(language)) + std::to_string(outcome.error) +
               std::string(kPreviewErrorEnd.In(language));
    };
    switch (outcome.kind) {
        case OutcomeKind::Deleted:
            return std::string(kPreviewDelete.In(language));
        case OutcomeKind::Recycled:
            return std::string(kPreviewRecycle.In(language));
        case OutcomeKind::Moved:
            return std::string(kPreviewMove.In(language)) + outcome.destination +
                   std::string(outcome.shortcut ? kPreviewShortcut.In(language) : "");
        case OutcomeKind::Locked:
            return std::string(kPreviewInUse.In(language));
        case OutcomeKind::ReadOnlyKept:
            return std::string(kPreviewReadOnly.In(language));
        case OutcomeKind::NotDeleted:
            return refused(kPreviewRefused);
        case OutcomeKind::NotRecycled:
            return refused(kPreviewTrashRefused);
        case OutcomeKind::InvalidDestination:
            return std::string(kPreviewNoDestination.In(language));
        case OutcomeKind::SubfolderRemoved:
            return std::string(kPreviewRemoveSubfolder.In(language));
    }
    return {};
}

PreviewRow RowOf(const PurgeOutcome& outcome, std::size_t order, Language language) {
    PreviewRow row;
    row.order = order;
    row.cells[static_cast<std::size_t>(PreviewColumn::Action)] = ActionText(outcome, language);
    std::string& file = row.cells[static_cast<std::size_t>(PreviewColumn::File)];
    std::string& destination = row.cells[static_cast<std::size_t>(PreviewColumn::Destination)];
    switch (outcome.kind) {
        case OutcomeKind::SubfolderRemoved:
            file = outcome.folder;
            return row;
        case OutcomeKind::InvalidDestination:
            // The folder's files stay: the row names the destination that is missing.
            destination = outcome.destination;
            return row;
        default:
            break;
    }
    file = outcome.folder + outcome.name;
    if (outcome.kind == OutcomeKind::Moved) {
        destination = outcome.movedTo;
    }
    row.bytes = outcome.bytes;
    row.cells[static_cast<std::size_t>(PreviewColumn::Size)] = SizeText(outcome.bytes, language);
    row.stamp = StampOf(outcome.date);
    row.cells[static_cast<std::size_t>(PreviewColumn::Date)] = DateText(outcome.date, language);
    return row;
}

bool HasOutcomes(const PurgePreview::Totals& totals) {
    return totals.files + totals.folders + totals.locked + totals.left > 0;
}

}  // namespace

std::string SizeText(std::int64_t bytes, Language language) {
    if (bytes < 1024) {
        return BytesText(bytes, language);
    }
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    value /= 1024;
    // Rounded to one decimal, 1023.96 KB would read "1024.0 KB".
    while (value >= 1023.95 && unit + 1 < std::size(texts::kPreviewUnits)) {
        value /= 1024;
        ++unit;
    }
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", value);
    std::string text = number;
    if (language == Language::French) {
        std::replace(text.begin(), text.end(), '.', ',');
    }
    return text + std::string(texts::kPreviewUnits[unit].In(language));
}

std::string PreviewTotalsText(const PurgePreview::Totals& totals, Language language) {
    using namespace texts;
    std::string bytes = BytesText(totals.bytes, language);
    if (totals.bytes >= 1024) {
        bytes += ", " + SizeText(totals.bytes, language);
    }
    return Counted(totals.files, kPreviewFile, kPreviewFiles, language) + " (" + bytes + "), " +
           Counted(totals.folders, kPreviewEmptySubfolder, kPreviewEmptySubfolders, language) +
           std::string(kPreviewGroupSeparator.In(language)) +
           Counted(totals.locked, kPreviewFile, kPreviewFiles, language) +
           std::string(kPreviewInUseCount.In(language)) + ", " + std::to_string(totals.left) +
           std::string((Singular(totals.left, language) ? kPreviewLeftOtherwise
                                                        : kPreviewLeftOtherwisePlural)
                           .In(language));
}

PreviewTable ComposePreviewTable(const PurgePreview& preview, Language language) {
    using namespace texts;
    PreviewTable table;
    table.headers = {std::string(kPreviewActionHeader.In(language)),
                     std::string(kPreviewFileHeader.In(language)),
                     std::string(kPreviewSizeHeader.In(language)),
                     std::string(kPreviewDateHeader.In(language)),
                     std::string(kPreviewDestinationHeader.In(language))};
    for (const PurgePreview::Entry& entry : preview.entries) {
        PreviewGroup& group = table.groups.emplace_back();
        group.path = entry.path;
        if (entry.skipped) {
            group.summary = kPreviewPassedOver.In(language);
        } else if (!HasOutcomes(entry.totals)) {
            group.summary = kPreviewEntryNothing.In(language);
        } else {
            group.summary = PreviewTotalsText(entry.totals, language);
        }
        group.heading =
            entry.path + std::string(kPreviewEntrySeparator.In(language)) + group.summary;
        for (std::size_t i = 0; i < entry.outcomes.size(); ++i) {
            group.rows.push_back(RowOf(entry.outcomes[i], i, language));
        }
    }
    table.totals = HasOutcomes(preview.total) ? std::string(kPreviewInAll.In(language)) +
                                                    PreviewTotalsText(preview.total, language)
                                              : std::string(kPreviewNothing.In(language));
    return table;
}

void SortPreviewRows(std::vector<PreviewRow>& rows, PreviewColumn column, bool ascending) {
    const auto key = [column](const PreviewRow& row) {
        switch (column) {
            case PreviewColumn::Size:
                return std::make_tuple(row.bytes, std::string_view());
            case PreviewColumn::Date:
                return std::make_tuple(row.stamp, std::string_view());
            default:
                return std::make_tuple(
                    std::int64_t{0}, std::string_view(row.cells[static_cast<std::size_t>(column)]));
        }
    };
    std::sort(rows.begin(), rows.end(), [&](const PreviewRow& a, const PreviewRow& b) {
        const auto left = key(a);
        const auto right = key(b);
        if (left != right) {
            return ascending ? left < right : right < left;
        }
        return a.order < b.order;
    });
}

}  // namespace quellix
