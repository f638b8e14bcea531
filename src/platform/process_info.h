#pragma once

#include <optional>
#include <string>

namespace quellix::platform {

// Folder of the running executable, without a trailing separator (empty when unknown).
std::string ExecutableDirectory();

// Absolute path of the running executable (empty when unknown). When the file was replaced
// while the program runs (an upgrade), the path where the new one now sits.
std::string ExecutablePath();

// Value of an environment variable; nullopt when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// Real user id of the process.
unsigned CurrentUserId();

// Effective user id of the process: 0 when it acts as root.
unsigned EffectiveUserId();

// Home folder of the current user (from HOME, else the password database; empty when unknown).
std::string HomeDirectory();

// The user's configuration folder: XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config; empty when the home folder is unknown. A process acting as root takes only folders
// that root alone can change (or, where missing, could create), else ~root/.config from the
// password database: an environment inherited from a user (sudo -E, su without "-") must not let
// that user choose root's settings. (On Windows: the roaming application data folder.)
std::string UserConfigHome();

// The user's state folder, with the same rules: XDG_STATE_HOME, else ~/.local/state (root's own
// when acting as root). Empty on Windows, where state stays beside the settings.
std::string UserStateHome();

}  // namespace quellix::platform
