#include "platform/process_info.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
// clang-format on

#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

std::wstring ModuleFileName() {
    // The function cuts the name to the buffer without saying how long it is: grow until it fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path))) {
        result = win32::Narrow(path);
    }
    ::CoTaskMemFree(path);
    return result;
}

bool IsAbsoluteWindowsPath(const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                     (path[1] == '\\' || path[1] == '/');
    return drive || unc;
}

// Windows has no user ids; the core asks only whether the process has the system's full rights,
// which is what an elevated administrator (or the LocalSystem account of a service) has.
unsigned PrivilegeId() {
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        return 1;
    }
    // In a token that UAC filtered the group is deny-only, which does not count as membership.
    BOOL member = FALSE;
    if (!::CheckTokenMembership(nullptr, administrators, &member)) {
        member = FALSE;
    }
    ::FreeSid(administrators);
    return member ? 0 : 1;
}

}  // namespace

std::string ExecutablePath() {
    return win32::Narrow(ModuleFileName());
}

std::string ExecutableDirectory() {
    const std::string path = ExecutablePath();
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    const std::wstring wideName = win32::Widen(name);
    std::wstring value(256, L'\0');
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                       static_cast<DWORD>(value.size()));
        // 0 is both "not set" and "set to the empty text"; only the error tells them apart.
        if (length == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        if (length < value.size()) {
            value.resize(length);
            return win32::Narrow(value);
        }
        value.resize(length);  // the size needed, terminator included
    }
}

unsigned CurrentUserId() {
    return PrivilegeId();
}

unsigned EffectiveUserId() {
    return PrivilegeId();
}

std::string HomeDirectory() {
    if (const std::optional<std::string> profile = EnvironmentVariable("USERPROFILE");
        profile && !profile->empty()) {
        return *profile;
    }
    return KnownFolder(FOLDERID_Profile);
}

std::string UserConfigHome() {
    if (const std::optional<std::string> appData = EnvironmentVariable("APPDATA");
        appData && IsAbsoluteWindowsPath(*appData)) {
        return *appData;
    }
    return KnownFolder(FOLDERID_RoamingAppData);
}

std::string UserStateHome() {
    return {};
}

}  // namespace quellix::platform
