#pragma once

#include <optional>
#include <string>

namespace quellix::platform {

// Folder of the running executable, without a trailing separator (empty when unknown).
std::string ExecutableDirectory();

// Value of an environment variable; nullopt when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// Real user id of the process.
unsigned CurrentUserId();

// Home folder of the current user (from HOME, else the password database; empty when unknown).
std::string HomeDirectory();

}  // namespace quellix::platform
