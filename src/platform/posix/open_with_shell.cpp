#include "platform/open_with_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/posix/fd_io.h"
#include "platform/posix/spawn_settings.h"

extern char** environ;

namespace quellix::platform {

namespace {

// Closes [first, last]; the loop stands in where the kernel has no close_range.
void CloseRange(unsigned first, unsigned last, long openMax) {
    if (::close_range(first, last, 0) == 0) {
        return;
    }
    for (unsigned fd = first; fd <= last && static_cast<long>(fd) < openMax; ++fd) {
        ::close(static_cast<int>(fd));
    }
}

}  // namespace

bool OpenWithShell(const std::string& path) {
    std::string program = "xdg-open";
    std::string argument = path;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // All made before the fork: a copy of a threaded process may only make calls that take no
    // lock another thread could have held.
    posix::SpawnSettings settings;
    const long openMax = ::sysconf(_SC_OPEN_MAX);
    int ends[2];
    if (!settings.ok || ::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    posix::UniqueFd reportRead(ends[0]);
    posix::UniqueFd reportWrite(ends[1]);

    // The opener is started from a short-lived middle process, which is reaped here: the opener
    // then belongs to init, and nobody has to wait for it.
    const pid_t middle = ::fork();
    if (middle == 0) {
        // Descriptors the caller left inheritable are none of the opener's business.
        const auto keep = static_cast<unsigned>(reportWrite.Get());
        if (keep > 3) {
            CloseRange(3, keep - 1, openMax);
        }
        CloseRange(std::max(3U, keep + 1), ~0U, openMax);
        pid_t opener = 0;
        // posix_spawnp answers once the exec has succeeded or failed.
        const int error = ::posix_spawnp(&opener, argv[0], &settings.actions, &settings.attributes,
                                         argv, environ);
        const bool written =
            posix::WriteAll(reportWrite.Get(),
                            std::string_view(reinterpret_cast<const char*>(&error), sizeof error));
        ::_exit(written ? 0 : 1);
    }
    reportWrite.Close();
    if (middle < 0) {
        return false;
    }
    // Read from the pipe, not from the exit status: a caller that ignores SIGCHLD has its
    // children reaped by the kernel.
    const auto report = posix::ReadAll(reportRead.Get(), sizeof(int));
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = -1;
    if (!report || report->size() != sizeof error) {
        return false;
    }
    std::memcpy(&error, report->data(), sizeof error);
    return error == 0;
}

bool OpenInTextEditor(const std::string& path) {
    return OpenWithShell(path);
}

}  // namespace quellix::platform
