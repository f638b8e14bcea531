#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "child_process.h"

namespace quellix::platform {
namespace {

using test::Child;
using test::RunInChild;

// Unique per test run, so a lock of another process on the machine cannot interfere.
std::string Name(const std::string& base) {
    return "quellix-test-" + std::to_string(::getpid()) + "-" + base;
}

// 0 when the child could take the lock, 1 when it was refused.
int AcquireInChild(const std::string& name) {
    return RunInChild([&] { return TryAcquireInstanceLock(name) ? 0 : 1; });
}

TEST(InstanceLock, HeldUntilReleased) {
    const std::string name = Name("held");
    std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(name);
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(TryAcquireInstanceLock(name), nullptr);
    EXPECT_EQ(AcquireInChild(name), 1);

    lock.reset();
    EXPECT_EQ(AcquireInChild(name), 0);
    EXPECT_NE(TryAcquireInstanceLock(name), nullptr);
}

TEST(InstanceLock, DifferentNamesAreIndependent) {
    const std::vector<std::string> names = {
        Name("one"),
        Name("two"),
        Name("One"),
        Name("x"),
        Name("x") + std::string(1, '\0') + "y",
        Name("x") + std::string(1, '\0') + "z",
        Name(std::string(300, 'p') + "1"),
        Name(std::string(300, 'p') + "2"),
    };
    std::vector<std::unique_ptr<InstanceLock>> locks;
    for (const std::string& name : names) {
        locks.push_back(TryAcquireInstanceLock(name));
        EXPECT_NE(locks.back(), nullptr) << "length " << name.size();
    }
    for (const std::string& name : names) {
        EXPECT_EQ(TryAcquireInstanceLock(name), nullptr) << "length " << name.size();
    }
}

TEST(InstanceLock, AnyNameLengthAndBytes) {
    std::vector<std::string> names = {
        Name(std::string(5000, 'L')),
        Name("sp ace/slash\\back\nline\t\xff\xfe-\xe9"),
        "-",
        "",
    };
    // Lengths around the point where a name no longer fits as it is.
    for (std::size_t length = 80; length <= 130; ++length) {
        names.push_back(Name("") + std::string(length, 'b'));
    }
    for (const std::string& name : names) {
        std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(name);
        ASSERT_NE(lock, nullptr) << "length " << name.size();
        EXPECT_EQ(TryAcquireInstanceLock(name), nullptr) << "length " << name.size();
        lock.reset();
        EXPECT_NE(TryAcquireInstanceLock(name), nullptr) << "length " << name.size();
    }
}

TEST(InstanceLock, KilledHolderReleasesTheLock) {
    const std::string name = Name("killed");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    Child holder([&] {
        ::close(ready[0]);
        std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(name);
        const char state = lock ? 'y' : 'n';
        if (::write(ready[1], &state, 1) != 1) {
            return 2;
        }
        for (;;) {
            ::pause();
        }
    });
    ::close(ready[1]);
    char state = 0;
    const ssize_t got = ::read(ready[0], &state, 1);
    ::close(ready[0]);
    ASSERT_EQ(got, 1);
    ASSERT_EQ(state, 'y');

    EXPECT_EQ(TryAcquireInstanceLock(name), nullptr);
    EXPECT_EQ(holder.Kill(), -SIGKILL);
    EXPECT_NE(TryAcquireInstanceLock(name), nullptr);
}

TEST(InstanceLock, HeldAgainstOtherUsers) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "switching users needs root";
    }
    const std::string name = Name("users");
    const std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(name);
    ASSERT_NE(lock, nullptr);
    const int code = RunInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            return 2;
        }
        return TryAcquireInstanceLock(name) ? 0 : 1;
    });
    EXPECT_EQ(code, 1) << "0: another user took a held lock";
}

}  // namespace
}  // namespace quellix::platform
