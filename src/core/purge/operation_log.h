#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/common/settings.h"
#include "platform/clock.h"
#include "platform/text_file.h"

namespace quellix {

class ServiceHost;

// "<folder>/Log Quellix 2026-12-07.htm"
std::string DayLogPath(const std::string& folder, const platform::CivilTime& today);

// The daily HTML log of purge outcomes. Open only during a run; the first run of a day creates
// the file (after pruning old logs) and writes the header, later runs append to it (and write
// the header first when the file is still empty).
class OperationLog {
  public:
    OperationLog(const Settings& settings, const platform::Clock& clock, ServiceHost& service);
    ~OperationLog();

    // Opens today's file. When it cannot be created or written, or the file there is not the
    // program's own (another user's, or one with a second name), the run goes on without a log
    // and the failure is reported once to the system log.
    void Open();
    bool IsOpen() const { return file_ != nullptr; }
    // One line, ended by CR LF. Nothing happens while the log is not open.
    void WriteLine(std::string_view line);
    // Lines are kept in memory and written in blocks; a folder's end is a good moment to write.
    void Flush();
    // Writes the summary line and closes the file.
    void Close(std::string_view summary);

  private:
    void WriteHeader(const platform::CivilTime& today);
    // Whether the file opened may be written to; reports why not.
    bool IsOurs(const platform::EntryInfo& file);
    void Fail(std::string_view reason);

    const Settings& settings_;
    const platform::Clock& clock_;
    ServiceHost& service_;
    std::unique_ptr<platform::AppendFile> file_;
    std::string path_;
    std::string pending_;
    bool failureReported_ = false;
};

}  // namespace quellix
