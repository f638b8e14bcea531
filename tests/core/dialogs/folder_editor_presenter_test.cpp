#include "core/dialogs/folder_editor_presenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "support/folder_entries.h"
#include "support/recording_view_of.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

// The lists, the choosers and the busy pointer as a test sees them.
class RecordingEditorView final : public RecordingViewOf<FolderEditorView> {
  public:
    bool ShowFolder(const std::string& folder) override {
        if (!std::filesystem::is_directory(folder)) {
            return false;
        }
        current = folder.ends_with('/') ? folder : folder + "/";
        return true;
    }
    std::string CurrentFolder() const override { return current; }
    std::optional<std::string> BrowseFolder(std::string_view, const std::string&) override {
        return browsed;
    }
    std::optional<std::string> PickDestination(const std::string&) override { return picked; }
    void ShowBusy(bool busy) override { busyShown.push_back(busy); }
    void Beep() override { ++beeps; }

    // A click on an option button: the others of its group go off.
    void Choose(std::string_view option) {
        const std::string group(option.substr(0, option.size() - 1));
        for (char i : {'0', '1', '2'}) {
            At(group + i).checked = false;
        }
        At(option).checked = true;
    }
    std::vector<std::string> Asked() const {
        std::vector<std::string> texts;
        for (const MessageRequest& request : asked) {
            texts.push_back(request.text.substr(0, request.text.find('\r')));
        }
        return texts;
    }

    std::string current;
    std::optional<std::string> browsed;
    std::optional<std::string> picked;
    std::vector<bool> busyShown;
    int beeps = 0;
};

// A list of real folders on a configuration file in a temporary folder.
class FolderEditorPresenterTest : public ::testing::Test {
  protected:
    FolderEditorPresenterTest() : ini(dir.File("Quellix.ini")) {
        settings.ProgramTitle = "Quellix 1.0.0";
        for (const char* name : {"a", "b", "dest"}) {
            std::filesystem::create_directories(Folder(name));
        }
        view.current = dir.Path() + "/";
    }

    std::string Folder(const std::string& name) const { return dir.Path() + "/" + name + "/"; }

    void Load(const std::string& paths, int rows) {
        dir.Write("Quellix.ini", "[Paths]\n" + paths);
        settings.NbPaths = rows;
        test::ScriptedFrontEnd frontEnd;
        ASSERT_FALSE(LoadFolderList(ini, settings, folders, frontEnd));
    }

    std::string Entry(int n, const std::string& folder, const std::string& destination) const {
        const std::string k = std::to_string(n);
        return "Path" + k + "=" + folder + "\nRetentionPath" + k + "=48\nSousDossiers" + k +
               "=non\nDate" + k + "=A\nEffacer" + k + "=" + (destination.empty() ? "oui" : "non") +
               "\nCorbeille" + k + "=non\nAutreDossier" + k + "=" + destination + "\n";
    }

    FolderEditorPresenter Open(FolderEditorMode mode, std::ptrdiff_t row) {
        const auto opening = OpenFolderEditor(mode, row, folders, settings.language());
        EXPECT_TRUE(opening.has_value());
        return FolderEditorPresenter(
            view, *opening,
            EditorOkContext{settings, ini, folders,
                            [this](const std::string& folder, bool include) {
                                // Cancel is not taken while counting.
                                presenter->OnCancel();
                                countedWhileBusy =
                                    !view.busyShown.empty() && view.busyShown.back() &&
                                    !view.Get("cmdOK").enabled && !view.closed.has_value();
                                counted.push_back(folder + (include ? " +sub" : ""));
                                return std::int64_t{3};
                            },
                            "/home/nobody"});
    }

    test::TempDir dir;
    IniFile ini;
    Settings settings;
    FolderList folders;
    RecordingEditorView view;
    FolderEditorPresenter* presenter = nullptr;
    std::vector<std::string> counted;
    bool countedWhileBusy = false;
};

// How the editor opens for each command: title, folder and its warning, the row's choices and
// the controls they leave usable.
TEST_F(FolderEditorPresenterTest, OpensOnTheSelectedRow) {
    Load(Entry(1, Folder("a"), "[+S] " + Folder("dest")) + Entry(2, Folder("gone"), ""), 2);
    struct Case {
        FolderEditorMode mode;
        std::ptrdiff_t row;
        const char* title;
        std::string folder;
        const char* warning;
        const char* retention;
        const char* feedback;
        bool moves;
        std::string destination;
    };
    const std::string here = dir.Path() + "/";
    const Case cases[] = {
        {FolderEditorMode::AddAfter, -1, "Folder", here, "Selected folder", "", "", false, ""},
        {FolderEditorMode::AddBefore, 0, "Add a folder", Folder("a"), "Selected folder", "48",
         "(2 days)", false, ""},
        {FolderEditorMode::Modify, 0, "Modify a folder", Folder("a"), "Selected folder", "48",
         "(2 days)", true, Folder("dest")},
        {FolderEditorMode::Modify, 1, "Modify a folder", here, "WARNING: unknown selected folder",
         "48", "(2 days)", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + std::to_string(c.row));
        view = RecordingEditorView{};
        view.current = here;
        FolderEditorPresenter editor = Open(c.mode, c.row);
        editor.Load();
        const RecordingDialogView& shown = view;
        EXPECT_EQ(shown.Text(FolderEditorPresenter::kWindow), c.title);
        EXPECT_EQ(shown.Text("cmdParcourir"), "Browse");
        EXPECT_EQ(shown.Text("lblRepertoire"), c.folder);
        EXPECT_EQ(shown.Text("lblDossier"), c.warning);
        const bool unknown = c.warning[0] == 'W';
        EXPECT_EQ(shown.Get("lblDossier").colour,
                  unknown ? std::optional<Colour>(Settings::DeleteColour) : std::nullopt);
        EXPECT_EQ(view.beeps, unknown ? 1 : 0);
        EXPECT_EQ(shown.Text("comboRetention"), c.retention);
        EXPECT_EQ(shown.Text("lblErrRetention"), c.feedback);
        EXPECT_EQ(shown.Get("lblErrRetention").visible, c.feedback[0] != '\0');
        EXPECT_EQ(shown.Get("optDestination0").colour, Settings::DeleteColour);
        EXPECT_TRUE(shown.IsChecked(c.moves ? "optDestination2" : "optDestination0"));
        EXPECT_EQ(shown.IsChecked("optDate2"), c.mode == FolderEditorMode::Modify);
        EXPECT_EQ(shown.Get("cmdAutreDossier").enabled, c.moves);
        EXPECT_EQ(shown.Get("chkShortCut").enabled, c.moves);
        EXPECT_EQ(shown.IsChecked("chkShortCut"), c.moves);
        EXPECT_EQ(shown.Text("lblAutreDossier"), c.destination);
        EXPECT_FALSE(shown.Get("chkEffacerSousDossiersVides").enabled);
        EXPECT_FALSE(shown.closed.has_value());
    }
}

