#include "core/mainwindow/count_pass.h"

#include <limits>
#include <optional>

#include "core/common/error_report.h"
#include "core/common/front_end.h"
#include "core/config/config_texts.h"
#include "core/config/number_scan.h"
#include "core/purge/purge_engine.h"
#include "core/purge/purge_texts.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

bool FolderExists(const std::string& path) {
    return platform::IsAbsolutePath(path) && platform::IsExistingDirectory(path);
}

void ReportUnknown(const CountPassContext& context, const std::string& folder) {
    if (ReportsGoToEventLog(context.settings, context.service)) {
        context.service.WriteEventLog(
            std::string(texts::kUnknownFolder.In(context.settings.language())) + folder,
            EventType::Error);
    }
}

void CountEntry(const CountPassContext& context, FolderEntry& entry, std::int64_t& total) {
    const bool everyFile = context.depth == CountDepth::EveryFile;
    // A folder the count could open exists: only one it could not is looked for by its path.
    // An empty path would name the root once the separator is added.
    const std::int64_t enough = everyFile ? std::numeric_limits<std::int64_t>::max() : 1;
    const std::optional<std::int64_t> counted =
        platform::IsAbsolutePath(entry.path)
            ? context.engine.CountFilesIfOpened(entry.path, entry.includeSubfolders, enough)
            : std::nullopt;
    if (!counted && !FolderExists(entry.path)) {
        entry.count = FileCount::Unknown();
        ReportUnknown(context, entry.path);
        entry.folderMark = CellMark::Missing;
    } else {
        entry.folderMark = CellMark::Found;
        const std::int64_t files = counted.value_or(0);
        // A count that was not a number ("-", "unknown") gives no rise or fall.
        const FileCount previous = entry.count;
        if (previous != FileCount::Of(files)) {
            entry.count = FileCount::Of(files);
            if (previous.state == FileCount::State::Counted && everyFile) {
                entry.trend = previous.files < files ? CountTrend::Rise : CountTrend::Fall;
            }
        }
        total += files;
    }

    if (entry.action == FolderAction::Move) {
        if (!FolderExists(entry.destination)) {
            entry.count = FileCount::Unknown();
            ReportUnknown(context, entry.destination);
            entry.destinationMark = CellMark::Missing;
        } else {
            entry.destinationMark = CellMark::Found;
        }
    }
    entry.countMark = entry.count.IsUnknown() ? CellMark::Missing : CellMark::Found;
}

}  // namespace

void CountPass(const CountPassContext& context) {
    const Language language = context.settings.language();
    context.frontEnd.Window().SetBusyVisible(true);
    std::int64_t total = 0;
    std::int32_t n = 0;
    for (FolderEntry& entry : context.folders.Entries()) {
        ++n;
        context.frontEnd.Window().SetStatusText(std::string(texts::kUpdateProgress.In(language)) +
                                                std::to_string(n) + "/" +
                                                std::to_string(context.settings.NbPaths));
        CountEntry(context, entry, total);
    }
    context.folders.SetGrandTotal(total);
    context.frontEnd.Window().SetBusyVisible(false);
    context.frontEnd.Window().FolderListChanged();
}

void RecomputeTotal(FolderList& folders) {
    std::int64_t total = 0;
    for (const FolderEntry& entry : folders.Entries()) {
        if (entry.count.state == FileCount::State::Counted) {
            total += RoundToInt32(static_cast<double>(entry.count.files)).value_or(0);
        }
    }
    folders.SetGrandTotal(total);
}

}  // namespace quellix
