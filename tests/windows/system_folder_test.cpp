#include <gtest/gtest.h>

#include <utility>

#include "core/dialogs/folder_editor_rules.h"

namespace quellix {
namespace {

// The folder editor asks before a purge of a whole drive, of Windows or the programs on any
// drive, or of the home folder itself; letter case and "/" make no difference on Windows.
TEST(WindowsSystemFolder, DrivesWindowsProgramsAndHomeItself) {
    const std::pair<const char*, bool> cases[] = {
        {"C:\\", true},
        {"d:/", true},
        {"\\\\server\\share\\", true},
        {"C:\\WINDOWS\\", true},
        {"c:\\windows\\system32\\", true},
        {"D:\\Windows\\", true},
        {"C:\\Program Files (x86)\\App\\", true},
        {"C:\\ProgramData\\", true},
        {"C:\\Data\\..\\Windows\\", true},
        {"C:\\WINDOWSX\\", false},
        {"C:\\Temp\\", false},
        {"\\\\server\\share\\old\\", false},
        {"C:\\Users\\ann\\", true},
        {"c:/users/ANN", true},
        {"C:\\Users\\ann\\Downloads\\", false},
        {"C:\\Users\\", false},
        {"Windows\\", false},
        {"", false},
    };
    for (const auto& [folder, expected] : cases) {
        EXPECT_EQ(IsSystemFolder(folder, "C:\\Users\\ann"), expected) << folder;
    }
}

}  // namespace
}  // namespace quellix
