#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

namespace quellix::test {

// The permission bits of a path itself (a link is not followed).
inline mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

}  // namespace quellix::test
