#include "core/dialogs/folder_editor_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

constexpr auto kEn = Language::English;
constexpr auto kFr = Language::French;
using Kind = EditorOkOutcome::Kind;

TEST(RetentionFeedbackFor, RefusesWhatIsNoHourCountAndShowsWholeDays) {
    const std::string tooLongForADouble(400, '9');
    struct Case {
        std::string text;
        Language language;
        RetentionFeedback expected;
    };
    const RetentionFeedback hidden{};
    const Case cases[] = {
        {"0", kEn, {true, "Invalid value", true}},
        {"0.5", kEn, {true, "Invalid value", true}},
        {"-3", kFr, {true, "Valeur incorrecte", true}},
        {"abc", kEn, {true, "Invalid value", true}},
        {"", kEn, {true, "Invalid value", true}},
        {"2,5", kFr, {true, "Valeur incorrecte", true}},  // would be read as 2
        {"48h", kEn, {true, "Invalid value", true}},
        {"1.2.3", kEn, {true, "Invalid value", true}},
        {tooLongForADouble, kEn, {true, "Invalid value", true}},  // would stop the next start
        {"1", kEn, hidden},
        {"23", kEn, hidden},
        {"23.5", kEn, {true, "(1 day)", false}},  // halves go to the even neighbour
        {" 24 ", kEn, {true, "(1 day)", false}},
        {"25", kEn, {true, "(1 day 1 hour)", false}},
        {"48", kEn, {true, "(2 days)", false}},
        {"50", kFr, {true, "(2 jours 2 heures)", false}},
        {"49", kFr, {true, "(2 jours 1 heure)", false}},
        {"1000", kEn, {true, "(41 days 16 hours)", false}},
        {"99999999999", kEn, hidden},  // beyond whole hours: counted as 0
    };
    for (const Case& c : cases) {
        const RetentionFeedback got = RetentionFeedbackFor(c.text, c.language);
        EXPECT_EQ(std::tie(got.visible, got.text, got.beep),
                  std::tie(c.expected.visible, c.expected.text, c.expected.beep))
            << '"' << c.text << '"';
    }
}

TEST(IsSystemFolder, RootSystemTreesAndHomeItself) {
    const std::pair<const char*, bool> cases[] = {
        {"/", true},
        {"/usr/", true},
        {"/usr/local/x/", true},
        {"/etc/", true},
        {"/lib64/", true},
        {"/var/log/", true},
        {"/var/tmp/", false},
        {"/var/tmp/x/", false},
        {"/variable/", false},
        {"/srv/data/", false},
        {"/home/ann/", true},
        {"/home/ann", true},
        {"/home/ann/Downloads/", false},
        {"/home/ann/../ann/./", true},
        {"/srv/../usr/", true},
        {"/home/", false},
        {"", false},
    };
    for (const auto& [folder, expected] : cases) {
        EXPECT_EQ(IsSystemFolder(folder, "/home/ann"), expected) << folder;
    }
    EXPECT_FALSE(IsSystemFolder("/home/ann/", ""));
}

// A list of real folders on a configuration file in a temporary folder.
class FolderEditorOk : public ::testing::Test {
  protected:
    FolderEditorOk() : ini(dir.File("Quellix.ini")) {
        settings.ProgramTitle = "Quellix 1.0.0";
        for (const char* name : {"a", "b", "dest"}) {
            std::filesystem::create_directories(Folder(name));
        }
    }

    std::string Folder(const std::string& name) const { return dir.Path() + "/" + name + "/"; }

    // Starts from the INI text, loaded as start-up does.
    void Load(const std::string& paths) {
        dir.Write("Quellix.ini", "[Paths]\n" + paths);
        settings.NbPaths =
            static_cast<std::int32_t>(std::count(paths.begin(), paths.end(), '\n') / 7);
        test::ScriptedFrontEnd frontEnd;
        ASSERT_FALSE(LoadFolderList(ini, settings, folders, frontEnd));
    }

