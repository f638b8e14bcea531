#include "gui/win32/dialogs/destination_picker_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/dialogs/folder_choice_rules.h"
#include "folder_list_steps.h"

namespace quellix::test {
namespace {

// A drive letter whose medium is gone: the letter names a folder that no longer exists.
class DriveWithoutMedium {
  public:
    explicit DriveWithoutMedium(const TempDir& dir) {
        dir.Write("medium/file.txt", "x");
        const DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Q'; letter <= L'Y' && name_.empty(); ++letter) {
            if ((used & (1U << (letter - L'A'))) == 0) {
                name_ = {letter, L':'};
            }
        }
        const std::wstring target = platform::win32::Widen(dir.File("medium"));
        defined_ = !name_.empty() && DefineDosDeviceW(0, name_.c_str(), target.c_str()) != FALSE;
        std::filesystem::remove_all(dir.File("medium"));
    }
    ~DriveWithoutMedium() {
        if (defined_) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION, name_.c_str(), nullptr);
        }
    }
    DriveWithoutMedium(const DriveWithoutMedium&) = delete;
    DriveWithoutMedium& operator=(const DriveWithoutMedium&) = delete;

  private:
    std::wstring name_;
    bool defined_ = false;
};

// Where the picker starts and what OK gives; then the drive list in French: a drive that can be
// read shows its root, one that cannot (Wine's Z:, or a drive without its medium) leaves both
// lists where they were; Escape gives nothing.
TEST(DestinationPickerDialogWin32, StartsOnTheDestinationAndFollowsTheDrives) {
    CurrentTempDir dir;
    dir.Write("dest/inner/file.txt", "x");
    Settings settings;
    struct Case {
        std::string destination;
        std::string shown;
        const char* opened;  // a subfolder chosen before OK
        std::string chosen;
    };
    const Case cases[] = {
        {"", dir.Shown(), "dest", dir.Shown("dest") + "\\"},
        {dir.Shown("dest") + "\\", dir.Shown("dest"), "inner", dir.Shown("dest\\inner") + "\\"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> chosen;
        ModalDriver()
            .Then([&](HWND picker) {
                EXPECT_EQ(TextOf(picker, ""), "Move old files toward...");
                HWND tree = Named(picker, "dirList");
                EXPECT_EQ(SelectedPath(tree), c.shown);
                EXPECT_TRUE(OpenSubfolder(tree, c.opened));
                PressKey(picker, VK_RETURN);
            })
            .Run([&] { chosen = DestinationPickerDialog::Open(nullptr, c.destination, settings); });
        EXPECT_EQ(chosen, c.chosen);
    }

    // From the program's folder, which Wine keeps on another drive than the temporary folder.
    settings.Langue = 1;
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::string start =
        platform::win32::Narrow(std::filesystem::path(program).parent_path().wstring());
    const DriveWithoutMedium unready(dir);
    int moved = 0;
    int kept = 0;
    std::optional<std::string> chosen = "not cancelled";
    ModalDriver()
        .Then([&](HWND picker) {
            EXPECT_EQ(TextOf(picker, ""), "Envoyer les fichiers obsolètes vers...");
            SavePicture(picker, "destination-picker-fr");
            HWND tree = Named(picker, "dirList");
            const std::vector<Volume> volumes = UserVolumes(platform::MountedVolumes());
            EXPECT_EQ(SendMessageW(Named(picker, "drvList"), CB_GETCOUNT, 0, 0),
                      static_cast<LRESULT>(volumes.size()));
            for (std::size_t drive = 0; drive < volumes.size(); ++drive) {
                const int before = PickedIndex(picker, "drvList");
                const std::string shown = SelectedPath(tree);
                Pick(picker, "drvList", static_cast<int>(drive));
                const bool stays = static_cast<int>(drive) == before || !volumes[drive].ready;
                (stays ? kept : moved) += static_cast<int>(drive) != before ? 1 : 0;
                EXPECT_EQ(PickedIndex(picker, "drvList"), stays ? before : static_cast<int>(drive));
                EXPECT_EQ(SelectedPath(tree), stays ? shown : volumes[drive].rootPath);
            }
            PressKey(picker, VK_ESCAPE);
        })
        .Run([&] { chosen = DestinationPickerDialog::Open(nullptr, start, settings); });
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_GT(moved, 0);
    EXPECT_GT(kept, 0);
}

}  // namespace
}  // namespace quellix::test
