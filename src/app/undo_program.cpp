#include "app/undo_program.h"

#include "core/common/exit_codes.h"
#include "core/purge/preview_report.h"
#include "core/purge/undo_last.h"
#include "platform/instance_lock.h"

namespace quellix {

int RunUndoLast(const ProgramFiles& files, std::ostream& out, std::ostream& err) {
    const auto lock = platform::TryAcquireInstanceLock(files.configPath);
    if (!lock) {
        err << "quellix: another copy runs on " << ShownPath(files.configPath)
            << "; undo once it has ended\n";
        return kExitAlreadyRunning;
    }
    const LastRun last = ReadLastRun(files.journalPath);
    if (last.state == LastRun::State::Refused) {
        err << "quellix: " << ShownPath(files.journalPath)
            << ": not the journal of a last purge that this program may go by (another user "
               "could have written it, or it is no journal)\n";
        return kExitConfigError;
    }
    if (FilesToRestore(last.records) == 0) {
        out << "nothing to undo: no file moved or sent to the trash by a last purge ("
            << ShownPath(files.journalPath) << ")\n";
        return kExitSuccess;
    }
    const UndoReport report = UndoLastRun(files.journalPath, last.records);
    out << UndoReportText(report);
    return report.left.empty() ? kExitSuccess : kExitUndoIncomplete;
}

}  // namespace quellix
