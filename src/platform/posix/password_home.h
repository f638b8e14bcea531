#pragma once

#include <sys/types.h>

#include <string>

namespace quellix::platform::posix {

// The home folder of the password database's entry for uid; empty when unknown.
std::string PasswordHome(uid_t uid);

}  // namespace quellix::platform::posix
