#include "platform/process_info.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/path_trust.h"
#include "platform/posix/password_home.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

std::string ExecutableDirectory() {
    const std::optional<std::string> executable = posix::ReadLink("/proc/self/exe");
    if (!executable || executable->empty() || executable->front() != '/') {
        return {};
    }
    // A replaced executable reads as "/path/name (deleted)": the folder part is still right.
    return posix::SplitLastComponent(*executable).folder;
}

std::string ExecutablePath() {
    std::optional<std::string> executable = posix::ReadLink("/proc/self/exe");
    if (!executable || executable->empty() || executable->front() != '/') {
        return {};
    }
    // The kernel marks an executable whose file is gone with this suffix; the path without it
    // is where a replacement would be found.
    constexpr std::string_view kDeleted = " (deleted)";
    struct stat info {};
    if (executable->ends_with(kDeleted) && ::lstat(executable->c_str(), &info) != 0) {
        executable->resize(executable->size() - kDeleted.size());
    }
    return *executable;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

unsigned CurrentUserId() {
    return static_cast<unsigned>(::getuid());
}

unsigned EffectiveUserId() {
    return static_cast<unsigned>(::geteuid());
}

std::string HomeDirectory() {
    if (const std::optional<std::string> home = EnvironmentVariable("HOME");
        home && !home->empty()) {
        return *home;
    }
    return posix::PasswordHome(::getuid());
}

namespace {

// An XDG folder: the variable when it is an absolute path, else fallback under the home folder.
std::string XdgHome(const char* variable, const std::string& fallback) {
    // A relative value is invalid and ignored, like an empty one.
    std::optional<std::string> folder = EnvironmentVariable(variable);
    if (folder && (folder->empty() || folder->front() != '/')) {
        folder.reset();
    }
    if (::geteuid() != 0) {
        if (folder) {
            return *folder;
        }
        const std::string home = HomeDirectory();
        return home.empty() ? std::string() : home + "/" + fallback;
    }
    // Root's settings decide what root deletes. Started with a user's environment (sudo -E, su
    // without "-"), the folders it names may be that user's: only folders of root's are used,
    // else root's own from the password database.
    // The program's folder in it, made at the first start where it is missing, is what counts.
    const auto rootsAlone = [](const std::string& candidate) {
        return !PlaceOthersCanChange(candidate + "/quellix");
    };
    if (folder && rootsAlone(*folder)) {
        return *folder;
    }
    if (const std::optional<std::string> home = EnvironmentVariable("HOME");
        home && !home->empty() && rootsAlone(*home + "/" + fallback)) {
        return *home + "/" + fallback;
    }
    const std::string home = posix::PasswordHome(0);
    return home.empty() ? std::string() : home + "/" + fallback;
}

}  // namespace

std::string UserConfigHome() {
    return XdgHome("XDG_CONFIG_HOME", ".config");
}

std::string UserStateHome() {
    return XdgHome("XDG_STATE_HOME", ".local/state");
}

}  // namespace quellix::platform
