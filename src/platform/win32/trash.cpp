#include "platform/trash.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "platform/companion_files.h"
#include "platform/directory.h"
#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/paths.h"
#include "platform/win32/recycle_rule.h"
#include "platform/win32/trash.h"
#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace win32 {

namespace {

constexpr std::wstring_view kPoliciesKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr std::wstring_view kBinSettingsKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume";

bool IsSingleName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos;
}

// A second name for the file, in its own folder, under the name of the program's temporaries.
std::wstring GuardName(const std::wstring& name) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string guard = TemporaryNameTemplate(Narrow(name));
    for (std::size_t i = guard.size() - 6; i < guard.size(); ++i) {
        guard[i] = kLetters[random() % (sizeof(kLetters) - 1)];
    }
    return Widen(guard);
}

std::optional<DWORD> LinkCount(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    return known ? std::optional<DWORD>(info.nNumberOfLinks) : std::nullopt;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The root of the volume that holds the entry at systemPath, as the shell names it: "C:\",
// "\\server\share\" or the folder a volume is mounted on; empty when unknown.
std::wstring VolumeRootOf(const std::wstring& systemPath) {
    std::vector<wchar_t> root(systemPath.size() + 2);
    if (!::GetVolumePathNameW(systemPath.c_str(), root.data(), static_cast<DWORD>(root.size()))) {
        return {};
    }
    return ShellPath(root.data());
}

// A setting of the volume's bin as the shell keeps it for the user, where it was ever set.
std::optional<DWORD> BinSetting(const std::wstring& volumeRoot, const wchar_t* value) {
    wchar_t volumeName[64] = {};
    if (volumeRoot.empty() ||
        !::GetVolumeNameForVolumeMountPointW(volumeRoot.c_str(), volumeName, 64)) {
        return std::nullopt;
    }
    const std::wstring_view name(volumeName);  // "\\?\Volume{GUID}\"
    const std::size_t open = name.find(L'{');
    const std::size_t close = name.find(L'}');
    if (open == std::wstring_view::npos || close == std::wstring_view::npos || close < open) {
        return std::nullopt;
    }
    const std::wstring key =
        std::wstring(kBinSettingsKey) + L"\\" + std::wstring(name.substr(open, close - open + 1));
    DWORD data = 0;
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return data;
}

// The policy "Do not move deleted files to the Recycle Bin", for the user or the machine.
bool RecyclingForbiddenByPolicy() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD data = 0;
        DWORD size = sizeof data;
        if (::RegGetValueW(root, kPoliciesKey.data(), L"NoRecycleFiles", RRF_RT_REG_DWORD, nullptr,
                           &data, &size) == ERROR_SUCCESS &&
            data != 0) {
            return true;
        }
    }
    return false;
}

RecycleFacts FactsOf(const std::wstring& systemPath, const std::wstring& shellPath,
                     const WIN32_FILE_ATTRIBUTE_DATA& data) {
    RecycleFacts facts;
    const std::wstring root = VolumeRootOf(systemPath);
    facts.driveType = root.empty() ? DRIVE_UNKNOWN : ::GetDriveTypeW(root.c_str());
    facts.shellPathLength = shellPath.size();
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        facts.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }
    if (const auto nuke = BinSetting(root, L"NukeOnDelete")) {
        facts.nukeOnDelete = *nuke != 0;
    }
    if (RecyclingForbiddenByPolicy()) {
        facts.nukeOnDelete = true;
    }
    if (const auto capacity = BinSetting(root, L"MaxCapacity")) {
        facts.maxCapacityMegabytes = *capacity;
    }
    return facts;
}

// Only fixed drives have a bin: on removable and network ones the shell deletes for good.
std::optional<long long> ItemsInBin(const std::wstring& systemPath) {
    const std::wstring root = VolumeRootOf(systemPath);
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (root.empty() || ::GetDriveTypeW(root.c_str()) != DRIVE_FIXED ||
        FAILED(::SHQueryRecycleBinW(root.c_str(), &info))) {
        return std::nullopt;
    }
    return info.i64NumItems;
}