    std::string Entry(int n, const std::string& folder, const std::string& subfolders,
                      const std::string& destination) const {
        const std::string k = std::to_string(n);
        return "Path" + k + "=" + folder + "\nRetentionPath" + k + "=48\nSousDossiers" + k + "=" +
               subfolders + "\nDate" + k + "=C\nEffacer" + k + "=" +
               (destination.empty() ? "oui" : "non") + "\nCorbeille" + k + "=non\nAutreDossier" +
               k + "=" + destination + "\n";
    }

    EditorOkContext Context() {
        return EditorOkContext{settings, ini, folders,
                               [this](const std::string& folder, bool include) {
                                   counted.emplace_back(folder, include);
                                   return std::int64_t{7};
                               },
                               "/home/ann"};
    }

    test::TempDir dir;
    IniFile ini;
    Settings settings;
    FolderList folders;
    std::vector<std::pair<std::string, bool>> counted;
};

TEST_F(FolderEditorOk, RefusesInOrderAndChangesNothingUntilEveryCheckPassed) {
    Load(Entry(1, Folder("a"), "non", ""));
    const std::string before = dir.Read("Quellix.ini");
    auto opening = OpenFolderEditor(FolderEditorMode::AddAfter, -1, folders, kEn);
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->title, "Folder");
    EXPECT_EQ(opening->state.retention, "");

    EditorState state = opening->state;
    state.actionIndex = 2;
    state.destination = Folder("gone");
    // An existing destination of 249 bytes: stored whole alone, cut with the shortcut's mark.
    const std::string longName(249 - Folder("").size(), 'd');
    std::filesystem::create_directories(Folder(longName));
    ASSERT_EQ(Folder(longName).size(), 249u);
    const std::vector<std::pair<std::function<void()>, std::string>> steps = {
        {[] {}, "Please modify keep time"},
        {[&] { state.retention = "24"; }, "No folder selected"},
        {[&] { state.folder = "/" + std::string(252, 'p') + "/"; },
         "Folder path too long: the configuration file keeps at most 253 bytes of it"},
        {[&] { state.folder = "/usr/share/doc/"; }, "Invalid destination folder"},
        {[&] {
             state.destination = Folder(longName);
             state.createShortcut = true;
         },
         "Destination folder path too long: the configuration file keeps at most 253 bytes of "
         "it, 248 with a shortcut"},
        {[&] {
             state.destination = Folder("dest");
             state.createShortcut = false;
         },
         "question"},
        {[&] { state.folder = Folder("a"); }, "Folder already in the list"},
    };
    for (const auto& [change, expected] : steps) {
        change();
        const EditorOkOutcome outcome = RunEditorOk(opening->target, state, false, Context());
        if (expected == "question") {
            ASSERT_EQ(outcome.kind, Kind::AskSystemFolder);
            EXPECT_EQ(outcome.message.buttons, MessageButtons::YesNo);
            EXPECT_EQ(outcome.message.defaultAnswer, MessageAnswer::No);
            EXPECT_TRUE(outcome.message.text.starts_with(
                "Automatic purge can be hazardous for this folder!\r\n"));
        } else {
            ASSERT_EQ(outcome.kind, Kind::Refused) << expected;
            EXPECT_EQ(outcome.message.text, expected);
            EXPECT_EQ(outcome.message.buttons, MessageButtons::Ok);
        }
        EXPECT_EQ(outcome.message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(outcome.message.title, "Quellix 1.0.0");
        EXPECT_EQ(folders.Size(), 1u);
        EXPECT_TRUE(counted.empty());
        EXPECT_EQ(dir.Read("Quellix.ini"), before);
    }

    // A confirmed system folder is written at the end, counted with its subfolders.
    state.folder = "/usr/share/doc/";
    state.includeSubfolders = true;
    state.createShortcut = true;
    const EditorOkOutcome written = RunEditorOk(opening->target, state, true, Context());
    ASSERT_EQ(written.kind, Kind::Written);
    EXPECT_EQ(written.row, 1u);
    EXPECT_EQ(counted, (std::vector<std::pair<std::string, bool>>{{"/usr/share/doc/", true}}));
    EXPECT_EQ(test::CellsOf(folders.Entries()[1], kEn),
              (std::array<std::string, 6>{"7", "/usr/share/doc/", "24", "yes", "M",
                                          "[+S] " + Folder("dest")}));
    EXPECT_FALSE(test::StyleOf(folders.Entries()[1], kActionColumn).bold);
    EXPECT_EQ(TotalHeader(folders, kEn), "Total files\n7");
    EXPECT_EQ(settings.NbPaths, 2);
    EXPECT_EQ(ini.Read("Paths", "AutreDossier2"), "[+S] " + Folder("dest"));
    EXPECT_EQ(ini.Read("Paths", "SousDossiers2"), "oui");
}

