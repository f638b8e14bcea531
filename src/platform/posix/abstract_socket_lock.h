#pragma once

#include <memory>
#include <string>

#include "platform/instance_lock.h"

namespace quellix::platform::posix {

// A named lock visible to every user of the machine: a socket bound in Linux's abstract
// namespace. Anyone can take any name first, so it only stands in where no lock file can be
// used. nullptr when the name is taken. Any byte string may be used as name.
std::unique_ptr<InstanceLock> TryAcquireAbstractSocketLock(const std::string& name);

}  // namespace quellix::platform::posix
