#include "platform/open_with_shell.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/program_runner.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

// A drive or UNC path takes Windows' separators; anything else (a URL above all) goes as it is.
std::wstring ShellTarget(const std::string& path) {
    std::wstring target = win32::Widen(path);
    const bool drive =
        target.size() >= 3 && target[1] == L':' && (target[2] == L'/' || target[2] == L'\\');
    const bool unc = target.size() >= 2 && (target[0] == L'/' || target[0] == L'\\') &&
                     (target[1] == L'/' || target[1] == L'\\');
    if (drive || unc) {
        for (wchar_t& c : target) {
            if (c == L'/') {
                c = L'\\';
            }
        }
    }
    return target;
}

}  // namespace

bool OpenWithShell(const std::string& path) {
    // Shell extensions that handle some documents are COM objects, which need COM on the thread.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // The shell starts the application and returns; nobody waits for it.
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", ShellTarget(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    // Up to 32 the result is an error code.
    return result > 32;
}

bool OpenInTextEditor(const std::string& path) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    const std::wstring notepad = std::wstring(folder, length) + L"\\NOTEPAD.EXE";
    // Quoted, so that a path with blanks reaches Notepad as one file name.
    std::wstring command = win32::QuotedCommandLine({notepad, ShellTarget(path)});
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(notepad.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return false;
    }
    // Nobody waits for the editor.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

}  // namespace quellix::platform
