#include "platform/trash.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>

#include "platform/process_info.h"
#include "platform/win32/recycle_rule.h"
#include "platform/win32/trash.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "win32/test_child.h"

namespace quellix::platform {
namespace {

// Wine keeps the Recycle Bin in the freedesktop trash of $XDG_DATA_HOME, which wine-run.sh puts
// in the build folder; Z: is Wine's view of "/".
std::string WineTrashFolder() {
    const std::optional<std::string> data = EnvironmentVariable("XDG_DATA_HOME");
    return data && data->starts_with("/") ? "Z:" + *data + "/Trash" : std::string();
}

std::vector<std::string> Difference(std::vector<std::string> after,
                                    const std::vector<std::string>& before) {
    std::vector<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    return added;
}

class WindowsRecycleBin : public ::testing::Test {
  protected:
    void SetUp() override {
        trash_ = WineTrashFolder();
        if (trash_.empty()) {
            GTEST_SKIP() << "needs Wine's trash (scripts/wine-run.sh)";
        }
    }
    win32::RecycleOutcome Recycle(const std::string& name) const {
        return win32::RecycleEntry(win32::SystemPath(dir_.Path()), win32::Widen(name));
    }

    test::TempDir dir_;
    std::string trash_;
};

TEST_F(WindowsRecycleBin, TheFileEndsUpInTheBinAndNothingIsLeftBeside) {
    dir_.Write("old report.txt", "kept in the bin");
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    const win32::RecycleOutcome outcome = Recycle("old report.txt");
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.shellResult, 0);
    EXPECT_EQ(outcome.aborted, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(added[0].starts_with("old report")) << added[0];
    ::DeleteFileW(win32::SystemPath(trash_ + "/files/" + added[0]).c_str());
    ::DeleteFileW(win32::SystemPath(trash_ + "/info/" + added[0] + ".trashinfo").c_str());
}

// The bin's own Restore brings a file back where it was, and only where nothing stands now.
TEST_F(WindowsRecycleBin, RestoreBringsTheFileBackWhereItWas) {
    const std::string file = dir_.Write("to restore.txt", "back again");
    std::string original = file;
    std::replace(original.begin(), original.end(), '/', '\\');
    ASSERT_EQ(Recycle("to restore.txt").error, 0);
    ASSERT_FALSE(dir_.Exists("to restore.txt"));
    dir_.Write("to restore.txt", "someone else's");
    EXPECT_EQ(RestoreFromRecycleBin(original), EEXIST);
    ::DeleteFileW(win32::SystemPath(file).c_str());
    EXPECT_EQ(RestoreFromRecycleBin(original), 0);
    EXPECT_EQ(dir_.Read("to restore.txt"), "back again");
    EXPECT_EQ(RestoreFromRecycleBin(original), EEXIST);
    ::DeleteFileW(win32::SystemPath(file).c_str());
    EXPECT_EQ(RestoreFromRecycleBin(original), ENOENT);
}

// Where the shell cannot keep a file it deletes it for good and reports success: on Windows a
// volume without a bin or a file too large for it, under Wine a trash folder it cannot make
// (Wine makes a missing one again, so a plain file stands in its way here).
TEST_F(WindowsRecycleBin, AReadOnlyFileLeavesNothingBehind) {
    const std::string file = dir_.Write("frozen.txt", "read-only");
    ASSERT_TRUE(::SetFileAttributesW(win32::SystemPath(file).c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    EXPECT_EQ(Recycle("frozen.txt").error, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    const std::wstring inBin = win32::SystemPath(trash_ + "/files/" + added[0]);
    ::SetFileAttributesW(inBin.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(inBin.c_str());
    ::DeleteFileW(win32::SystemPath(trash_ + "/info/" + added[0] + ".trashinfo").c_str());
}

// A folder has no second name to keep it: the bin's count must grow by it instead.
TEST_F(WindowsRecycleBin, AFolderIsCountedIntoTheBin) {
    dir_.Write("old folder/inside.txt", "x");
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    EXPECT_EQ(Recycle("old folder").error, 0);
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{});
    const std::vector<std::string> added = Difference(test::NamesIn(trash_ + "/files"), before);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(test::NamesIn(trash_ + "/files/" + added[0]), std::vector<std::string>{"inside.txt"});
    std::error_code ignored;
    std::filesystem::remove_all(win32::Widen(trash_ + "/files/" + added[0]), ignored);
    std::filesystem::remove(win32::Widen(trash_ + "/info/" + added[0] + ".trashinfo"), ignored);
}

TEST_F(WindowsRecycleBin, NoBinMeansFailureAndTheFileStays) {
    dir_.Write("precious.txt", "must survive");
    const std::wstring trash = win32::SystemPath(trash_);
    const std::wstring away = win32::SystemPath(trash_ + ".away");
    ASSERT_TRUE(::MoveFileW(trash.c_str(), away.c_str()));
    HANDLE blocker = ::CreateFileW(trash.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool blocked = blocker != INVALID_HANDLE_VALUE;
    ::CloseHandle(blocker);
    const win32::RecycleOutcome outcome = Recycle("precious.txt");
    ::DeleteFileW(trash.c_str());
    ASSERT_TRUE(::MoveFileW(away.c_str(), trash.c_str()));
    ASSERT_TRUE(blocked);
    EXPECT_NE(outcome.error, 0);
    EXPECT_EQ(dir_.Read("precious.txt"), "must survive");
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{"precious.txt"});
}

// Runs test_child's recycle of path and returns its exit code; -1 when it had not ended after
// 20 s, as it would not if a question of the shell waited for an answer.
int RecycleInAChild(const std::string& path) {
    std::wstring command =
        L"\"" + win32::Widen(test::TestChildPath()) + L"\" recycle \"" + win32::Widen(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return -2;
    }
    DWORD code = 0;
    if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
        code = static_cast<DWORD>(-1);
    } else {
        ::GetExitCodeProcess(process.hProcess, &code);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// With the trash out of reach the shell would delete for good: asked to warn first, it asks, and
// its question is answered "no" without a window (under Wine's null display a question left
// open would wait for ever). A fresh process, as a shell that has met its bin already no longer
// looks for it.
TEST_F(WindowsRecycleBin, TheShellsQuestionIsAnsweredNo) {
    const std::string file = dir_.Write("precious.txt", "must survive");
    const std::wstring trash = win32::SystemPath(trash_);
    const std::wstring away = win32::SystemPath(trash_ + ".away");
    ASSERT_TRUE(::MoveFileW(trash.c_str(), away.c_str()));
    HANDLE blocker = ::CreateFileW(trash.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool blocked = blocker != INVALID_HANDLE_VALUE;
    ::CloseHandle(blocker);
    const int exit = RecycleInAChild(file);
    ::DeleteFileW(trash.c_str());
    ASSERT_TRUE(::MoveFileW(away.c_str(), trash.c_str()));
    ASSERT_TRUE(blocked);
    EXPECT_EQ(exit, 256 + ECANCELED);  // aborted, the shell's result 0
    EXPECT_EQ(test::NamesIn(dir_.Path()), std::vector<std::string>{"precious.txt"});
    EXPECT_EQ(dir_.Read("precious.txt"), "must survive");
}

// The volume's own settings of the bin, where the shell keeps them for the user.
class RecycleBinSettings : public WindowsRecycleBin {
  protected:
    void SetUp() override {
        WindowsRecycleBin::SetUp();
        const std::wstring root = win32::Widen(dir_.Path().substr(0, 2)) + L"\\";
        wchar_t volume[64] = {};
        ASSERT_TRUE(::GetVolumeNameForVolumeMountPointW(root.c_str(), volume, 64));
        const std::wstring name(volume);
        key_ = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
               name.substr(name.find(L'{'), name.find(L'}') - name.find(L'{') + 1);
    }
    void TearDown() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }
    void Set(const wchar_t* value, DWORD data) const {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), value, REG_DWORD, &data,
                                    sizeof data),
                  ERROR_SUCCESS);
    }
    std::size_t ItemsInBin() const { return test::NamesIn(trash_ + "/files").size(); }

    std::wstring key_;
};

TEST_F(RecycleBinSettings, WhatTheBinWouldNotKeepIsRefusedBeforeTheShellIsAsked) {
    dir_.Write("big.bin", std::string(2 << 20, 'b'));
    dir_.Write("small.txt", "fits");
    const std::size_t before = ItemsInBin();

    Set(L"NukeOnDelete", 1);
    win32::RecycleOutcome outcome = Recycle("small.txt");
    EXPECT_EQ(outcome.error, EPERM);
    EXPECT_EQ(outcome.shellResult, 0);

    Set(L"NukeOnDelete", 0);
    const std::wstring policies =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const DWORD forbidden = 1;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, policies.c_str(), L"NoRecycleFiles", REG_DWORD,
                                &forbidden, sizeof forbidden),
              ERROR_SUCCESS);
    outcome = Recycle("small.txt");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, policies.c_str(), L"NoRecycleFiles");
    EXPECT_EQ(outcome.error, EPERM);

