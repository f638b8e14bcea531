#include "core/purge/operation_log.h"

#include <cerrno>
#include <cstring>

#include "core/common/service_host.h"
#include "core/purge/day_logs.h"
#include "core/purge/log_lines.h"
#include "core/purge/log_retention.h"
#include "core/purge/purge_texts.h"
#include "platform/path_text.h"

namespace quellix {

namespace {
constexpr std::size_t kFlushBytes = 64 * 1024;
// The log names every file a purge handles, folders only root may read included.
constexpr unsigned kLogFileMode = 0600;
}  // namespace

std::string DayLogPath(const std::string& folder, const platform::CivilTime& today) {
    return platform::JoinPath(folder, DayLogName(today));
}

OperationLog::OperationLog(const Settings& settings, const platform::Clock& clock,
                           ServiceHost& service)
    : settings_(settings), clock_(clock), service_(service) {}

OperationLog::~OperationLog() {
    Flush();
}

void OperationLog::Open() {
    const platform::CivilTime today = clock_.ToLocal(clock_.Now());
    const std::string name = DayLogName(today);
    path_ = DayLogPath(settings_.PathLogs, today);
    if (settings_.PathLogs.empty()) {
        Fail(std::strerror(ENOENT));
        return;
    }
    // Reached once, never through a link another user could have swapped in; from then on the
    // day's file is created, and old ones listed and removed, only through this handle.
    errno = 0;
    const std::optional<platform::Directory> folder = platform::Directory::Open(settings_.PathLogs);
    if (!folder) {
        // The one refusal of the safe-link rule, which the system's words would not explain.
        Fail(errno == EPERM ? texts::kLogFolderThroughUnsafeLink.In(settings_.language())
                            : std::strerror(errno != 0 ? errno : ENOENT));
        return;
    }
    if (settings_.PurgeLogs && !folder->Stat(name)) {
        PruneLogs(*folder, settings_.DelaiLogs);
    }
    // Whether this run is the day's first is settled by an exclusive create, so that two runs
    // can never both write a header.
    int error = 0;
    file_ = platform::OpenAppendFile(*folder, name, platform::AppendFile::Mode::CreateNew,
                                     kLogFileMode, &error);
    const bool created = file_ != nullptr;
    if (error == EEXIST) {
        file_ = platform::OpenAppendFile(*folder, name, platform::AppendFile::Mode::Append,
                                         kLogFileMode, &error);
    }
    if (!file_) {
        Fail(std::strerror(error));
        return;
    }
    const std::optional<platform::EntryInfo> info = file_->Info();
    if (!info) {
        error = errno;
        file_.reset();
        Fail(std::strerror(error));
        return;
    }
    if (!IsOurs(*info)) {
        file_.reset();
        return;
    }
    // Empty when the day's first run could not even write the header (a full disk).
    if (created || info->size == 0) {
        WriteHeader(today);
    }
}

// Asked of the file the handle holds, as the day's name may have been taken before the run came:
// root must not add to a file another user planted, nor to a hard link made to a file of root's.
bool OperationLog::IsOurs(const platform::EntryInfo& file) {
    if (!platform::BelongsToThisUser(file)) {
        Fail(texts::kLogOfAnotherUser.In(settings_.language()));
        return false;
    }
    if (file.links != 1) {
        Fail(texts::kLogWithOtherNames.In(settings_.language()));
        return false;
    }
    return true;
}

void OperationLog::WriteHeader(const platform::CivilTime& today) {
    const LogLines lines(settings_.language());
    for (const std::string& line :
         lines.Header(platform::FormatCivilTime(today, "%A %d %B %Y"), settings_.Langue == 1)) {
        WriteLine(line);
    }
    Flush();
}

void OperationLog::WriteLine(std::string_view line) {
    if (!file_) {
        return;
    }
    pending_.append(line);
    pending_.append("\r\n");
    if (pending_.size() >= kFlushBytes) {
        Flush();
    }
}

void OperationLog::Flush() {
    if (!file_ || pending_.empty()) {
        return;
    }
    if (!file_->Write(pending_)) {
        Fail(std::strerror(errno));
        file_.reset();
    }
    pending_.clear();
}

void OperationLog::Close(std::string_view summary) {
    WriteLine(LogLines::Summary(summary));
    Flush();
    file_.reset();
}

void OperationLog::Fail(std::string_view reason) {
    if (failureReported_) {
        return;
    }
    failureReported_ = true;
    service_.WriteEventLog(std::string(texts::kLogUnavailable.In(settings_.language())) + path_ +
                               " (" + std::string(reason) + ")",
                           EventType::Warning);
}

}  // namespace quellix
