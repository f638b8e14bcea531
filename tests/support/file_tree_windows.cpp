#include <windows.h>

#include <filesystem>
#include <stdexcept>

#include "support/file_tree.h"

namespace quellix::test {

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const std::string& text) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

FILETIME FileTimeOf(std::int64_t seconds) {
    const auto ticks = static_cast<std::uint64_t>((seconds + 11644473600LL) * 10000000LL);
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

}  // namespace

void FileTree::Link(const std::string& relative, const std::string& target, std::int64_t date) {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    const DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    // Wine answers TRUE and makes nothing: only a link that is there counts.
    if (!::CreateSymbolicLinkW(Wide(Path(relative)).c_str(), Wide(target).c_str(), flags) ||
        !IsLink(relative)) {
        throw std::runtime_error("cannot make a symbolic link");
    }
    SetTimes(relative, date, date);
}

void FileTree::Fifo(const std::string&, std::int64_t) {
    throw std::runtime_error("Windows has no FIFOs in its file systems");
}

// The creation time goes back with the other dates, never forward: a file made long ago and
// written since keeps its old creation date.
void FileTree::SetTimes(const std::string& relative, std::int64_t modified, std::int64_t accessed) {
    const HANDLE file = ::CreateFileW(
        Wide(Path(relative)).c_str(), FILE_WRITE_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + Path(relative));
    }
    FILETIME created = FileTimeOf(std::min(modified, accessed));
    FILETIME current{};
    if (::GetFileTime(file, &current, nullptr, nullptr) &&
        ::CompareFileTime(&current, &created) < 0) {
        created = current;
    }
    const FILETIME lastAccess = FileTimeOf(accessed);
    const FILETIME lastWrite = FileTimeOf(modified);
    const bool set = ::SetFileTime(file, &created, &lastAccess, &lastWrite) != 0;
    ::CloseHandle(file);
    if (!set) {
        throw std::runtime_error("cannot set the times of " + Path(relative));
    }
}

void FileTree::MakeReadOnly(const std::string& relative) {
    const DWORD attributes = Attributes(Path(relative));
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !::SetFileAttributesW(Wide(Path(relative)).c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
        throw std::runtime_error("cannot make " + Path(relative) + " read-only");
    }
}

bool FileTree::IsReadOnly(const std::string& relative) const {
    const DWORD attributes = Attributes(Path(relative));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace quellix::test