TEST_F(FolderEditorOk, AddsBeforeAndAfterTheSelectedRow) {
    settings.Langue = 1;
    Load(Entry(1, Folder("a"), "non", "") + Entry(2, Folder("b"), "non", ""));
    // b is selected each time: at 1, then at 2 once a row went in before it.
    const std::tuple<FolderEditorMode, std::ptrdiff_t, std::size_t> cases[] = {
        {FolderEditorMode::AddBefore, 1, 1}, {FolderEditorMode::AddAfter, 2, 3}};
    for (auto [mode, selected, expectedRow] : cases) {
        auto opening = OpenFolderEditor(mode, selected, folders, kFr);
        ASSERT_TRUE(opening);
        EXPECT_EQ(opening->title, "Ajouter un dossier à purger");
        EXPECT_EQ(opening->startFolder, Folder("b"));
        EXPECT_FALSE(opening->unknownFolder);
        EXPECT_EQ(opening->state.retention, "48");
        EditorState state = opening->state;
        state.folder = Folder(mode == FolderEditorMode::AddBefore ? "new1" : "new2");
        state.actionIndex = 1;
        const EditorOkOutcome outcome = RunEditorOk(opening->target, state, false, Context());
        ASSERT_EQ(outcome.kind, Kind::Written);
        EXPECT_EQ(outcome.row, expectedRow);
        const FolderEntry& row = folders.Entries()[expectedRow];
        EXPECT_EQ(test::CellOf(row, kActionColumn, kFr), "Corbeille");
        EXPECT_EQ(test::CellOf(row, kSubfoldersColumn, kFr), "non");
        EXPECT_TRUE(test::StyleOf(row, kActionColumn).bold);
        EXPECT_EQ(test::StyleOf(row, kActionColumn).textColour, Settings::RecycleColour);
    }
    // a, new1, b, new2: numbered again in the file.
    EXPECT_EQ(ini.Read("Paths", "Path2"), Folder("new1"));
    EXPECT_EQ(ini.Read("Paths", "Path3"), Folder("b"));
    EXPECT_EQ(ini.Read("Paths", "Path4"), Folder("new2"));
    EXPECT_EQ(ini.Read("Paths", "Corbeille4"), "oui");
    EXPECT_EQ(ini.Read("Paths", "Effacer3"), "oui");

    // A full list takes no more: the next start would refuse it.
    folders.Entries().resize(static_cast<std::size_t>(kMaxFolderEntries));
    auto opening = OpenFolderEditor(FolderEditorMode::AddAfter, 0, folders, kFr);
    ASSERT_TRUE(opening);
    opening->state.folder = Folder("new3");
    const EditorOkOutcome full = RunEditorOk(opening->target, opening->state, false, Context());
    ASSERT_EQ(full.kind, Kind::Refused);
    EXPECT_EQ(full.message.text, "La liste contient déjà 32767 dossiers, son maximum");
    EXPECT_EQ(folders.Size(), static_cast<std::size_t>(kMaxFolderEntries));
}

