#include "platform/posix/folder_reader.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace quellix::platform::posix {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

// Layout of struct linux_dirent64, which the C library does not declare for C++.
constexpr std::size_t kRecordLengthAt = 16;
constexpr std::size_t kTypeAt = 18;
constexpr std::size_t kNameAt = 19;

}  // namespace

FolderReader::FolderReader(int folderFd)
    // Not zeroed: the kernel writes what is read.
    : fd_(folderFd), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {}

bool FolderReader::Fill() {
    for (;;) {
        const long got = ::syscall(SYS_getdents64, fd_, buffer_.get(), kBufferSize);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            ended_ = true;
            return false;
        }
        if (got == 0) {
            ended_ = true;
            return false;
        }
        used_ = static_cast<std::size_t>(got);
        at_ = 0;
        return true;
    }
}

bool FolderReader::Next(std::string_view* name, unsigned char* type) {
    for (;;) {
        if (at_ >= used_ && (ended_ || !Fill())) {
            return false;
        }
        const char* record = buffer_.get() + at_;
        std::uint16_t length = 0;
        std::memcpy(&length, record + kRecordLengthAt, sizeof length);
        if (length <= kNameAt || at_ + length > used_) {
            // Never seen from a sane kernel; reading on could run off the buffer.
            error_ = EIO;
            ended_ = true;
            return false;
        }
        at_ += length;
        const char* text = record + kNameAt;
        const std::string_view entry(text, ::strnlen(text, length - kNameAt));
        if (entry.empty() || entry == "." || entry == "..") {
            continue;
        }
        *name = entry;
        *type = static_cast<unsigned char>(record[kTypeAt]);
        return true;
    }
}

}  // namespace quellix::platform::posix
