#pragma once

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/run_program.h"

namespace quellix::test {

// Output of trash-cli's trash-list, run with this process's environment (HOME, XDG_DATA_HOME);
// nullopt when trash-cli is not installed. One line per trashed entry: "date time original-path".
inline std::optional<std::string> TrashList() {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folders.find(':', start);
        const std::string candidate =
            folders.substr(start, end == std::string::npos ? std::string::npos : end - start) +
            "/trash-list";
        if (::access(candidate.c_str(), X_OK) == 0) {
            const ProgramResult result = RunProgram(candidate, {});
            if (result.exitCode != 0) {
                return "exit " + std::to_string(result.exitCode) + ": " + result.err;
            }
            return result.out;
        }
        if (end == std::string::npos) {
            return std::nullopt;
        }
        start = end + 1;
    }
}

}  // namespace quellix::test
