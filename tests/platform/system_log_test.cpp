#include "platform/system_log.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::Child;
using test::TempDir;

constexpr int kCannotIsolate = 77;

struct Entry {
    LogSeverity severity;
    std::string text;
};

bool WriteTo(const char* path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    file.flush();
    return file.good();
}

// Without privileges a mount namespace needs a user namespace; the own ids must be mapped in it,
// or the new /dev refuses to create the socket.
bool EnterUserNamespace() {
    const std::string uid = std::to_string(::getuid());
    const std::string gid = std::to_string(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
           WriteTo("/proc/self/uid_map", "0 " + uid + " 1") &&
           WriteTo("/proc/self/setgroups", "deny") &&
           WriteTo("/proc/self/gid_map", "0 " + gid + " 1");
}

// Sends the entries from a child whose /dev/log is a socket of its own, in a private mount
// namespace, and stores each received datagram in the file out, one per line pair
// "<size>\n<bytes>".
int LogInIsolation(const std::vector<Entry>& entries, const std::string& out) {
    if (::unshare(CLONE_NEWNS) != 0 && !EnterUserNamespace()) {
        return kCannotIsolate;
    }
    // Without this the tmpfs below would also appear over the machine's /dev.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", "/dev", "tmpfs", 0, nullptr) != 0) {
        return kCannotIsolate;
    }
    const int log = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "/dev/log");
    if (log < 0 || ::bind(log, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return 2;
    }
    std::ofstream file(out, std::ios::binary);
    std::string buffer(65536, '\0');
    for (const Entry& entry : entries) {
        WriteSystemLog("quellix-test", entry.severity, entry.text);
        const ssize_t got = ::recv(log, buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (got < 0) {
            return 3;
        }
        file << got << '\n' << buffer.substr(0, static_cast<std::size_t>(got));
    }
    return file.good() ? 0 : 4;
}

std::vector<std::string> ReadDatagrams(const std::string& text) {
    std::vector<std::string> datagrams;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t newline = text.find('\n', at);
        const std::size_t size = std::stoul(text.substr(at, newline - at));
        datagrams.push_back(text.substr(newline + 1, size));
        at = newline + 1 + size;
    }
    return datagrams;
}

TEST(WriteSystemLog, SendsSeverityIdentityAndTextVerbatim) {
    const std::vector<Entry> entries = {
        {LogSeverity::Error, "disk full"},
        {LogSeverity::Warning, "100% of %s %n %x used\nsecond line"},
        {LogSeverity::Information, std::string("before\0after", 12)},
    };
    TempDir dir;
    const std::string out = dir.File("datagrams");
    Child child([&] { return LogInIsolation(entries, out); });
    const pid_t pid = child.Pid();
    const int code = child.Wait();
    if (code == kCannotIsolate) {
        GTEST_SKIP() << "cannot give the test its own /dev/log here";
    }
    ASSERT_EQ(code, 0) << "2: no socket, 3: nothing received, 4: not stored";

    const std::vector<std::string> datagrams = ReadDatagrams(dir.Read("datagrams"));
    ASSERT_EQ(datagrams.size(), 3u);
    // User facility (8) plus the severity.
    EXPECT_EQ(datagrams[0].rfind("<11>", 0), 0u) << datagrams[0];
    EXPECT_EQ(datagrams[1].rfind("<12>", 0), 0u) << datagrams[1];
    EXPECT_EQ(datagrams[2].rfind("<14>", 0), 0u) << datagrams[2];

    const std::string prefix = "quellix-test[" + std::to_string(pid) + "]: ";
    EXPECT_NE(datagrams[0].find(prefix + "disk full"), std::string::npos) << datagrams[0];
    EXPECT_NE(datagrams[1].find(prefix + entries[1].text), std::string::npos) << datagrams[1];
    EXPECT_NE(datagrams[2].find(prefix + "before\\0after"), std::string::npos) << datagrams[2];
}

}  // namespace
}  // namespace quellix::platform
