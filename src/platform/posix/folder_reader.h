#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace quellix::platform::posix {

// Reads a folder's entries straight from the kernel, many at a time: one getdents64 call fills a
// large buffer, where readdir(3) would take 32 KiB steps through an extra layer.
class FolderReader {
  public:
    // Reads from the descriptor's current position; the descriptor stays the caller's.
    explicit FolderReader(int folderFd);
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    // The next entry other than "." and ".."; the name stays valid until the next call. false at
    // the end, or on a read error (then Error() is non-zero).
    bool Next(std::string_view* name, unsigned char* type);
    int Error() const { return error_; }

  private:
    bool Fill();

    int fd_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::size_t at_ = 0;
    int error_ = 0;
    bool ended_ = false;
};

}  // namespace quellix::platform::posix
