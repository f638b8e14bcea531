#include "platform/win32/shell_link.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cerrno>
#include <string>

#include "platform/win32/com_pointer.h"
#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
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

// The link's bytes, as IPersistFile would save them, built in memory.
int LinkBytes(const std::wstring& target, std::string* bytes) {
    const std::wstring shellTarget = ShellPath(target);
    ComPointer<IShellLinkW> link;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, link.Out());
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
    ComPointer<IPersistStream> persist;
    result = link->QueryInterface(IID_IPersistStream, persist.Out());
    if (FAILED(result)) {
        return ErrnoFromHresult(result);
    }
    ComPointer<IStream> stream;
    if (FAILED(result = ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
        FAILED(result = persist->Save(stream.Get(), TRUE))) {
        return ErrnoFromHresult(result);
    }
    ULARGE_INTEGER size{};
    HGLOBAL memory = nullptr;
    if (FAILED(result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size)) ||
        FAILED(result = ::GetHGlobalFromStream(stream.Get(), &memory))) {
        return ErrnoFromHresult(result);
    }
    const void* data = ::GlobalLock(memory);
    if (data == nullptr) {
        return ENOMEM;
    }
    bytes->assign(static_cast<const char*>(data), static_cast<std::size_t>(size.QuadPart));
    ::GlobalUnlock(memory);
    return 0;
}

}  // namespace

bool ShellLinkTargetFits(const std::wstring& target) {
    return ShellPath(target).size() < MAX_PATH;
}

int SaveShellLink(HANDLE folder, const std::wstring& name, const std::wstring& target) {
    thread_local const ComForThisThread com;
    if (!com.Usable()) {
        return EIO;
    }
    if (!ShellLinkTargetFits(target)) {
        return ENAMETOOLONG;
    }
    std::string bytes;
    if (const int error = LinkBytes(target, &bytes); error != 0) {
        return error;
    }
    // Made only if no entry has the name, so another one that appears meanwhile is never
    // overwritten; a link left half-written goes again.
    RelativeOpen how;
    how.access = GENERIC_WRITE | DELETE;
    how.share = 0;
    how.disposition = 2;  // FILE_CREATE
    how.options = FILE_NON_DIRECTORY_FILE;
    UniqueHandle file;
    if (const int error = OpenRelative(folder, name, how, &file); error != 0) {
        return error;
    }
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!::WriteFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                         &written, nullptr) ||
            written == 0) {
            const int error = LastErrno();
            MarkForRemoval(file.Get());
            return error;
        }
        done += written;
    }
    return 0;
}

}  // namespace quellix::platform::win32
