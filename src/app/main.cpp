#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/clock.h"
#include "platform/file_size_limit.h"
#include "platform/process_info.h"

int main(int argc, char* argv[]) {
    quellix::platform::UseUserTimeLocale();
    quellix::platform::TreatFileSizeLimitAsWriteFailure();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return quellix::RunProgram(arguments, quellix::platform::ExecutableDirectory(), std::cout,
                               std::cerr);
}
