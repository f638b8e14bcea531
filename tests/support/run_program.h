#pragma once

#include <string>
#include <vector>

namespace quellix::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the program at path with arguments (without the program name), no standard input and
// an environment without DISPLAY, and waits for it.
ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& arguments);

// Path of the quellix executable under test (from the QUELLIX_BINARY environment variable).
std::string QuellixBinary();

}  // namespace quellix::test
