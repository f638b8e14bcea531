#include "platform/program_arguments.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace quellix::platform {

std::vector<std::string> ProgramArguments(int, char*[]) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(win32::Narrow(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

}  // namespace quellix::platform
