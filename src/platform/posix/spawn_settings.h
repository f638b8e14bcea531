#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>

namespace quellix::platform::posix {

// What every program this one starts gets: standard input, output and error on /dev/null, no
// blocked signals and default handling for all. Owns the spawn settings so that every way out
// releases them.
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

}  // namespace quellix::platform::posix
