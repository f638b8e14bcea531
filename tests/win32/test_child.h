#pragma once

#include <filesystem>
#include <string>

#include "platform/process_info.h"

namespace quellix::test {

// The helper program beside the test program (tests/win32/test_child_main.cpp).
inline std::string TestChildPath() {
    return (std::filesystem::path(platform::ExecutablePath()).parent_path() / "test_child.exe")
        .string();
}

}  // namespace quellix::test