// Asked to warn before deleting for good what its bin cannot take, the shell opens a question
// instead; its window is refused before it appears, which the shell takes for "no". Only a
// dialog's top-level window is refused: the shell's hidden helper windows are let be.
class QuestionsAnsweredNo {
  public:
    QuestionsAnsweredNo()
        : hook_(::SetWindowsHookExW(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~QuestionsAnsweredNo() {
        if (hook_ != nullptr) {
            ::UnhookWindowsHookEx(hook_);
        }
    }
    QuestionsAnsweredNo(const QuestionsAnsweredNo&) = delete;
    QuestionsAnsweredNo& operator=(const QuestionsAnsweredNo&) = delete;
    bool Active() const { return hook_ != nullptr; }

  private:
    static LRESULT CALLBACK Refuse(int code, WPARAM window, LPARAM details) {
        if (code == HCBT_CREATEWND) {
            const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(details)->lpcs;
            wchar_t className[16] = {};
            if ((created->style & WS_CHILD) == 0 &&
                ::GetClassNameW(reinterpret_cast<HWND>(window), className, 16) > 0 &&
                std::wstring_view(className) == L"#32770") {
                return 1;
            }
        }
        return ::CallNextHookEx(nullptr, code, window, details);
    }

    HHOOK hook_;
};

RecycleOutcome ShellDelete(const std::wstring& path) {
    // Without a way to answer its question, the shell is not asked: the question would wait for
    // a user who may not be there.
    const QuestionsAnsweredNo answers;
    if (!answers.Active()) {
        return {LastErrno(), 0, 0};
    }
    std::wstring from = path;
    from += L'\0';  // the list ends with a second NUL
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_WANTNUKEWARNING | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    RecycleOutcome outcome;
    outcome.shellResult = ::SHFileOperationW(&operation);
    outcome.aborted = operation.fAnyOperationsAborted ? 1 : 0;
    if (outcome.shellResult != 0) {
        // Mostly Windows error codes; the shell's own DE_ codes (0x71 to 0xB7, 0x402...) are not.
        outcome.error = outcome.shellResult < 0x71 || outcome.shellResult > 0x402
                            ? ErrnoFromWin32(static_cast<unsigned long>(outcome.shellResult))
                            : EIO;
    } else if (outcome.aborted != 0) {
        outcome.error = ECANCELED;
    }
    return outcome;
}

// The guard shares the file's attributes: a read-only file's second name can only go once the
// flag is off (which the copy in the bin then shows too).
void RemoveGuard(const std::wstring& guard) {
    if (::DeleteFileW(guard.c_str())) {
        return;
    }
    const DWORD attributes = ::GetFileAttributesW(guard.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        ::SetFileAttributesW(guard.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})) {
        ::DeleteFileW(guard.c_str());
    }
}

// The shell "recycles" a file it cannot keep by deleting it for good, and says it succeeded. A
// second name made first keeps the data: the bin took the file when it still has as many names
// as before (the bin's copy on the same volume is the same file), else the file is brought back.
RecycleOutcome RecycleGuarded(const std::wstring& folder, const std::wstring& name,
                              const std::wstring& guard, DWORD links) {
    const std::wstring path = folder + name;
    RecycleOutcome outcome = ShellDelete(path);
    const bool gone = !Exists(path);
    if (gone && LinkCount(guard) == links) {
        RemoveGuard(guard);
        outcome.error = 0;
        return outcome;
    }
    if (!gone) {
        RemoveGuard(guard);
        if (outcome.error == 0) {
            outcome.error = EIO;
        }
        return outcome;
    }
    outcome.error = ::MoveFileExW(guard.c_str(), path.c_str(), 0) ? ENOENT : LastErrno();
    return outcome;
}

// Where no second name can be made (FAT volumes, folders), the bin's count must grow by the
// entry; a volume without a bin, or one that cannot be counted, is not trusted with it.
RecycleOutcome RecycleCounted(const std::wstring& systemPath, const std::wstring& path) {
    const std::optional<long long> before = ItemsInBin(systemPath);
    if (!before) {
        return {ENOTSUP, 0, 0};
    }
    RecycleOutcome outcome = ShellDelete(path);
    if (outcome.error == 0 && (Exists(path) || ItemsInBin(systemPath).value_or(0) <= *before)) {
        outcome.error = ENOENT;
    }
    return outcome;
}

}  // namespace

RecycleOutcome RecycleEntry(const std::wstring& folderPath, const std::wstring& name) {
    if (!IsSingleName(name)) {
        return {EINVAL, 0, 0};
    }
    std::wstring folder = ShellPath(folderPath);
    if (folder.empty()) {
        return {EINVAL, 0, 0};
    }
    if (folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    const std::wstring path = folder + name;
    const std::wstring systemPath = SystemPath(Narrow(path));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(systemPath.c_str(), GetFileExInfoStandard, &data)) {
        return {LastErrno(), 0, 0};
    }
    // What the shell would delete for good is not handed to it.
    if (const RecycleRefusal refusal = RefusalFor(FactsOf(systemPath, path, data));
        refusal != RecycleRefusal::None) {
        return {ErrnoOf(refusal), 0, 0};
    }
    const bool plainFile =
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    const std::wstring guard = folder + GuardName(name);
    if (plainFile && guard.size() < MAX_PATH &&
        ::CreateHardLinkW(guard.c_str(), path.c_str(), nullptr)) {
        if (const std::optional<DWORD> links = LinkCount(guard)) {
            return RecycleGuarded(folder, name, guard, *links);
        }
        RemoveGuard(guard);
        return {EIO, 0, 0};
    }
    return RecycleCounted(systemPath, path);
}

}  // namespace win32

// No freedesktop trash: the Recycle Bin is the shell's.
std::string HomeTrashPath() {
    return {};
}

bool IsTopdirTrashName(std::string_view name) {
    for (const std::string_view bin : {"$Recycle.Bin", "RECYCLER", "RECYCLED"}) {
        if (name.size() == bin.size() &&
            std::equal(name.begin(), name.end(), bin.begin(), [](char a, char b) {
                return std::towlower(static_cast<unsigned char>(a)) ==
                       std::towlower(static_cast<unsigned char>(b));
            })) {
            return true;
        }
    }
    return false;
}

// The bin records the original path and the time of deletion itself.
int MoveToTrash(const Directory& folder, std::string_view name, const std::string&, std::int64_t,
                TrashFailure* failure, TrashPlace*) {
    // The folder the handle holds, wherever it has been moved since it was opened.
    const std::wstring folderPath = win32::FinalPath(folder.Descriptor());
    win32::RecycleOutcome outcome;
    if (folderPath.empty()) {
        outcome.error = win32::LastErrno();
    } else {
        outcome = win32::RecycleEntry(folderPath, win32::Widen(name));
    }
    // When the shell said it succeeded but the bin does not hold the file, the shell's zeros
    // would hide the failure: the error number stands in for them.
    if (failure != nullptr) {
        const bool shellFailed = outcome.shellResult != 0 || outcome.aborted != 0;
        *failure = shellFailed ? TrashFailure{outcome.shellResult, outcome.aborted}
                               : TrashFailure{outcome.error, 0};
    }
    return outcome.error;
}

}  // namespace quellix::platform
