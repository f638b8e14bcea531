#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/service/windows_command_line.h"
#include "platform/win32/wide_text.h"

namespace quellix::test {

// Runs the program with these arguments to its end; its exit code, or -1.
inline int RunQuellix(const std::string& exe, const std::vector<std::string>& arguments) {
    std::vector<std::string> line{exe};
    line.insert(line.end(), arguments.begin(), arguments.end());
    std::wstring command = platform::win32::Widen(WindowsCommandLine(line));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(platform::win32::Widen(exe).c_str(), command.data(), nullptr, nullptr,
                          FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    }
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Runs the program to its end with its standard output and error captured together.
struct QuellixOutput {
    int code = -1;
    std::string text;
};
inline QuellixOutput RunQuellixOutput(const std::string& exe,
                                      const std::vector<std::string>& arguments) {
    std::vector<std::string> line{exe};
    line.insert(line.end(), arguments.begin(), arguments.end());
    std::wstring command = platform::win32::Widen(WindowsCommandLine(line));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    QuellixOutput result;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return result;
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const bool started =
        ::CreateProcessW(platform::win32::Widen(exe).c_str(), command.data(), nullptr, nullptr,
                         TRUE, 0, nullptr, nullptr, &startup, &process) != FALSE;
    ::CloseHandle(writeEnd);
    if (started) {
        // Read until the program has ended and its output is drained, not until the pipe
        // closes: a helper Wine starts on the program's behalf (the desktop's explorer.exe,
        // rpcss.exe) may inherit the pipe and keep it open for the whole session.
        const auto drain = [&] {
            char buffer[4096];
            DWORD waiting = 0;
            DWORD got = 0;
            while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr) &&
                   waiting > 0 && ::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) &&
                   got > 0) {
                result.text.append(buffer, got);
            }
        };
        DWORD code = static_cast<DWORD>(-1);
        bool ended = false;
        for (int waited = 0; waited < 20000 && !ended; waited += 20) {
            drain();
            ended = ::WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0;
        }
        drain();
        if (ended) {
            ::GetExitCodeProcess(process.hProcess, &code);
        }
        result.code = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return result;
}

inline std::string Backslashed(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

inline void WriteDatedFile(const std::string& path, int hoursAgo) {
    const HANDLE file = ::CreateFileW(platform::win32::Widen(path).c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart -= static_cast<ULONGLONG>(hoursAgo) * 3600 * 10000000;
    const FILETIME dated{ticks.LowPart, ticks.HighPart};
    ::SetFileTime(file, &dated, &dated, &dated);
    ::CloseHandle(file);
}

}  // namespace quellix::test