    Set(L"MaxCapacity", 1);  // megabytes
    outcome = Recycle("big.bin");
    EXPECT_EQ(outcome.error, EFBIG);
    EXPECT_EQ(test::NamesIn(dir_.Path()), (std::vector<std::string>{"big.bin", "small.txt"}));
    EXPECT_EQ(ItemsInBin(), before);

    // What fits goes: the settings were read for this volume, not taken for a refusal of all.
    EXPECT_EQ(Recycle("small.txt").error, 0);
    EXPECT_EQ(ItemsInBin(), before + 1);
    for (const std::string& name : test::NamesIn(trash_ + "/files")) {
        if (name.starts_with("small")) {
            ::DeleteFileW(win32::SystemPath(trash_ + "/files/" + name).c_str());
            ::DeleteFileW(win32::SystemPath(trash_ + "/info/" + name + ".trashinfo").c_str());
        }
    }
}

// A drive letter for a folder of this machine that Wine's mount manager calls a network drive,
// as winecfg defines one; removed again at the end. Only under Wine.
class WineNetworkDrive {
  public:
    explicit WineNetworkDrive(const std::string& folder) {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        const DWORD used = ::GetLogicalDrives();
        for (wchar_t letter = L'Q'; letter <= L'Y' && letter_ == 0; ++letter) {
            if ((used & (1u << (letter - L'A'))) == 0) {
                letter_ = letter;
            }
        }
        char* unixPath = unixName != nullptr && letter_ != 0
                             ? unixName(win32::SystemPath(folder).c_str())
                             : nullptr;
        if (unixPath != nullptr) {
            defined_ = Define(DRIVE_REMOTE, unixPath);
            ::HeapFree(::GetProcessHeap(), 0, unixPath);
        }
    }
    ~WineNetworkDrive() {
        if (defined_) {
            Define(DRIVE_NO_ROOT_DIR, nullptr);
        }
    }
    WineNetworkDrive(const WineNetworkDrive&) = delete;
    WineNetworkDrive& operator=(const WineNetworkDrive&) = delete;
    bool Defined() const { return defined_; }
    std::string Root() const { return win32::Narrow(std::wstring{letter_, L':', L'\\'}); }

