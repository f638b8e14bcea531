#include "core/mainwindow/count_pass.h"

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

// The previous count, or -1 when the cell holds no number ("-", "unknown").
std::int64_t PreviousCount(const std::string& cell) {
    if (cell.empty() || cell.size() > 18 ||
        cell.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stoll(cell);
}

bool IsUnknown(const std::string& cell) {
    return cell == texts::kUnknown.english || cell == texts::kUnknown.french;
}

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

void CountRow(const CountPassContext& context, FolderRow& row, std::int64_t& total) {
    const Language language = context.settings.language();
    std::string& count = row.cells[kFileCountColumn];
    const std::string& folder = row.cells[kPathColumn];
    if (!FolderExists(folder)) {
        count = texts::kUnknown.In(language);
        ReportUnknown(context, folder);
        row.styles[kPathColumn].background = Settings::MissingColour;
    } else {
        row.styles[kPathColumn].background = Settings::NormalColour;
        const FolderEntry entry = DecodeRow(row);
        const std::int64_t files = context.engine.CountFiles(folder, entry.includeSubfolders);
        const std::int64_t previous = PreviousCount(count);
        if (previous != files) {
            count = std::to_string(files);
            if (previous != -1) {
                row.styles[kFileCountColumn].trend =
                    previous < files ? CountTrend::Rise : CountTrend::Fall;
            }
        }
        total += files;
    }

    const FolderEntry entry = DecodeRow(row);
    if (entry.action == FolderAction::Move) {
        if (!FolderExists(entry.destination)) {
            count = texts::kUnknown.In(language);
            ReportUnknown(context, entry.destination);
            row.styles[kActionColumn].background = Settings::MissingColour;
        } else {
            row.styles[kActionColumn].background = Settings::NormalColour;
        }
    }
    row.styles[kFileCountColumn].background =
        IsUnknown(count) ? Settings::MissingColour : Settings::NormalColour;
}

}  // namespace

void CountPass(const CountPassContext& context) {
    const Language language = context.settings.language();
    context.frontEnd.Window().SetBusyVisible(true);
    std::int64_t total = 0;
    std::int32_t n = 0;
    for (FolderRow& row : context.folders.Rows()) {
        ++n;
        context.frontEnd.Window().SetStatusText(std::string(texts::kUpdateProgress.In(language)) +
                                                std::to_string(n) + "/" +
                                                std::to_string(context.settings.NbPaths));
        CountRow(context, row, total);
    }
    context.folders.SetGrandTotal(total, language);
    context.frontEnd.Window().SetBusyVisible(false);
    context.frontEnd.Window().FolderListChanged();
}

void RecomputeTotal(FolderList& folders, Language language) {
    std::int64_t total = 0;
    for (const FolderRow& row : folders.Rows()) {
        total += RoundToInt32(ScanLeadingNumber(row.cells[kFileCountColumn])).value_or(0);
    }
    folders.SetGrandTotal(total, language);
}

}  // namespace quellix
