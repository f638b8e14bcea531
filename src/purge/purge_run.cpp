#include "purge/purge_run.h"

#include "config/config_texts.h"
#include "config/config_values.h"
#include "mainwindow/front_end.h"
#include "platform/directory.h"
#include "purge/log_lines.h"
#include "purge/operation_log.h"
#include "purge/purge_engine.h"
#include "purge/purge_texts.h"
#include "service/error_report.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";

bool IsUnknown(const std::string& cell) {
    return cell == texts::kUnknown.english || cell == texts::kUnknown.french;
}

// Opens, one level at a time and without following links, the folder that holds the last level
// of a path relative to root; that level's name goes to last.
std::optional<platform::Directory> OpenParent(const platform::Directory& root,
                                              const std::string& relative, std::string& last) {
    const auto slash = relative.rfind('/');
    last = slash == std::string::npos ? relative : relative.substr(slash + 1);
    std::optional<platform::Directory> current = root.Duplicate();
    for (std::size_t start = 0; current && slash != std::string::npos && start <= slash;) {
        const std::size_t end = relative.find('/', start);
        current = current->OpenChild(relative.substr(start, end - start));
        start = end + 1;
    }
    return current;
}

// Removes the visited subfolders that are empty, deepest first; returns how many went.
std::int32_t RemoveEmptySubfolders(const FolderEntry& entry,
                                   const std::vector<std::string>& visited, OperationLog& log,
                                   const LogLines& lines) {
    const std::string root = WithTrailingSlash(entry.path);
    const auto rootFolder = platform::Directory::Open(root);
    if (!rootFolder) {
        return 0;
    }
    std::int32_t removed = 0;
    for (auto it = visited.rbegin(); it != visited.rend(); ++it) {
        std::string name;
        const auto parent = OpenParent(*rootFolder, *it, name);
        if (!parent || parent->HasOnlyHiddenEntries(name) != std::optional<bool>(true)) {
            continue;
        }
        if (entry.deleteReadOnly) {
            const auto info = parent->Stat(name);
            if (info && !info->ownerWritable) {
                parent->SetOwnerWritable(name);
            }
        }
        if (parent->RemoveEmptyDirectory(name) == 0) {
            ++removed;
            if (log.IsOpen()) {
                log.WriteLine(lines.EmptySubfolderRemoved(root + *it));
            }
        }
    }
    return removed;
}

}  // namespace

std::string RunStartText(const platform::CivilTime& start) {
    return platform::FormatCivilTime(start, "%d %B %Y - %X");
}

void PurgeRun(const PurgeRunContext& context) {
    Settings& settings = context.settings;
    const Language language = settings.language();
    context.frontEnd.SetStatusText(texts::kPurging.In(language));
    OperationLog log(settings, context.clock, context.service);
    if (settings.Logs) {
        log.Open();
    }
    context.frontEnd.SetBusyVisible(true);

    const std::string start = RunStartText(context.clock.ToLocal(context.clock.Now()));
    PurgeRunState run;
    run.log = &log;
    std::int32_t removedSubfolders = 0;
    const LogLines lines(language);
    for (const FolderRow& row : context.folders.Rows()) {
        if (context.engine.StopRequested()) {
            break;
        }
        if (IsUnknown(row.cells[kFileCountColumn])) {
            continue;
        }
        const FolderEntry entry = DecodeRow(row);
        run.subfolders.clear();
        context.engine.PurgeEntry(entry, run);
        // A stop leaves the subfolders as they are: some were not walked to their end.
        if (entry.deleteEmptySubfolders && !context.engine.StopRequested()) {
            removedSubfolders += RemoveEmptySubfolders(entry, run.subfolders, log, lines);
        }
    }

    if (context.countPass && !context.engine.StopRequested()) {
        context.countPass();
    }
    settings.DateDernierePurge = start;
    settings.NbDernierePurge = run.filesHandled;
    settings.NbDernierePurgeDossiers = removedSubfolders;
    settings.NbLocked = run.locked;
    context.config.Write(kPurge, "DateDernierePurge", start);
    WriteInteger(context.config, kPurge, "NbDernierePurge", run.filesHandled);
    WriteInteger(context.config, kPurge, "NbDernierePurgeDossiers", removedSubfolders);
    WriteInteger(context.config, kPurge, "NbLocked", run.locked);

    const std::string summary =
        PurgeSummary(language, start, run.filesHandled, removedSubfolders, run.locked);
    context.frontEnd.SetLastPurgeText(summary);
    if (settings.Logs) {
        log.Close(summary);
        if (ReportsGoToEventLog(settings, context.service)) {
            context.service.WriteEventLog(summary, EventType::Warning);
        }
    }
    context.frontEnd.SetBusyVisible(false);
}

}  // namespace quellix
