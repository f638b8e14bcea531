#include "platform/system_log.h"

#include <syslog.h>

#include <mutex>
#include <string>

namespace quellix::platform {

namespace {

int Priority(LogSeverity severity) {
    switch (severity) {
        case LogSeverity::Error:
            return LOG_ERR;
        case LogSeverity::Warning:
            return LOG_WARNING;
        case LogSeverity::Information:
            return LOG_INFO;
    }
    return LOG_INFO;
}

// syslog stops at a NUL byte; this keeps whatever follows one visible.
std::string WithoutNuls(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char byte : text) {
        if (byte == '\0') {
            result += "\\0";
        } else {
            result += byte;
        }
    }
    return result;
}

}  // namespace

void WriteSystemLog(std::string_view identity, LogSeverity severity, std::string_view text) {
    // openlog keeps the identity pointer until closelog, and the identity is per process: two
    // threads logging at once must not swap identities.
    static std::mutex mutex;
    const std::string ident(identity);
    const std::string message = WithoutNuls(text);
    const std::lock_guard<std::mutex> lock(mutex);
    ::openlog(ident.c_str(), LOG_PID, LOG_USER);
    ::syslog(Priority(severity), "%s", message.c_str());
    ::closelog();
}

}  // namespace quellix::platform
