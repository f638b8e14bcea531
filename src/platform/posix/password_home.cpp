#include "platform/posix/password_home.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace quellix::platform::posix {

std::string PasswordHome(uid_t uid) {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    constexpr std::size_t kMaxBuffer = 1 << 20;
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < kMaxBuffer) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr) {
            return {};
        }
        return found->pw_dir;
    }
}

}  // namespace quellix::platform::posix
