#include "platform/posix/abstract_socket_lock.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/common/name_hash.h"
#include "platform/posix/fd_io.h"

namespace quellix::platform::posix {

namespace {

// Needs no file that could be left behind; the kernel drops the name with the last descriptor,
// however the process ends.
class AbstractSocketLock final : public InstanceLock {
  public:
    explicit AbstractSocketLock(UniqueFd socket) : socket_(std::move(socket)) {}
    bool ExcludesEveryWriter() const override { return false; }

  private:
    UniqueFd socket_;
};

// The first byte of sun_path is the NUL that selects the abstract namespace.
constexpr std::size_t kMaxNameLength = sizeof(sockaddr_un::sun_path) - 1;

// Short names are used as they are, so `ss -xl` shows what holds the lock; the two prefixes keep a
// short name from ever meeting a hashed one.
std::string SocketName(const std::string& name) {
    std::string direct = "quellix/" + name;
    if (direct.size() <= kMaxNameLength && name.find('\0') == std::string::npos) {
        return direct;
    }
    return "quellix#" + HashedName(name);
}

}  // namespace

std::unique_ptr<InstanceLock> TryAcquireAbstractSocketLock(const std::string& name) {
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
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

}  // namespace quellix::platform::posix