TEST_F(FolderEditorOk, ModifyRoundTripsTheRowAndSkipsItsOwnFolder) {
    Load(Entry(1, Folder("a"), "non [D] [RO]", "[+S] " + Folder("dest")) +
         Entry(2, Folder("gone"), "oui [D]", ""));
    folders.Entries()[0].folderMark = CellMark::Missing;
    const std::string iniBefore = dir.Read("Quellix.ini");

    auto opening = OpenFolderEditor(FolderEditorMode::Modify, 0, folders, kEn);
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->title, "Modify a folder");
    EXPECT_EQ(opening->startFolder, Folder("a"));
    const EditorState& state = opening->state;
    EXPECT_EQ(std::tie(state.includeSubfolders, state.deleteEmptySubfolders, state.deleteReadOnly),
              std::tuple(false, true, true));
    EXPECT_FALSE(ControlStatesOf(state).deleteEmptyEnabled);
    EXPECT_EQ(std::tie(state.dateIndex, state.actionIndex, state.destination, state.createShortcut),
              std::tuple(1, 2, Folder("dest"), true));
    EXPECT_TRUE(ControlStatesOf(state).shortcutEnabled);

    // OK unchanged, with the folder the lists were put on: the same entry, counted again.
    EditorState unchanged = state;
    unchanged.folder = *opening->startFolder;
    const EditorOkOutcome outcome = RunEditorOk(opening->target, unchanged, false, Context());
    ASSERT_EQ(outcome.kind, Kind::Written);
    EXPECT_EQ(outcome.row, 0u);
    EXPECT_EQ(test::CellOf(folders.Entries()[0], kSubfoldersColumn, kEn), "no [RO]");
    EXPECT_EQ(test::CellOf(folders.Entries()[0], kFileCountColumn, kEn), "7");
    EXPECT_EQ(test::StyleOf(folders.Entries()[0], kPathColumn).background, Settings::NormalColour);
    EXPECT_EQ(counted, (std::vector<std::pair<std::string, bool>>{{Folder("a"), false}}));
    EXPECT_EQ(ini.Read("Paths", "AutreDossier1"), "[+S] " + Folder("dest"));
    EXPECT_EQ(ini.Read("Paths", "SousDossiers1"), "non [RO]");
    EXPECT_NE(dir.Read("Quellix.ini"), iniBefore);

    // The missing folder opens with the warning; another row's folder is refused.
    auto missing = OpenFolderEditor(FolderEditorMode::Modify, 1, folders, kEn);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->unknownFolder);
    EXPECT_FALSE(missing->startFolder);
    EXPECT_EQ(missing->state.actionIndex, 0);
    EXPECT_EQ(missing->state.destination, "");
    EditorState moved = missing->state;
    moved.folder = Folder("a");
    EXPECT_EQ(RunEditorOk(missing->target, moved, false, Context()).message.text,
              "Folder already in the list");
    EXPECT_EQ(RunEditorOk(missing->target, moved, false, Context()).kind, Kind::Refused);
    moved.folder = Folder("A");  // compared upper-cased
    EXPECT_EQ(RunEditorOk(missing->target, moved, false, Context()).kind, Kind::Refused);
    moved.folder = Folder("b");
    ASSERT_EQ(RunEditorOk(missing->target, moved, false, Context()).kind, Kind::Written);
    EXPECT_EQ(test::CellOf(folders.Entries()[1], kSubfoldersColumn, kEn), "yes [D]");
    EXPECT_TRUE(test::StyleOf(folders.Entries()[1], kActionColumn).bold);
    EXPECT_EQ(folders.Size(), 2u);

    EXPECT_FALSE(OpenFolderEditor(FolderEditorMode::Modify, -1, folders, kEn));
    EXPECT_FALSE(OpenFolderEditor(FolderEditorMode::Modify, 2, folders, kEn));
}

}  // namespace
}  // namespace quellix
