#include "core/config/os_description.h"

#include <cctype>
#include <vector>

namespace quellix {

namespace {

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
    std::string release(kernelRelease);
    while (!release.empty() && std::isspace(static_cast<unsigned char>(release.back()))) {
        release.pop_back();
    }
    // Characters a title cannot show are left out.
    std::erase_if(release, [](char c) { return std::iscntrl(static_cast<unsigned char>(c)) != 0; });
    const std::string kernel = release.empty() ? "Linux" : "Linux " + release;
    const std::string prettyName = PrettyNameOf(osReleaseText);
    return prettyName.empty() ? kernel : prettyName + ", " + kernel;
}

}  // namespace quellix
