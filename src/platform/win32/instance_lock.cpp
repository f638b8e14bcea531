#include "platform/instance_lock.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include "platform/common/name_hash.h"
#include "platform/win32/instance_lock.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

// Where the links to the entry lead; empty when it cannot be opened.
std::wstring FinalPath(const std::wstring& path) {
    const win32::UniqueHandle entry(
        ::CreateFileW(win32::SystemPath(win32::Narrow(path)).c_str(), 0,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return entry.Valid() ? win32::FinalPath(entry.Get()) : std::wstring();
}

// The file the configuration's writes land on; the file itself need not exist yet.
std::wstring LockedPath(const std::string& configPath) {
    std::wstring full = FullPath(win32::Widen(configPath));
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) {
        full.pop_back();
    }
    if (std::wstring final = FinalPath(full); !final.empty()) {
        return final;
    }
    const std::size_t separator = full.find_last_of(L'\\');
    if (separator != std::wstring::npos && separator > 0) {
        if (std::wstring folder = FinalPath(full.substr(0, separator + 1)); !folder.empty()) {
            if (folder.back() != L'\\') {
                folder += L'\\';
            }
            return folder + full.substr(separator + 1);
        }
    }
    return full;
}

// Names differ only in letter case on Windows' file systems; their upper-case table is the
// invariant one.
std::wstring CaseFolded(const std::wstring& path) {
    if (path.empty()) {
        return path;
    }
    const int size =
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.c_str(),
                        static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr, 0);
    std::wstring folded(static_cast<std::size_t>(size), L'\0');
    if (size == 0 || ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.c_str(),
                                     static_cast<int>(path.size()), folded.data(), size, nullptr,
                                     nullptr, 0) != size) {
        return path;
    }
    return folded;
}

bool OnRemoteVolume(const std::wstring& path) {
    if (path.starts_with(L"\\\\")) {
        return true;
    }
    if (path.size() < 2 || path[1] != L':') {
        return false;
    }
    const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
    return ::GetDriveTypeW(root) == DRIVE_REMOTE;
}

// The copy holds the mutex for as long as its handle is open. Being held is the mutex's existing
// at all, not its ownership: ownership belongs to a thread, is recursive (a second lock in the
// same thread would be granted) and is abandoned when that thread ends while the process goes
// on. The system closes the handles of a process however it ends, and the last handle closed
// removes the name: a crashed copy never blocks.
class NamedMutexLock final : public InstanceLock {
  public:
    NamedMutexLock(HANDLE mutex, bool excludesEveryWriter)
        : mutex_(mutex), excludesEveryWriter_(excludesEveryWriter) {}
    ~NamedMutexLock() override { ::CloseHandle(mutex_); }
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;
    // Copies on other machines that reach the file through a share are not seen.
    bool ExcludesEveryWriter() const override { return excludesEveryWriter_; }

  private:
    HANDLE mutex_;
    bool excludesEveryWriter_;
};

}  // namespace

namespace win32 {

std::wstring InstanceMutexName(const std::string& configPath) {
    // Global: the service runs in session 0 and the user's copies in their own sessions, and all
    // of them write the same configuration file.
    return L"Global\\Quellix-" + Widen(HashedName(Narrow(CaseFolded(LockedPath(configPath)))));
}

}  // namespace win32

std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& configPath) {
    const std::wstring name = win32::InstanceMutexName(configPath);
    // Every user's copy may open the name (and so see it is taken); only the system and the
    // administrators may change who may.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;OW)(A;;0x00100001;;;AU)", SDDL_REVISION_1,
            &descriptor, nullptr)) {
        descriptor = nullptr;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    ::SetLastError(ERROR_SUCCESS);
    HANDLE mutex = ::CreateMutexExW(descriptor != nullptr ? &attributes : nullptr, name.c_str(), 0,
                                    SYNCHRONIZE | MUTEX_MODIFY_STATE);
    const DWORD error = ::GetLastError();
    ::LocalFree(descriptor);
    if (mutex == nullptr) {
        // Taken by a copy of a user who may not even open it, or another kind of object that has
        // the name: never ours.
        return nullptr;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<NamedMutexLock>(mutex, !OnRemoteVolume(LockedPath(configPath)));
}

}  // namespace quellix::platform