  private:
    struct Request {  // Wine's struct mountmgr_unix_drive
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };
    bool Define(ULONG type, const char* unixPath) const {
        const std::size_t pathBytes = unixPath != nullptr ? std::strlen(unixPath) + 1 : 0;
        std::vector<unsigned char> buffer(sizeof(Request) + pathBytes);
        Request request{};
        request.size = static_cast<ULONG>(buffer.size());
        request.type = type;
        request.letter = static_cast<WCHAR>(letter_ - L'A' + L'a');
        request.mountPointOffset = unixPath != nullptr ? sizeof(Request) : 0;
        std::memcpy(buffer.data(), &request, sizeof request);
        if (unixPath != nullptr) {
            std::memcpy(buffer.data() + sizeof(Request), unixPath, pathBytes);
        }
        const HANDLE manager =
            ::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) {
            return false;
        }
        constexpr DWORD kDefineUnixDrive =
            CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        DWORD returned = 0;
        const bool done =
            ::DeviceIoControl(manager, kDefineUnixDrive, buffer.data(),
                              static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
        ::CloseHandle(manager);
        return done;
    }

    wchar_t letter_ = 0;
    bool defined_ = false;
};

// On a network drive the shell deletes for good: the file is refused before it is asked. (The
// folder is named by its drive letter: Wine names an open folder by the drive that held it first,
// where Windows gives a mapped drive's files their server path.)
TEST_F(WindowsRecycleBin, ANetworkDriveIsRefusedAndTheFileStays) {
    dir_.Write("shared/old.txt", "on the server");
    const WineNetworkDrive drive(dir_.File("shared"));
    if (!drive.Defined()) {
        GTEST_SKIP() << "needs Wine's mount manager";
    }
    ASSERT_EQ(::GetDriveTypeW(win32::Widen(drive.Root()).c_str()), DRIVE_REMOTE);
    const std::vector<std::string> before = test::NamesIn(trash_ + "/files");
    const win32::RecycleOutcome outcome =
        win32::RecycleEntry(win32::Widen(drive.Root()), L"old.txt");
    EXPECT_EQ(outcome.error, ENOTSUP);
    EXPECT_EQ(outcome.shellResult, 0);
    EXPECT_EQ(dir_.Read("shared/old.txt"), "on the server");
    EXPECT_EQ(test::NamesIn(trash_ + "/files"), before);
}

