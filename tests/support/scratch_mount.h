#pragma once

#include <sys/mount.h>
#include <sys/stat.h>

#include <string>

namespace quellix::test {

// A small tmpfs mounted on a new folder (inside a test's TempDir), unmounted when dropped: a
// second file system the test controls. Mounting needs root; Mounted() tells whether it worked.
class ScratchMount {
  public:
    explicit ScratchMount(const std::string& path, const std::string& size = "16m") : path_(path) {
        mounted_ = ::mkdir(path.c_str(), 0755) == 0 &&
                   ::mount("quellix-test", path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                           ("size=" + size + ",mode=0755").c_str()) == 0;
    }
    ~ScratchMount() {
        if (mounted_) {
            ::umount2(path_.c_str(), MNT_DETACH);
        }
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool mounted_ = false;
};

}  // namespace quellix::test
