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

std::string UserConfigHome() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, like an empty one.
    std::optional<std::string> config = EnvironmentVariable("XDG_CONFIG_HOME");
    if (config && (config->empty() || config->front() != '/')) {
        config.reset();
    }
    if (::geteuid() != 0) {
        if (config) {
            return *config;
        }
        const std::string home = HomeDirectory();
        return home.empty() ? std::string() : home + "/.config";
    }
    // Root's settings decide what root deletes. Started with a user's environment (sudo -E, su
    // without "-"), the folders it names may be that user's: only folders of root's are used,
    // else root's own from the password database.
    // The program's folder in it, made at the first start where it is missing, is what counts.
    const auto rootsAlone = [](const std::string& folder) {
        return !PlaceOthersCanChange(folder + "/quellix");
    };
    if (config && rootsAlone(*config)) {
        return *config;
    }
    if (const std::optional<std::string> home = EnvironmentVariable("HOME");
        home && !home->empty() && rootsAlone(*home + "/.config")) {
        return *home + "/.config";
    }
    const std::string home = posix::PasswordHome(0);
    return home.empty() ? std::string() : home + "/.config";
}

}  // namespace quellix::platform
