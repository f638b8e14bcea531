#include "core/service/service_event_log.h"

#include "platform/system_log.h"

namespace quellix {

void WriteServiceEventLog(std::string_view text, EventType type) {
    platform::LogSeverity severity = platform::LogSeverity::Information;
    if (type == EventType::Error) {
        severity = platform::LogSeverity::Error;
    } else if (type == EventType::Warning) {
        severity = platform::LogSeverity::Warning;
    }
    platform::WriteSystemLog(kServiceName, severity, text);
}

}  // namespace quellix
