#pragma once

#include <memory>
#include <string>

namespace quellix::platform {

// A system-wide named lock held for as long as the object lives. The system releases it when the
// process ends in any way, so a crashed copy never blocks the next one.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
};

// Takes the lock called name; nullptr when another process (of any user) holds it.
// Any byte string may be used as name.
std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& name);

}  // namespace quellix::platform
