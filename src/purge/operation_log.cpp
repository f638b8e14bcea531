#include "purge/operation_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "purge/log_lines.h"
#include "purge/log_retention.h"
#include "purge/purge_texts.h"
#include "service/service_host.h"

namespace quellix {

namespace {
constexpr std::size_t kFlushBytes = 64 * 1024;
}

std::string DayLogPath(const std::string& folder, const platform::CivilTime& today) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.year % 10000, today.month % 100,
                  today.day % 100);
    return platform::JoinPath(folder, "Log Quellix " + std::string(date) + ".htm");
}

OperationLog::OperationLog(const Settings& settings, const platform::Clock& clock,
                           ServiceHost& service)
    : settings_(settings), clock_(clock), service_(service) {}

OperationLog::~OperationLog() {
    Flush();
}

void OperationLog::Open() {
    const platform::CivilTime today = clock_.ToLocal(clock_.Now());
    path_ = DayLogPath(settings_.PathLogs, today);
    if (settings_.PathLogs.empty()) {
        Fail(path_, ENOENT);
        return;
    }
    if (settings_.PurgeLogs && !platform::PathExists(path_)) {
        PruneLogs(settings_.PathLogs, settings_.DelaiLogs);
    }
    // Whether this run is the day's first is settled by an exclusive create, so that two runs
    // can never both write a header.
    int error = 0;
    file_ = platform::OpenAppendFile(path_, platform::AppendFile::Mode::CreateNew, &error);
    if (file_) {
        WriteHeader(today);
        return;
    }
    if (error == EEXIST) {
        file_ = platform::OpenAppendFile(path_, platform::AppendFile::Mode::Append, &error);
    }
    if (!file_) {
        Fail(path_, error);
        return;
    }
    // Empty when the day's first run could not even write the header (a full disk).
    if (const auto stamp = platform::GetFileStamp(path_); stamp && stamp->size == 0) {
        WriteHeader(today);
    }
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
        Fail(path_, errno);
        file_.reset();
    }
    pending_.clear();
}

void OperationLog::Close(std::string_view summary) {
    WriteLine(LogLines::Summary(summary));
    Flush();
    file_.reset();
}

void OperationLog::Fail(const std::string& path, int error) {
    if (failureReported_) {
        return;
    }
    failureReported_ = true;
    service_.WriteEventLog(std::string(texts::kLogUnavailable.In(settings_.language())) + path +
                               " (" + std::strerror(error) + ")",
                           EventType::Warning);
}

}  // namespace quellix
