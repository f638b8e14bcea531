#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quellix::platform::win32 {

// Owns a HANDLE; never holds INVALID_HANDLE_VALUE.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool Valid() const { return handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    HANDLE Release() {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset(HANDLE handle = nullptr) {
        if (handle_ != nullptr) {
            ::CloseHandle(handle_);
        }
        handle_ = handle;
    }

  private:
    HANDLE handle_ = nullptr;
};

// A single folder entry name in UTF-16, checked: "", ".", "..", and names holding "/", "\", ":"
// (which would open a stream) or NUL are refused with EINVAL, names past 255 units with
// ENAMETOOLONG.
class EntryName {
  public:
    explicit EntryName(std::string_view name);
    bool Valid() const { return error_ == 0; }
    int Error() const { return error_; }
    const std::wstring& Wide() const { return wide_; }

  private:
    std::wstring wide_;
    int error_ = 0;
};

// What a relative open asks for.
struct RelativeOpen {
    ACCESS_MASK access = FILE_READ_ATTRIBUTES;
    ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    ULONG disposition = 1;  // FILE_OPEN
    ULONG options = 0;      // FILE_DIRECTORY_FILE, FILE_NON_DIRECTORY_FILE...
    ULONG attributes = 0;   // for a file created
};

// Opens name inside the folder handle, never following a reparse point (the reparse point itself
// is opened). An empty name opens the folder itself again. Returns 0 or the error number.
int OpenRelative(HANDLE folder, const std::wstring& name, const RelativeOpen& how,
                 UniqueHandle* opened);

// Marks the open entry for removal (done when its last handle closes): 0 or the error number.
int MarkForRemoval(HANDLE entry, bool remove = true);

// As MarkForRemoval, also for a read-only file, which Linux removes like any other (the handle
// needs FILE_READ_ATTRIBUTES and FILE_WRITE_ATTRIBUTES too).
int MarkForRemovalEvenReadOnly(HANDLE entry);

// The path of an open entry as the system names it now, without the "\\?\" prefix ("C:\x\y").
// Empty when it cannot be told.
std::wstring FinalPath(HANDLE entry);

// Seconds since the Unix epoch of a FILETIME-style count of 100 ns since 1601.
std::int64_t UnixSecondsOf(std::int64_t fileTime);
// The 100 ns part beyond the whole seconds, in nanoseconds.
std::int64_t NanosecondsOf(std::int64_t fileTime);

}  // namespace quellix::platform::win32
