#include "platform/posix/move_temporary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/posix/fd_io.h"
#include "platform/posix/folder_reader.h"
#include "platform/posix/local_file_system.h"

namespace quellix::platform::posix {

namespace {

constexpr std::string_view kPrefix = ".quellix-move-";
constexpr std::size_t kBootTagLength = 16;

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xf]);
        value >>= 4;
    } while (value != 0);
    return text;
}

// The first hex digits of the kernel's boot id: a new value at every boot of every machine.
// Empty when it cannot be read.
std::string ReadBootTag() {
    const UniqueFd fd = OpenFile("/proc/sys/kernel/random/boot_id", O_RDONLY | O_CLOEXEC);
    const auto text = fd.Valid() ? ReadAll(fd.Get(), 64) : std::nullopt;
    std::string tag;
    for (const char c : text.value_or("")) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) {
            tag += c;
        }
    }
    return tag.size() >= kBootTagLength ? tag.substr(0, kBootTagLength) : std::string();
}

const std::string& BootTag() {
    static const std::string tag = ReadBootTag();
    return tag;
}

// A name ours, made during this boot unless anyBoot.
bool IsOurs(std::string_view name, bool anyBoot) {
    if (!name.starts_with(kPrefix)) {
        return false;
    }
    if (anyBoot) {
        return true;
    }
    const std::string& boot = BootTag();
    const std::string_view rest = name.substr(kPrefix.size());
    return !boot.empty() && rest.size() > boot.size() && rest.starts_with(boot) &&
           rest[boot.size()] == '-';
}

}  // namespace

std::string MoveTemporaryName() {
    static std::atomic<std::uint64_t> counter{0};
    const std::string& boot = BootTag();
    return std::string(kPrefix) + (boot.empty() ? "x" : boot) + "-" +
           Hex(static_cast<std::uint64_t>(::getpid())) + "-" + Hex(++counter);
}

int HoldFolderForTemporaries(int folderFd) {
    int result;
    do {
        result = ::flock(folderFd, LOCK_SH | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

void RemoveStaleMoveTemporaries(int folderFd) {
    // A description of its own: the lock and the listing position belong to nobody else.
    const UniqueFd folder(::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.Valid() || ::flock(folder.Get(), LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    // Only this kernel's processes work in a local file system, and every one of them that has a
    // copy waiting here holds the folder; elsewhere the lock tells nothing of other machines.
    const bool anyBoot = IsLocalFileSystem(folder.Get());
    // Listed first, removed after: removing entries while the listing goes on may make it skip
    // others.
    std::vector<std::string> stale;
    FolderReader reader(folder.Get());
    std::string_view name;
    unsigned char type = 0;
    while (reader.Next(&name, &type)) {
        if (IsOurs(name, anyBoot)) {
            stale.emplace_back(name);
        }
    }
    for (const std::string& entry : stale) {
        struct stat info {};
        // unlinkat never follows a link, even one swapped in after the check.
        if (::fstatat(folder.Get(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
            ::unlinkat(folder.Get(), entry.c_str(), 0);
        }
    }
}

}  // namespace quellix::platform::posix
