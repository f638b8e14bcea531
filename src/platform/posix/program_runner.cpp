#include "platform/program_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace quellix::platform {

namespace {

// Owns the spawn settings so that every way out releases them.
struct SpawnSettings {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    bool ok = true;

    SpawnSettings() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
        for (const int fd : {0, 1, 2}) {
            ok = ok && posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                                        fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
        }
        // A signal this process blocks or ignores must not stay blocked or ignored in the child.
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        ok = ok && posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
             posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
             posix_spawnattr_setflags(&attributes,
                                      POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    ~SpawnSettings() {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
};

}  // namespace

int RunProgram(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return -1;
    }
    std::vector<std::string> texts = arguments;
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    SpawnSettings settings;
    if (!settings.ok) {
        return -1;
    }
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], &settings.actions, &settings.attributes, argv.data(),
                       environ) != 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quellix::platform
