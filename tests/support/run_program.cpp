#include "support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "support/temp_dir.h"

extern char** environ;

namespace quellix::test {

ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
    TempDir outputs;
    const std::string outPath = outputs.File("out");
    const std::string errPath = outputs.File("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);

    std::vector<std::string> argumentTexts = {path};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argumentTexts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    std::vector<char*> envp;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "DISPLAY=", 8) != 0 &&
            std::strncmp(*variable, "WAYLAND_DISPLAY=", 16) != 0) {
            envp.push_back(*variable);
        }
    }
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + path);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = outputs.Read("out");
    result.err = outputs.Read("err");
    return result;
}

std::string QuellixBinary() {
    const char* path = std::getenv("QUELLIX_BINARY");
    if (path == nullptr) {
        throw std::runtime_error("QUELLIX_BINARY is not set");
    }
    return path;
}

}  // namespace quellix::test
