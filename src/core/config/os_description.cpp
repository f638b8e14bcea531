#include "core/config/os_description.h"

#include <cctype>
#include <vector>

namespace quellix {

namespace {

// The leading decimal numbers of a release such as "6.1.0-18-amd64": {6, 1, 0}.
std::vector<long> ReleaseNumbers(std::string_view release) {
    std::vector<long> numbers;
    std::size_t pos = 0;
    while (numbers.size() < 3 && pos < release.size() &&
           std::isdigit(static_cast<unsigned char>(release[pos]))) {
        long value = 0;
        while (pos < release.size() && std::isdigit(static_cast<unsigned char>(release[pos]))) {
            value = value * 10 + (release[pos] - '0');
            if (value > 1000000) {
                value = 1000000;
            }
            ++pos;
        }
        numbers.push_back(value);
        if (pos >= release.size() || release[pos] != '.') {
            break;
        }
        ++pos;
    }
    numbers.resize(3, 0);
    return numbers;
}

// Value of a shell-style assignment: quotes removed, backslash escapes resolved.
std::string Unquote(std::string_view value) {
    if (value.empty() || (value.front() != '"' && value.front() != '\'')) {
        return std::string(value);
    }
    const char quote = value.front();
    std::string text;
    for (std::size_t i = 1; i < value.size() && value[i] != quote; ++i) {
        if (quote == '"' && value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        text += value[i];
    }
    return text;
}

}  // namespace

std::string PrettyNameOf(std::string_view osReleaseText) {
    constexpr std::string_view kKey = "PRETTY_NAME=";
    std::size_t start = 0;
    while (start < osReleaseText.size()) {
        std::size_t end = osReleaseText.find('\n', start);
        if (end == std::string_view::npos) {
            end = osReleaseText.size();
        }
        std::string_view line = osReleaseText.substr(start, end - start);
        if (line.starts_with(kKey)) {
            std::string name = Unquote(line.substr(kKey.size()));
            while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) {
                name.pop_back();
            }
            return name;
        }
        start = end + 1;
    }
    return {};
}

std::string DescribeLinux(std::string_view kernelRelease, std::string_view osReleaseText) {
    const std::vector<long> numbers = ReleaseNumbers(kernelRelease);
    std::string description = "Linux v." + std::to_string(numbers[0]) + "." +
                              std::to_string(numbers[1]) + ", Build " + std::to_string(numbers[2]);
    const std::string prettyName = PrettyNameOf(osReleaseText);
    if (!prettyName.empty()) {
        description += ", " + prettyName;
    }
    return description;
}

}  // namespace quellix
