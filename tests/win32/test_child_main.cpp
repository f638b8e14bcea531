// Another process for the tests that need one; not a test itself.
//   test_child lock FILE: takes the instance lock of FILE and ends without ever letting it go, as
//     a crash would; exit code 3 when it got the lock, 4 when it was refused.
//   test_child echo FILE ARG...: writes each ARG as the system's parser read it, each ended by a
//     NUL, into FILE, and exits with 40 plus their count.
//   test_child recycle FILE: sends FILE to the Recycle Bin as the purge does, from a fresh shell
//     that has not met the bin yet; exits with the error number, plus 256 when the shell's
//     operation was aborted, plus 512 when it returned non-zero.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/instance_lock.h"
#include "platform/win32/trash.h"
#include "platform/win32/wide_text.h"

int main() {
    using namespace quellix::platform;
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count < 3) {
        return 2;
    }
    const std::wstring mode = arguments[1];
    const std::string file = win32::Narrow(arguments[2]);
    if (mode == L"lock") {
        const std::unique_ptr<InstanceLock> lock = TryAcquireInstanceLock(file);
        ::TerminateProcess(::GetCurrentProcess(), lock ? 3 : 4);
    }
    if (mode == L"echo") {
        std::ofstream out(std::filesystem::path(arguments[2]), std::ios::binary);
        for (int i = 3; i < count; ++i) {
            out << win32::Narrow(arguments[i]) << '\0';
        }
        return 40 + count - 3;
    }
    if (mode == L"recycle") {
        const std::wstring path = arguments[2];
        const std::size_t separator = path.find_last_of(L"\\/");
        const win32::RecycleOutcome outcome =
            win32::RecycleEntry(win32::SystemPath(win32::Narrow(path.substr(0, separator))),
                                path.substr(separator + 1));
        return outcome.error + (outcome.aborted != 0 ? 256 : 0) +
               (outcome.shellResult != 0 ? 512 : 0);
    }
    return 2;
}
