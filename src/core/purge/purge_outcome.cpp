#include "core/purge/purge_outcome.h"

namespace quellix {

std::string LogLineOf(const LogLines& lines, const PurgeOutcome& outcome, std::string_view kind) {
    const std::string date = LogDateText(outcome.date);
    switch (outcome.kind) {
        case OutcomeKind::Deleted:
            return lines.Deleted(outcome.folder, outcome.name, kind, date, outcome.note);
        case OutcomeKind::NotDeleted:
            return lines.NotDeleted(outcome.folder, outcome.name, outcome.error, kind, date,
                                    outcome.note);
        case OutcomeKind::Recycled:
            return lines.Recycled(outcome.folder, outcome.name, kind, date, outcome.note);
        case OutcomeKind::NotRecycled:
            return lines.NotRecycled(outcome.folder, outcome.name, outcome.error, outcome.error2,
                                     kind, date, outcome.note);
        case OutcomeKind::Moved:
            return lines.Moved(outcome.folder, outcome.name, outcome.destination, kind, date,
                               outcome.note);
        case OutcomeKind::ReadOnlyKept:
            return lines.ReadOnlyKept(outcome.folder, outcome.name, kind, date, outcome.note);
        case OutcomeKind::Locked:
            return lines.Locked(outcome.folder, outcome.name, kind, date);
        case OutcomeKind::InvalidDestination:
            return lines.InvalidPath(outcome.destination);
        case OutcomeKind::SubfolderRemoved:
            return lines.EmptySubfolderRemoved(outcome.folder);
    }
    return {};
}

bool IsFileHandled(OutcomeKind kind) {
    return kind == OutcomeKind::Deleted || kind == OutcomeKind::Recycled ||
           kind == OutcomeKind::Moved;
}

}  // namespace quellix
