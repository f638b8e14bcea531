#include <iostream>

#include "app/program.h"
#include "platform/clock.h"
#include "platform/file_size_limit.h"
#include "platform/parent_console.h"
#include "platform/process_info.h"
#include "platform/program_arguments.h"

int main(int argc, char* argv[]) {
    // The window alone needs no console; anything asked on the command line may print.
    if (argc > 1) {
        quellix::platform::UseParentConsole();
    }
    quellix::platform::UseUserTimeLocale();
    quellix::platform::TreatFileSizeLimitAsWriteFailure();
    return quellix::RunProgram(quellix::platform::ProgramArguments(argc, argv),
                               quellix::platform::ExecutableDirectory(), std::cout, std::cerr);
}
