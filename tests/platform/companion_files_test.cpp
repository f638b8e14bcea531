#include "platform/companion_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace quellix::platform {
namespace {

TEST(CompanionFiles, NamesOfOneFileAndOnlyOfIt) {
    const struct {
        std::string name;
        bool companion;  // of "Quellix.ini"
    } cases[] = {
        {".Quellix.ini.lock", true},
        {".Quellix.ini.quellix-aZ09xy", true},
        {".quellix-aZ09xy", true},  // the earlier form, shared by every file
        {"Quellix.ini", false},
        {".quellix.ini.lock", false},
        {".Quellix.ini.lock2", false},
        {".Other.ini.lock", false},
        {".Other.ini.quellix-aZ09xy", false},
        {".Quellix.ini.quellix-aZ09x", false},
        {".Quellix.ini.quellix-aZ09xyz", false},
        {".Quellix.ini.quellix-aZ09x.", false},
        {".Quellix.ini.quellix-XXXXX\xff", false},
        {".quellix-aZ09x", false},
        {".quellix-aZ09x-", false},
        {".quellix-aZ09xy.lock", false},
        {"quellix-aZ09xy", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsCompanionFileName(c.name, "Quellix.ini"), c.companion) << c.name;
    }
    // A temporary of a file whose name looks like a temporary is still only that file's.
    EXPECT_FALSE(IsTemporaryName(".a.quellix-123456.quellix-abcdef", "a"));
    EXPECT_TRUE(IsTemporaryName(".a.quellix-123456.quellix-abcdef", "a.quellix-123456"));
}

TEST(CompanionFiles, NamesFitWhateverTheFileNameLength) {
    for (std::size_t length = 1; length <= NAME_MAX; ++length) {
        const std::string fileName(length, 'n');
        const std::string lock = LockFileName(fileName);
        std::string temporary = TemporaryNameTemplate(fileName);
        ASSERT_TRUE(temporary.ends_with("XXXXXX"));
        temporary.replace(temporary.size() - 6, 6, "q1W2e3");
        EXPECT_LE(lock.size(), std::size_t{NAME_MAX}) << length;
        EXPECT_LE(temporary.size(), std::size_t{NAME_MAX}) << length;
        EXPECT_TRUE(IsCompanionFileName(lock, fileName)) << length;
        EXPECT_TRUE(IsTemporaryName(temporary, fileName)) << length;
        EXPECT_TRUE(IsCompanionFileName(temporary, fileName)) << length;
        // One name longer must never share them.
        EXPECT_FALSE(IsCompanionFileName(lock, fileName + "n")) << length;
        EXPECT_FALSE(IsTemporaryName(temporary, fileName + "n")) << length;
    }
    EXPECT_EQ(LockFileName(std::string(249, 'n')), "." + std::string(249, 'n') + ".lock");
    EXPECT_TRUE(LockFileName(std::string(250, 'n')).starts_with(".quellix#"));
}

}  // namespace
}  // namespace quellix::platform
