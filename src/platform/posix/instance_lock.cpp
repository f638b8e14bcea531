#include "platform/instance_lock.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/posix/fd_io.h"

namespace quellix::platform {

namespace {

// A socket bound in Linux's abstract namespace: the name is visible to every user of the machine,
// needs no file that could be left behind, and the kernel drops it with the last descriptor,
// however the process ends.
class AbstractSocketLock final : public InstanceLock {
  public:
    explicit AbstractSocketLock(posix::UniqueFd socket) : socket_(std::move(socket)) {}

  private:
    posix::UniqueFd socket_;
};

// The first byte of sun_path is the NUL that selects the abstract namespace.
constexpr std::size_t kMaxNameLength = sizeof(sockaddr_un::sun_path) - 1;

std::uint64_t Fnv1a64(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// Short names are used as they are, so `ss -xl` shows what holds the lock; the two prefixes keep a
// short name from ever meeting a hashed one.
std::string SocketName(const std::string& name) {
    std::string direct = "quellix/" + name;
    if (direct.size() <= kMaxNameLength && name.find('\0') == std::string::npos) {
        return direct;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hashed = "quellix#";
    const std::uint64_t hash = Fnv1a64(name);
    for (int shift = 60; shift >= 0; shift -= 4) {
        hashed += kDigits[(hash >> shift) & 0xf];
    }
    return hashed;
}

}  // namespace

std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& name) {
    posix::UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) {
        return nullptr;
    }
    const std::string socketName = SocketName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, socketName.data(), socketName.size());
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + socketName.size());
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        return nullptr;
    }
    return std::make_unique<AbstractSocketLock>(std::move(socket));
}

}  // namespace quellix::platform
