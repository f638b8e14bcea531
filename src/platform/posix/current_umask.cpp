#include "platform/posix/current_umask.h"

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quellix::platform::posix {

namespace {

std::optional<mode_t> UmaskFromProc() {
    const std::optional<std::string> status = ReadWholeFile("/proc/self/status");
    if (!status) {
        return std::nullopt;
    }
    constexpr std::string_view kField = "\nUmask:";
    const std::size_t field = status->find(kField);
    if (field == std::string::npos) {
        return std::nullopt;
    }
    std::size_t at = field + kField.size();
    while (at < status->size() && ((*status)[at] == '\t' || (*status)[at] == ' ')) {
        ++at;
    }
    mode_t mask = 0;
    std::size_t digits = 0;
    for (; at < status->size() && (*status)[at] >= '0' && (*status)[at] <= '7'; ++at, ++digits) {
        mask = static_cast<mode_t>(mask * 8 + static_cast<mode_t>((*status)[at] - '0'));
    }
    if (digits == 0 || mask > 0777) {
        return std::nullopt;
    }
    return mask;
}

}  // namespace

mode_t CurrentUmask() {
    if (const std::optional<mode_t> mask = UmaskFromProc()) {
        return *mask;
    }
    // Kernels before 4.7 do not show the mask; umask(2) can only read it by setting it, which
    // briefly affects files other threads create.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

}  // namespace quellix::platform::posix
