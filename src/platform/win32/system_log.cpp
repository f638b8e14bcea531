#include "platform/system_log.h"

#include <windows.h>

#include "platform/win32/system_log.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace win32 {

std::wstring EventText(std::string_view text) {
    // ReportEvent refuses an insertion string of more than 31839 characters.
    constexpr std::size_t kMaxLength = 31839;
    std::string visible;
    visible.reserve(text.size());
    for (const char byte : text) {
        if (byte == '\0') {
            visible += "\\0";
        } else {
            visible += byte;
        }
    }
    std::wstring wide = Widen(visible);
    if (wide.size() > kMaxLength) {
        const bool splitsPair = wide[kMaxLength - 1] >= 0xD800 && wide[kMaxLength - 1] <= 0xDBFF;
        wide.resize(splitsPair ? kMaxLength - 1 : kMaxLength);
    }
    return wide;
}

}  // namespace win32

namespace {

WORD EventType(LogSeverity severity) {
    switch (severity) {
        case LogSeverity::Error:
            return EVENTLOG_ERROR_TYPE;
        case LogSeverity::Warning:
            return EVENTLOG_WARNING_TYPE;
        case LogSeverity::Information:
            return EVENTLOG_INFORMATION_TYPE;
    }
    return EVENTLOG_INFORMATION_TYPE;
}

}  // namespace

void WriteSystemLog(std::string_view identity, LogSeverity severity, std::string_view text) {
    // The source is opened for each entry: entries are rare, and a source kept open would hold
    // the name the service installation may just be registering.
    HANDLE source = ::RegisterEventSourceW(nullptr, win32::Widen(identity).c_str());
    if (source == nullptr) {
        return;
    }
    const std::wstring message = win32::EventText(text);
    LPCWSTR strings[] = {message.c_str()};
    ::ReportEventW(source, EventType(severity), 0, win32::kTextEventId, nullptr, 1, 0, strings,
                   nullptr);
    ::DeregisterEventSource(source);
}

}  // namespace quellix::platform
