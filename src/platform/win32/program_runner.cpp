#include "platform/program_runner.h"

#include <windows.h>

#include <cwctype>
#include <optional>

#include "platform/win32/program_runner.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace win32 {

namespace {

// The rule the parsers share: backslashes are literal unless they stand before a quote, where
// each pair gives one backslash and an odd one escapes the quote.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            line.append(backslashes * 2 + 1, L'\\');
        } else {
            line.append(backslashes, L'\\');
        }
        backslashes = 0;
        line += c;
    }
    // Doubled before the closing quote, which must stay a quote.
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

}  // namespace

std::wstring QuotedCommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i == 0) {
            // The program's name ends at the next quote when quoted, else at a blank: no escape.
            line += L'"' + arguments[0] + L'"';
        } else {
            line += L' ';
            AppendQuoted(line, arguments[i]);
        }
    }
    return line;
}

}  // namespace win32

namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HasExtension(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    return dot != std::wstring::npos && name.find_first_of(L"\\/", dot) == std::wstring::npos;
}

// A name without a folder is looked up on PATH only, as on Linux: never in the current folder,
// where anyone who may write there could plant a program of the same name.
std::optional<std::wstring> ProgramPath(const std::wstring& program) {
    const std::wstring withExe = HasExtension(program) ? program : program + L".exe";
    if (program.find_first_of(L"\\/:") != std::wstring::npos) {
        if (IsFile(program)) {
            return program;
        }
        return IsFile(withExe) ? std::optional<std::wstring>(withExe) : std::nullopt;
    }
    const DWORD size = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    path.resize(::GetEnvironmentVariableW(L"PATH", path.data(), size));
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        std::wstring folder = path.substr(start, end - start);
        start = end + 1;
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (folder.empty()) {
            continue;
        }
        if (folder.back() != L'\\' && folder.back() != L'/') {
            folder += L'\\';
        }
        for (const std::wstring& name : {program, withExe}) {
            if (IsFile(folder + name)) {
                return folder + name;
            }
        }
    }
    return std::nullopt;
}

// The system runs a batch file through cmd.exe, which reads the arguments again by its own rules
// ("&", "|", "%" included): that would be a shell.
bool IsBatchFile(const std::wstring& path) {
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos) {
        return false;
    }
    std::wstring extension = path.substr(dot);
    for (wchar_t& c : extension) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return extension == L".bat" || extension == L".cmd";
}

struct OwnedHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~OwnedHandle() {
        if (handle != INVALID_HANDLE_VALUE && handle != nullptr) {
            ::CloseHandle(handle);
        }
    }
};

}  // namespace

int RunProgram(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return -1;
    }
    std::vector<std::wstring> wide;
    for (const std::string& argument : arguments) {
        wide.push_back(win32::Widen(argument));
    }
    // A quote in the program's name cannot be passed on, and a NUL would end the command line.
    if (wide[0].find(L'"') != std::wstring::npos) {
        return -1;
    }
    for (const std::wstring& argument : wide) {
        if (argument.find(L'\0') != std::wstring::npos) {
            return -1;
        }
    }
    const std::optional<std::wstring> program = ProgramPath(wide[0]);
    if (!program || IsBatchFile(*program)) {
        return -1;
    }
    std::wstring commandLine = win32::QuotedCommandLine(wide);

    // Standard input, output and error on NUL; they are the only handles the child inherits.
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnedHandle input{::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inheritable, OPEN_EXISTING, 0, nullptr)};
    OwnedHandle output{::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inheritable, OPEN_EXISTING, 0, nullptr)};
    if (input.handle == INVALID_HANDLE_VALUE || output.handle == INVALID_HANDLE_VALUE) {
        return -1;
    }
    HANDLE inherited[] = {input.handle, output.handle};
    SIZE_T listSize = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    std::vector<unsigned char> listMemory(listSize);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listMemory.data());
    const bool listReady =
        ::InitializeProcThreadAttributeList(list, 1, 0, &listSize) &&
        ::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                    sizeof inherited, nullptr, nullptr);
    if (!listReady) {
        return -1;
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.handle;
    startup.StartupInfo.hStdOutput = output.handle;
    startup.StartupInfo.hStdError = output.handle;
    startup.lpAttributeList = list;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(
        program->c_str(), commandLine.data(), nullptr, nullptr, TRUE,
        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT, nullptr,
        nullptr, &startup.StartupInfo, &process);
    ::DeleteProcThreadAttributeList(list);
    if (!started) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = 0;
    const bool ended = ::WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    // An exception that ended the process leaves its NTSTATUS (0xC0000005...) as exit code: the
    // counterpart of a signal.
    if (!ended || code >= 0x80000000U) {
        return -1;
    }
    return static_cast<int>(code);
}

}  // namespace quellix::platform
