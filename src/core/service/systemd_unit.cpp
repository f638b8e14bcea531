#include "core/service/systemd_unit.h"

#include <algorithm>
#include <array>

#include "core/config/utf8.h"

namespace quellix {

namespace {

constexpr std::string_view kStartTypeKey = "X-Quellix-StartType";
constexpr std::string_view kDesktopKey = "X-Quellix-InteractWithDesktop";

constexpr std::array<std::string_view, 3> kStartTypeWords = {"automatic", "manual", "disabled"};

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

void AppendHexEscape(std::string& out, unsigned char c) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0x0f];
}

// Double-quoted word for ExecStart=. systemd first undoes C escapes, then expands "%"
// specifiers, and for arguments (not the program path) "$" variables at start; every line of a
// unit file must be valid UTF-8, so other bytes are written as escapes.
std::string QuoteWord(std::string_view text, bool expandsVariables) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '%') {
            out += "%%";
        } else if (c == '$' && expandsVariables) {
            out += "$$";
        } else if (IsControl(c)) {
            AppendHexEscape(out, c);
        } else if (const std::size_t length = Utf8SequenceLength(text, i); length == 0) {
            AppendHexEscape(out, c);
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    out += '"';
    return out;
}

// systemd refuses a program path holding quotes, backslashes or control characters, and one
// that is not in normal form.
std::string ExecutableProblem(std::string_view path) {
    if (path.empty() || path.front() != '/') {
        return "the program path \"" + std::string(path) + "\" is not absolute";
    }
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\'' || c == '\\' || IsControl(c)) {
            return "the program path holds a quote, a backslash or a control character, which "
                   "systemd does not accept in a unit";
        }
    }
    const std::string padded = std::string(path) + "/";
    if (padded.find("//") != std::string::npos || padded.find("/./") != std::string::npos ||
        padded.find("/../") != std::string::npos) {
        return "the program path \"" + std::string(path) + "\" is not in normal form";
    }
    return {};
}

std::string ConfigProblem(std::string_view path) {
    if (path.empty() || path.front() != '/') {
        // The service starts in "/", where a relative path would name another file.
        return "the configuration file path \"" + std::string(path) + "\" is not absolute";
    }
    if (!QuoteExecArgument(path)) {
        return "the configuration file path holds a newline or NUL character";
    }
    return {};
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != b[i]) {
            return false;
        }
    }
    return true;
}

// The words systemd takes for a boolean.
std::optional<bool> ParseBoolean(std::string_view value) {
    for (const std::string_view word : {"1", "yes", "y", "true", "t", "on"}) {
        if (EqualsIgnoringCase(value, word)) {
            return true;
        }
    }
    for (const std::string_view word : {"0", "no", "n", "false", "f", "off"}) {
        if (EqualsIgnoringCase(value, word)) {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<ServiceStartType> ParseStartType(std::string_view value) {
    for (std::size_t i = 0; i < kStartTypeWords.size(); ++i) {
        if (value == kStartTypeWords[i]) {
            return static_cast<ServiceStartType>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> QuoteExecArgument(std::string_view text) {
    if (text.find_first_of(std::string_view("\n\0", 2)) != std::string_view::npos) {
        return std::nullopt;
    }
    return QuoteWord(text, true);
}

UnitText ComposeUnit(const UnitRequest& request) {
    if (std::string problem = ExecutableProblem(request.executable); !problem.empty()) {
        return {{}, std::move(problem)};
    }
    if (std::string problem = ConfigProblem(request.configPath); !problem.empty()) {
        return {{}, std::move(problem)};
    }

    std::string text = "# Written by Quellix when it installed itself as a service.\n[Unit]\n";
    text += "Description=Quellix Service\n";
    // Folders to purge may be network mounts. The user's manager has no remote-fs.target: it
    // cannot order its units after system units.
    if (!request.userUnit) {
        text += "Wants=remote-fs.target\nAfter=remote-fs.target\n";
    }
    // Any value beyond the known ones counts as disabled, the safe side.
    const auto typeIndex =
        std::min(static_cast<std::size_t>(request.startType), kStartTypeWords.size() - 1);
    const bool disabled = typeIndex == static_cast<std::size_t>(ServiceStartType::Disabled);
    if (disabled) {
        text += "RefuseManualStart=yes\n";
    }
    text += std::string(kStartTypeKey) + "=" + std::string(kStartTypeWords[typeIndex]) + "\n";
    text += std::string(kDesktopKey) + "=" + (request.interactWithDesktop ? "yes" : "no") + "\n";

    text += "\n[Service]\nType=exec\n";
    text += "ExecStart=" + QuoteWord(request.executable, false) + " --service " +
            *QuoteExecArgument("--ini=" + request.configPath) + "\n";

    // Without an [Install] section a disabled service cannot be enabled either.
    if (!disabled) {
        text += "\n[Install]\nWantedBy=";
        text += request.userUnit ? "default.target\n" : "multi-user.target\n";
    }
    return {std::move(text), {}};
}

UnitRegistration ParseUnitRegistration(std::string_view unitText) {
    UnitRegistration registration;
    bool inUnitSection = false;
    while (!unitText.empty()) {
        const std::size_t end = unitText.find('\n');
        const std::string_view line = Trim(unitText.substr(0, end));
        unitText = end == std::string_view::npos ? std::string_view() : unitText.substr(end + 1);

        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            inUnitSection = line == "[Unit]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inUnitSection || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        // As in systemd, a later valid assignment wins.
        if (key == kStartTypeKey) {
            if (const auto type = ParseStartType(value)) {
                registration.startType = type;
            }
        } else if (key == kDesktopKey) {
            if (const auto on = ParseBoolean(value)) {
                registration.interactWithDesktop = on;
            }
        }
    }
    return registration;
}

}  // namespace quellix
