#include "core/purge/purge_run.h"

#include "core/common/error_report.h"
#include "core/common/front_end.h"
#include "core/config/config_texts.h"
#include "core/config/config_values.h"
#include "core/purge/log_lines.h"
#include "core/purge/operation_log.h"
#include "core/purge/purge_engine.h"
#include "core/purge/purge_texts.h"
#include "core/purge/run_journal.h"
#include "platform/directory.h"

namespace quellix {

namespace {

constexpr std::string_view kPurge = "Purge";

}  // namespace

std::string RunStartText(const platform::CivilTime& start) {
    return platform::FormatCivilTime(start, "%d %B %Y - %X");
}

void PurgeRun(const PurgeRunContext& context) {
    Settings& settings = context.settings;
    const Language language = settings.language();
    context.frontEnd.Window().SetStatusText(texts::kPurging.In(language));
    OperationLog log(settings, context.clock, context.service);
    if (settings.Logs) {
        log.Open();
    }
    context.frontEnd.Window().SetBusyVisible(true);

    const std::string start = RunStartText(context.clock.ToLocal(context.clock.Now()));
    PurgeRunState run;
    run.log = &log;
    // Replaces the last run's: the undo takes back the latest run only.
    std::optional<RunJournal> journal;
    if (!settings.JournalPath.empty()) {
        journal.emplace(settings.JournalPath);
        run.outcomes = &*journal;
    }
    for (const FolderEntry& entry : context.folders.Entries()) {
        if (context.engine.StopRequested()) {
            break;
        }
        // Its folder or destination was missing at the last count.
        if (entry.count.IsUnknown()) {
            continue;
        }
        context.engine.PurgeEntry(entry, run);
    }
    const std::int32_t removedSubfolders = run.subfoldersRemoved;

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
    context.frontEnd.Window().SetLastPurgeText(summary);
    if (settings.Logs) {
        log.Close(summary);
        if (ReportsGoToEventLog(settings, context.service)) {
            context.service.WriteEventLog(summary, EventType::Warning);
        }
    }
    context.frontEnd.Window().SetBusyVisible(false);
}

}  // namespace quellix
