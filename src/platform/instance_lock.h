#pragma once

#include <memory>
#include <string>

namespace quellix::platform {

// The lock that keeps one copy of the program per configuration file, held for as long as the
// object lives. The system drops it when the process ends in any way, so a crashed copy never
// blocks the next one.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
    // True for the lock file beside the configuration file, which every copy able to write there
    // takes: while it is held, no other copy writes the configuration file. False for the
    // stand-in taken where no lock file can be made or locked.
    virtual bool ExcludesEveryWriter() const = 0;
};

// Takes the lock of the configuration file at configPath. Every spelling of the file (relative,
// with "..", through symbolic links to the file or its folders) gives the same lock. nullptr
// when another copy holds it.
//
// The lock is an open file description lock on LockFileName(name) in the folder of the file the
// writes land on, reached as they reach it (links only under the rule of Directory::Open): only
// those who may write the lock file can take it (created 0600, plus the group's and others' read
// and write where the configuration file lets them write; a privileged copy hands it to the
// configuration file's owner). What stands at its name is used only when it is a plain file with
// one link, of ours or of the configuration file's owner: another user's file, a link, a FIFO or
// a second link of some file could be held by someone else to stop every run. Where no lock file
// can be made, opened for writing or trusted, or the file system has no locks, a system-wide
// named lock stands in.
std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& configPath);

}  // namespace quellix::platform
