#include <windows.h>

#include <random>
#include <string>

#include "platform/companion_files.h"
#include "platform/file_system.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/paths.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::UniqueHandle;

constexpr int kNameAttempts = 100;

// The X of the template filled in as mkstemp does.
std::wstring RandomName(const std::string& nameTemplate, std::mt19937& random) {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string name = nameTemplate;
    for (std::size_t i = name.rfind("XXXXXX"); i < name.size(); ++i) {
        name[i] = kAlphabet[pick(random)];
    }
    return win32::Widen(name);
}

// A new file under a fresh name from nameTemplate in folder; *path gets its system path.
UniqueHandle CreateTemporary(const std::wstring& folder, const std::string& nameTemplate,
                             std::wstring* path) {
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *path = win32::SystemPath(
            win32::Narrow(win32::JoinPath(folder, RandomName(nameTemplate, random))));
        UniqueHandle file(::CreateFileW(path->c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid() || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return {};
}

bool WriteAll(HANDLE file, const std::string& contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, contents.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Windows refuses to replace a read-only file, which Linux replaces like any other: the
// attribute is lifted for the replacement and comes back on the new file (or on the old one when
// the replacement fails).
class ReadOnlyLift {
  public:
    ReadOnlyLift(const std::wstring& path, DWORD attributes)
        : path_(path), attributes_(attributes) {
        if (Lifted()) {
            const DWORD rest = attributes & ~FILE_ATTRIBUTE_READONLY;
            ::SetFileAttributesW(path.c_str(), rest != 0 ? rest : FILE_ATTRIBUTE_NORMAL);
        }
    }
    void Restore() const {
        if (Lifted()) {
            ::SetFileAttributesW(path_.c_str(), attributes_);
        }
    }

  private:
    bool Lifted() const {
        return attributes_ != INVALID_FILE_ATTRIBUTES &&
               (attributes_ & FILE_ATTRIBUTE_READONLY) != 0;
    }
    std::wstring path_;
    DWORD attributes_;
};

void SetReadOnly(const std::wstring& path, bool readOnly) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    DWORD wanted =
        readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~FILE_ATTRIBUTE_READONLY;
    if (wanted != attributes) {
        ::SetFileAttributesW(path.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
}

// MoveFileExW rather than ReplaceFileW: Wine's ReplaceFileW leaves a temporary of its own behind
// when it fails. The new file takes the folder's inherited access list.
bool PutInPlace(const std::wstring& temporary, const std::wstring& target) {
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

// Windows has no permission bits: mode decides the read-only attribute (no owner write bit), and
// the old file's attributes are kept otherwise.
bool ReplaceFileContents(const std::string& path, const std::string& contents,
                         std::optional<unsigned> mode) {
    const std::wstring written = win32::WrittenPath(path);
    const win32::PathParts parts = win32::SplitLastComponent(written);
    if (written.empty() || parts.name.empty()) {
        return false;
    }
    const std::wstring target = win32::SystemPath(win32::Narrow(written));
    const DWORD oldAttributes = ::GetFileAttributesW(target.c_str());
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    // Putting a file in place of a folder or device would change what the path is.
    if (exists && (oldAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return false;
    }

    std::wstring temporary;
    UniqueHandle file =
        CreateTemporary(parts.folder, TemporaryNameTemplate(win32::Narrow(parts.name)), &temporary);
    if (!file.Valid()) {
        return false;
    }
    const bool ok = WriteAll(file.Get(), contents) && ::FlushFileBuffers(file.Get());
    file.Reset();
    const ReadOnlyLift lift(target, exists ? oldAttributes : INVALID_FILE_ATTRIBUTES);
    if (!ok || !PutInPlace(temporary, target)) {
        lift.Restore();
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    const bool readOnly =
        mode ? (*mode & 0200) == 0 : exists && (oldAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    SetReadOnly(target, readOnly);
    return true;
}

}  // namespace quellix::platform
