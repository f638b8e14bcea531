#pragma once

#include <windows.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace quellix::test {

// A Linux path seen from Wine (through its drive for "/"); any other path as it is.
inline std::string WindowsPathOf(const std::string& path) {
    using ToDos = wchar_t*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos == nullptr || path.empty() || path[0] != '/') {
        return path;
    }
    wchar_t* dos = toDos(path.c_str());
    if (dos == nullptr) {
        return path;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, dos, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(size > 0 ? size - 1 : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, dos, -1, converted.data(), size, nullptr, nullptr);
    ::HeapFree(::GetProcessHeap(), 0, dos);
    return converted;
}

// Polls what another process does, at most for the bound; true once done() holds.
inline bool WaitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds bound = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// One ReportEventW call as Wine's "eventlog" channel traces it:
//   0118:trace:eventlog:ReportEventW L"Quellix Service: stopped"
// where the class is "trace" for information, "warn" for a warning and "err" for an error.
struct TracedEvent {
    std::string kind;
    std::string text;
    bool operator==(const TracedEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TracedEvent& event) {
    return out << event.kind << ' ' << event.text;
}

// The entries services write to the trace file from the moment the reader is made.
class ServiceTrace {
  public:
    explicit ServiceTrace(std::string path) : path_(std::move(path)) { start_ = Content().size(); }

    std::vector<TracedEvent> Events() const {
        std::istringstream lines(Content().substr(start_));
        std::vector<TracedEvent> events;
        static constexpr std::string_view kCall = ":eventlog:ReportEventW L\"";
        for (std::string line; std::getline(lines, line);) {
            const std::size_t call = line.find(kCall);
            const std::size_t kind = line.find(':');
            if (call == std::string::npos || kind >= call || !line.ends_with('"')) {
                continue;
            }
            const std::string quoted =
                line.substr(call + kCall.size(), line.size() - call - kCall.size() - 1);
            events.push_back({line.substr(kind + 1, call - kind - 1), Unescape(quoted)});
        }
        return events;
    }

    // Waits until count entries have come; the entries then.
    std::vector<TracedEvent> WaitForEvents(std::size_t count) const {
        std::vector<TracedEvent> events;
        WaitFor([&] {
            events = Events();
            return events.size() >= count;
        });
        return events;
    }

  private:
    std::string Content() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The trace's escapes of a wide string: \\, \", \n, \r, \t and \xHHHH (kept as "\x").
    static std::string Unescape(const std::string& quoted) {
        std::string text;
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            if (quoted[i] != '\\' || i + 1 == quoted.size()) {
                text += quoted[i];
                continue;
            }
            const char next = quoted[++i];
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
            if (next == 'x') {
                text.insert(text.size() - 1, "\\");
            }
        }
        return text;
    }

    std::string path_;
    std::size_t start_ = 0;
};

}  // namespace quellix::test
