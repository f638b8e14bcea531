#include "platform/parent_console.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace quellix::platform {

namespace {

bool Missing(DWORD stream) {
    HANDLE handle = ::GetStdHandle(stream);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

}  // namespace

void UseParentConsole() {
    const bool output = Missing(STD_OUTPUT_HANDLE);
    const bool error = Missing(STD_ERROR_HANDLE);
    if ((!output && !error) || !::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (output && std::freopen("CONOUT$", "w", stdout) != nullptr) {
        std::cout.clear();
    }
    if (error && std::freopen("CONOUT$", "w", stderr) != nullptr) {
        std::cerr.clear();
    }
}

}  // namespace quellix::platform
