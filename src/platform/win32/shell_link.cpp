#include "platform/win32/shell_link.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cerrno>

#include "platform/win32/error_numbers.h"
#include "platform/win32/paths.h"

namespace quellix::platform::win32 {

namespace {

// COM stays initialized for the thread's lifetime: a purge writes many shortcuts.
class ComForThisThread {
  public:
    ComForThisThread()
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisThread() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;
    // Already initialized for the other threading model is as good.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

int ErrnoFromHresult(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_WIN32) {
        return ErrnoFromWin32(HRESULT_CODE(result));
    }
    return result == E_OUTOFMEMORY ? ENOMEM : EIO;
}

template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

int WriteLink(const std::wstring& linkPath, const std::wstring& target) {
    const std::wstring shellTarget = ShellPath(target);
    if (shellTarget.size() >= MAX_PATH) {
        return ENAMETOOLONG;
    }
    ComPointer<IShellLinkW> link;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, reinterpret_cast<void**>(link.Out()));
    if (FAILED(result)) {
        return ErrnoFromHresult(result);
    }
    if (FAILED(result = link->SetPath(shellTarget.c_str()))) {
        return ErrnoFromHresult(result);
    }
    // As Explorer makes them: the program opened from the link starts in the target's folder.
    if (const std::size_t separator = shellTarget.find_last_of(L'\\');
        separator != std::wstring::npos) {
        link->SetWorkingDirectory(shellTarget.substr(0, separator + 1).c_str());
    }
    ComPointer<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()));
    if (FAILED(result)) {
        return ErrnoFromHresult(result);
    }
    const std::wstring shellLinkPath = ShellPath(linkPath);
    const std::wstring& savePath = shellLinkPath.size() < MAX_PATH ? shellLinkPath : linkPath;
    result = file->Save(savePath.c_str(), TRUE);
    return FAILED(result) ? ErrnoFromHresult(result) : 0;
}

}  // namespace

int SaveShellLink(const std::wstring& linkPath, const std::wstring& target) {
    thread_local const ComForThisThread com;
    if (!com.Usable()) {
        return EIO;
    }
    // Saving replaces whatever has the name: the name is claimed first, by a file made only if
    // none is there, so another one that appears meanwhile is never overwritten.
    HANDLE claim = ::CreateFileW(linkPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (claim == INVALID_HANDLE_VALUE) {
        return LastErrno();
    }
    ::CloseHandle(claim);
    const int error = WriteLink(linkPath, target);
    if (error != 0) {
        ::DeleteFileW(linkPath.c_str());
    }
    return error;
}

}  // namespace quellix::platform::win32
