#include "platform/program_runner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/posix/spawn_settings.h"

extern char** environ;

namespace quellix::platform {

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

    posix::SpawnSettings settings;
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
