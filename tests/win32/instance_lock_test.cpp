#include "platform/instance_lock.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/program_runner.h"
#include "platform/win32/instance_lock.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "win32/test_child.h"

namespace quellix::platform {
namespace {

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Upper(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return path;
}

TEST(WindowsInstanceLock, EverySpellingOfTheFileIsOneLock) {
    const test::TempDir dir;
    const std::string config = dir.Write("sub/quellix.ini", "[Options]\n");
    const std::string other = dir.Write("sub/other.ini", "");
    ASSERT_TRUE(::CreateDirectoryW(win32::SystemPath(dir.File("elsewhere")).c_str(), nullptr));
    const std::string missing = dir.File("sub/not-yet.ini");

    const std::unique_ptr<InstanceLock> first = TryAcquireInstanceLock(config);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->ExcludesEveryWriter());
    const std::string sameFile[] = {
        config,
        Backslashed(config),
        Upper(config),
        dir.File("sub/../sub/./quellix.ini"),
        dir.File("elsewhere/../sub/QUELLIX.INI"),
    };
    for (const std::string& spelling : sameFile) {
        EXPECT_EQ(TryAcquireInstanceLock(spelling), nullptr) << spelling;
        EXPECT_EQ(win32::InstanceMutexName(spelling), win32::InstanceMutexName(config)) << spelling;
    }
    // Relative to the current folder.
    wchar_t saved[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, saved), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(win32::SystemPath(dir.File("sub")).c_str()));
    EXPECT_EQ(TryAcquireInstanceLock("quellix.ini"), nullptr);
    ::SetCurrentDirectoryW(saved);

    // Other files, existing or not, have locks of their own.
    for (const std::string& path : {other, missing}) {
        const std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(path);
        EXPECT_NE(lock, nullptr) << path;
        EXPECT_EQ(TryAcquireInstanceLock(Upper(path)), nullptr) << path;
    }
}

TEST(WindowsInstanceLock, GrantedAgainOnceReleased) {
    const test::TempDir dir;
    const std::string config = dir.Write("quellix.ini", "");
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(config);
        ASSERT_NE(lock, nullptr) << round;
        EXPECT_EQ(TryAcquireInstanceLock(config), nullptr) << round;
        lock.reset();
    }
}

// A copy that holds the lock in a thread that has ended still holds it: a mutex's ownership
// would have been abandoned with the thread.
TEST(WindowsInstanceLock, HeldByTheProcessNotByTheThreadThatTookIt) {
    const test::TempDir dir;
    const std::string config = dir.Write("quellix.ini", "");
    std::unique_ptr<InstanceLock> lock;
    struct Job {
        const std::string* config;
        std::unique_ptr<InstanceLock>* lock;
    } job{&config, &lock};
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* work = static_cast<Job*>(parameter);
            *work->lock = TryAcquireInstanceLock(*work->config);
            return 0;
        },
        &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(TryAcquireInstanceLock(config), nullptr);
}

TEST(WindowsInstanceLock, ExcludesOtherCopiesAndNeverWaitsForACrashedOne) {
    const test::TempDir dir;
    const std::string config = dir.Write("quellix.ini", "");
    const std::vector<std::string> child = {test::TestChildPath(), "lock", Upper(config)};
    {
        const std::unique_ptr<InstanceLock> held = TryAcquireInstanceLock(config);
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(RunProgram(child), 4);
    }
    EXPECT_EQ(RunProgram(child), 3);
    EXPECT_EQ(RunProgram(child), 3);
    EXPECT_NE(TryAcquireInstanceLock(config), nullptr);
}

}  // namespace
}  // namespace quellix::platform