// An add walked through its refusals in order, each leaving the list and the file alone, then
// the system folder question (No keeps the editor open), then written where it belongs.
TEST_F(FolderEditorPresenterTest, AddIsRefusedInOrderUntilItIsRightThenWritten) {
    Load(Entry(1, Folder("a"), "") + Entry(2, Folder("dest"), ""), 2);
    const std::string before = dir.Read("Quellix.ini");
    FolderEditorPresenter editor = Open(FolderEditorMode::AddAfter, 0);
    presenter = &editor;
    editor.Load();
    struct Step {
        std::function<void()> act;
        const char* asked;  // the message OK shows; nullptr: none
    };
    const Step steps[] = {
        {[&] {
             view.At("comboRetention").text = "abc";
             editor.OnRetentionChanged();
         },
         "Please modify keep time"},
        {[&] {
             view.At("comboRetention").text = "25";
             editor.OnRetentionChanged();
         },
         "Folder already in the list"},
        {[&] {
             view.Choose("optDestination2");
             editor.OnActionChosen();
         },
         "Invalid destination folder"},
        {[&] {
             view.picked = Folder("dest");
             editor.OnChooseDestination();
             view.At("chkShortCut").checked = true;
             view.browsed = "/usr";
             editor.OnBrowse();
             editor.OnFolderChanged();
         },
         "Automatic purge can be hazardous for this folder!"},
        {[&] {
             view.browsed = Folder("missing");
             editor.OnBrowse();  // a folder the lists cannot show changes nothing
             view.browsed = Folder("b");
             editor.OnBrowse();
             editor.OnFolderChanged();
             view.At("chkSousDossiers").checked = true;
             editor.OnSubfoldersToggled();
             view.At("chkEffacerSousDossiersVides").checked = true;
             view.Choose("optDate1");
         },
         nullptr},
    };
    std::vector<std::string> asked;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.asked ? step.asked : "written");
        step.act();
        editor.OnOk();
        if (step.asked != nullptr) {
            asked.push_back(step.asked);
            EXPECT_EQ(view.Asked(), asked);
            EXPECT_FALSE(view.closed.has_value());
            EXPECT_EQ(folders.Size(), 2u);
            EXPECT_EQ(dir.Read("Quellix.ini"), before);
        }
    }
    EXPECT_EQ(view.Text("lblErrRetention"), "(1 day 1 hour)");
    EXPECT_EQ(view.beeps, 1);  // "abc"
    EXPECT_EQ(view.asked[3].defaultAnswer, MessageAnswer::No);
    EXPECT_TRUE(view.Get("chkEffacerSousDossiersVides").enabled);
    EXPECT_TRUE(view.Get("cmdOK").enabled);

    EXPECT_EQ(view.closed, true);
    EXPECT_EQ(editor.WrittenRow(), std::optional<std::size_t>(1));
    EXPECT_TRUE(countedWhileBusy);
    EXPECT_EQ(counted, std::vector<std::string>{Folder("b") + " +sub"});
    EXPECT_EQ(test::CellsOf(folders.Entries()[1], Language::English),
              (std::array<std::string, 6>{"3", Folder("b"), "25", "yes [D]", "C",
                                          "[+S] " + Folder("dest")}));
    EXPECT_EQ(ini.Read("Paths", "Path2"), Folder("b"));
    EXPECT_EQ(ini.Read("Paths", "Path3"), Folder("dest"));
}

// A confirmed system folder is written; a cancel outside the count closes without writing.
TEST_F(FolderEditorPresenterTest, ConfirmedSystemFolderIsWrittenAndCancelWritesNothing) {
    Load(Entry(1, Folder("a"), ""), 1);
    for (const bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        view = RecordingEditorView{};
        view.current = "/usr/share/";
        FolderEditorPresenter editor = Open(FolderEditorMode::Modify, 0);
        presenter = &editor;
        editor.Load();
        view.browsed = "/usr/share";
        editor.OnBrowse();
        editor.OnFolderChanged();
        if (confirm) {
            view.answers = {MessageAnswer::Yes};
            editor.OnOk();
        } else {
            editor.OnCancel();
        }
        EXPECT_EQ(view.closed, confirm);
        EXPECT_EQ(editor.WrittenRow(), confirm ? std::optional<std::size_t>(0) : std::nullopt);
        EXPECT_EQ(folders.Entries()[0].path, confirm ? "/usr/share/" : Folder("a"));
    }
}

}  // namespace
}  // namespace quellix