TEST(RecycleRule, RefusesWhatTheShellWouldDeleteForGood) {
    using win32::RecycleRefusal;
    constexpr std::uint64_t kMegabyte = 1 << 20;
    const struct {
        const char* what;
        unsigned drive;
        std::size_t length;
        std::uint64_t size;
        std::optional<bool> nuke;
        std::optional<std::uint64_t> capacity;
        RecycleRefusal refusal;
        int error;
    } cases[] = {
        {"a file on a fixed drive", DRIVE_FIXED, 40, 10, {}, {}, RecycleRefusal::None, 0},
        {"the settings as the shell writes them", DRIVE_FIXED, 40, 10, false, 4000,
         RecycleRefusal::None, 0},
        {"a network drive", DRIVE_REMOTE, 40, 10, {}, {}, RecycleRefusal::NoBinOnDrive, ENOTSUP},
        {"a memory stick", DRIVE_REMOVABLE, 40, 10, {}, {}, RecycleRefusal::NoBinOnDrive, ENOTSUP},
        {"a disc", DRIVE_CDROM, 40, 10, {}, {}, RecycleRefusal::NoBinOnDrive, ENOTSUP},
        {"a drive of no known kind",
         DRIVE_UNKNOWN,
         40,
         10,
         {},
         {},
         RecycleRefusal::NoBinOnDrive,
         ENOTSUP},
        {"a network drive, long",
         DRIVE_REMOTE,
         400,
         10,
         {},
         {},
         RecycleRefusal::NoBinOnDrive,
         ENOTSUP},
        {"the longest path the shell takes",
         DRIVE_FIXED,
         MAX_PATH - 1,
         10,
         {},
         {},
         RecycleRefusal::None,
         0},
        {"one unit more",
         DRIVE_FIXED,
         MAX_PATH,
         10,
         {},
         {},
         RecycleRefusal::PathTooLong,
         ENAMETOOLONG},
        {"the bin switched off", DRIVE_FIXED, 40, 10, true, 4000, RecycleRefusal::BinSwitchedOff,
         EPERM},
        {"as large as the bin", DRIVE_FIXED, 40, 3 * kMegabyte, false, 3, RecycleRefusal::None, 0},
        {"a byte larger than the bin", DRIVE_FIXED, 40, 3 * kMegabyte + 1, false, 3,
         RecycleRefusal::LargerThanBin, EFBIG},
        {"a bin of no size", DRIVE_FIXED, 40, 0, false, 0, RecycleRefusal::LargerThanBin, EFBIG},
    };
    for (const auto& c : cases) {
        win32::RecycleFacts facts;
        facts.driveType = c.drive;
        facts.shellPathLength = c.length;
        facts.size = c.size;
        facts.nukeOnDelete = c.nuke;
        facts.maxCapacityMegabytes = c.capacity;
        EXPECT_EQ(win32::RefusalFor(facts), c.refusal) << c.what;
        EXPECT_EQ(win32::ErrnoOf(win32::RefusalFor(facts)), c.error) << c.what;
    }
}

TEST_F(WindowsRecycleBin, RefusesWhatIsNotOneExistingEntry) {
    dir_.Write("kept.txt", "");
    const struct {
        const char* name;
        int error;
    } cases[] = {
        {"", EINVAL},
        {".", EINVAL},
        {"..", EINVAL},
        {"sub\\kept.txt", EINVAL},
        {"kept.txt:stream", EINVAL},
        {"*.txt", EINVAL},
        {"missing.txt", ENOENT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Recycle(c.name).error, c.error) << c.name;
    }
    EXPECT_TRUE(dir_.Exists("kept.txt"));
}

TEST(WindowsTrashNames, TheRecycleBinFoldersAtAVolumesTop) {
    const struct {
        const char* name;
        bool isBin;
    } cases[] = {
        {"$Recycle.Bin", true}, {"$RECYCLE.BIN", true},   {"Recycler", true},
        {"RECYCLED", true},     {"recycled", true},       {".Trash", false},
        {".Trash-1000", false}, {"$Recycle.Bin2", false}, {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTopdirTrashName(c.name), c.isBin) << c.name;
    }
    EXPECT_EQ(HomeTrashPath(), "");
}

}  // namespace
}  // namespace quellix::platform
