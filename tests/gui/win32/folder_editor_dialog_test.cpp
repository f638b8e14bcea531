#include "gui/win32/dialogs/folder_editor_dialog.h"

#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "folder_list_steps.h"
#include "gui/win32/common/message_box.h"
#include "support/folder_entries.h"

namespace quellix::test {
namespace {

std::vector<std::string> AskedTexts() {
    std::vector<std::string> texts;
    for (const MessageRequest& request : MessageBoxes::Asked()) {
        texts.push_back(request.text);
    }
    return texts;
}

// An add after the selected row through the real controls: typed and picked keep times, the
// destination picker, the shell's folder picker; refused until it is right (a whole drive asked
// about), then written where it belongs and saved. Then a modify in French, changed and
// cancelled, writes nothing.
TEST(FolderEditorDialogWin32, AddRefusedUntilRightThenWrittenAndCancelWritesNothing) {
    CurrentTempDir dir;
    dir.Write("a/one.txt", "1");
    dir.Write("b/sub/two.txt", "2");
    dir.Write("dest/three.txt", "3");
    const auto folder = [&dir](const char* name) { return dir.Shown(name) + "\\"; };
    IniFile ini(dir.File("Quellix.ini"));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    FolderList folders;
    folders.Entries().push_back(EntryOf({"1", folder("a"), "48", "no", "M", "Delete"}));
    HWND editor = nullptr;
    bool okDisabledWhileCounting = false;
    const FolderEditorContext context{settings, ini, folders,
                                      [&](const std::string&, bool subfolders) {
                                          okDisabledWhileCounting =
                                              !IsWindowEnabled(Named(editor, "cmdOK"));
                                          return std::int64_t{subfolders ? 1 : 0};
                                      },
                                      ""};
    MessageBoxes::Script({});

    std::optional<std::size_t> row;
    ModalDriver()
        .Then([&](HWND dialog) {
            editor = dialog;
            EXPECT_EQ(TextOf(dialog, ""), "Add a folder");
            EXPECT_EQ(TextOf(dialog, "lblRepertoire"), folder("a"));
            EXPECT_EQ(SelectedPath(Named(dialog, "dirList")) + "\\", folder("a"));
            EXPECT_FALSE(IsWindowEnabled(Named(dialog, "cmdAutreDossier")));
            EXPECT_TRUE(PaintsColour(dialog, Named(dialog, "optDestination0"), RGB(255, 0, 0)));
            EXPECT_TRUE(PaintsColour(dialog, Named(dialog, "optDestination1"), RGB(0, 0, 255)));
            SavePicture(dialog, "folder-editor-en");

            Type(GetWindow(Named(dialog, "comboRetention"), GW_CHILD), "abc");
            EXPECT_EQ(TextOf(dialog, "lblErrRetention"), "Invalid value");
            EXPECT_TRUE(PaintsColour(dialog, Named(dialog, "lblErrRetention"), RGB(255, 0, 0)));
            Click(dialog, "cmdOK");
            Pick(dialog, "comboRetention", 2);
            EXPECT_EQ(TextOf(dialog, "comboRetention") + TextOf(dialog, "lblErrRetention"),
                      "72(3 days)");
            Click(dialog, "cmdOK");

            Click(dialog, "optDestination2");
            Click(dialog, "cmdOK");
            Click(dialog, "cmdAutreDossier");
            EXPECT_EQ(TextOf(dialog, "lblAutreDossier"), folder("dest"));

            // A whole drive is asked about; No, the default, keeps the dialog open.
            HWND tree = Named(dialog, "dirList");
            TreeView_SelectItem(tree, TreeView_GetRoot(tree));
            EXPECT_EQ(TextOf(dialog, "lblRepertoire"), folder("a").substr(0, 3));
            Click(dialog, "cmdOK");

            Click(dialog, "cmdParcourir");
            EXPECT_EQ(TextOf(dialog, "lblRepertoire"), folder("b"));
            EXPECT_EQ(SelectedPath(tree) + "\\", folder("b"));
            for (const char* box :
                 {"chkShortCut", "chkSousDossiers", "chkEffacerSousDossiersVides", "optDate1"}) {
                Click(dialog, box);
            }
            EXPECT_EQ(folders.Size(), 1U);
            SetFocus(Named(dialog, "dirList"));
            PressKey(dialog, VK_RETURN);
        })
        .Then([&](HWND picker) {
            EXPECT_EQ(quellix::TextOf(picker), "Move old files toward...");
            EXPECT_TRUE(OpenSubfolder(Named(picker, "dirList"), "dest"));
            PressKey(picker, VK_RETURN);
        })
        .Then([&](HWND browser) {
            // The shell's own folder picker: a path typed into its name box.
            EXPECT_EQ(quellix::TextOf(browser), "Select a folder");
            Type(GetDlgItem(browser, 1152), folder("b"));
            SendMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
        })
        .Run([&] {
            row = FolderEditorDialog::Open(nullptr, FolderEditorMode::AddAfter, 0, context);
        });

    const std::vector<std::string> asked = AskedTexts();
    ASSERT_EQ(asked.size(), 4U);
    EXPECT_EQ(std::vector(asked.begin(), asked.begin() + 3),
              (std::vector<std::string>{"Please modify keep time", "Folder already in the list",
                                        "Invalid destination folder"}));
    EXPECT_TRUE(asked[3].starts_with("Automatic purge can be hazardous for this folder!"));
    EXPECT_EQ(MessageBoxes::Asked()[3].buttons, MessageButtons::YesNo);
    EXPECT_EQ(row, std::optional<std::size_t>(1));
    EXPECT_TRUE(okDisabledWhileCounting);
    ASSERT_EQ(folders.Size(), 2U);
    EXPECT_EQ(CellsOf(folders.Entries()[1], Language::English),
              (Cells{"1", folder("b"), "72", "yes [D]", "C", "[+S] " + folder("dest")}));
    EXPECT_EQ(ini.Read("Paths", "Path2"), std::optional(folder("b")));
    EXPECT_EQ(ini.Read("Paths", "SousDossiers2"), std::optional<std::string>("oui [D]"));
    EXPECT_EQ(ini.Read("Paths", "AutreDossier2"), std::optional("[+S] " + folder("dest")));

    settings.Langue = 1;
    const std::string saved = dir.Read("Quellix.ini");
    ModalDriver()
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Modifier un dossier à purger");
            EXPECT_EQ(TextOf(dialog, "optDestination1"),
                      "Effacer les fichiers obsolètes et les envoyer dans la Corbeille");
            SavePicture(dialog, "folder-editor-fr");
            GoUp(Named(dialog, "dirList"));
            EXPECT_EQ(TextOf(dialog, "lblRepertoire"), dir.Shown() + "\\");
            Click(dialog, "optDestination1");
            Click(dialog, "cmdAnnuler");
        })
        .Run(
            [&] { row = FolderEditorDialog::Open(nullptr, FolderEditorMode::Modify, 1, context); });
    EXPECT_EQ(row, std::nullopt);
    EXPECT_EQ(dir.Read("Quellix.ini"), saved);
    EXPECT_EQ(folders.Entries()[1].path, folder("b"));
    EXPECT_EQ(MessageBoxes::Asked().size(), 4U);
    MessageBoxes::StopScripting();
}

}  // namespace
}  // namespace quellix::test
