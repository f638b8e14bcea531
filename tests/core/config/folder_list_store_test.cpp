#include "core/config/folder_list_store.h"

#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

struct Loaded {
    FolderList list;
    std::optional<ConfigError> error;
    test::ScriptedFrontEnd frontEnd;
};

Settings SettingsFor(std::int32_t nbPaths, std::int16_t langue = 0) {
    Settings settings;
    settings.NbPaths = nbPaths;
    settings.Langue = langue;
    return settings;
}

std::unique_ptr<Loaded> Load(MemoryConfigStore& store, const Settings& settings) {
    auto loaded = std::make_unique<Loaded>();
    loaded->error = LoadFolderList(store, settings, loaded->list, loaded->frontEnd);
    return loaded;
}

const char* kEntry1 =
    "Path1=/data/in/\nRetentionPath1=024h\nSousDossiers1=oui [D] [RO]\nDate1=C\n"
    "Effacer1=oui\nCorbeille1=non\nAutreDossier1=\n";

TEST(LoadFolderList, EmptyWhenThereIsNothingToLoad) {
    MemoryConfigStore store("[Paths]\n" + std::string(kEntry1));
    for (std::int16_t langue : {0, 1}) {
        auto loaded = Load(store, SettingsFor(0, langue));
        EXPECT_FALSE(loaded->error);
        EXPECT_EQ(loaded->list.Size(), 0u);
        EXPECT_EQ(FolderListTitle(loaded->list, LanguageOf(langue)),
                  langue ? "Dossiers à purger (0)" : "Folders to purge (0)");
    }
}

TEST(LoadFolderList, CellsAndStylesOfEachAction) {
    MemoryConfigStore store("[Paths]\n" + std::string(kEntry1) +
                            "Path2=  /data/two  \nRetentionPath2=1.50\nDate2=X\nCorbeille2=oui\n"
                            "Path3=/data/three/\nRetentionPath3=1\nSousDossiers3=non [RO]\n"
                            "AutreDossier3=[+S] /archive/\n"
                            "Path4=/data/four/\nRetentionPath4=2\nEffacer4=OUI\n");
    auto loaded = Load(store, SettingsFor(4));
    ASSERT_FALSE(loaded->error);
    const auto& rows = loaded->list.Entries();
    ASSERT_EQ(rows.size(), 4u);

    using test::Cells;
    const Language en = Language::English;
    EXPECT_EQ(test::CellsOf(rows[0], en),
              (Cells{"-", "/data/in/", "24", "yes [D] [RO]", "C", "Delete"}));
    EXPECT_EQ(test::CellsOf(rows[1], en),
              (Cells{"-", "/data/two", "1.5", "no", "X", "Recycle Bin"}));
    EXPECT_EQ(test::CellsOf(rows[2], en),
              (Cells{"-", "/data/three/", "1", "no [RO]", "M", "[+S] /archive/"}));
    // "OUI" is not "oui": no action at all.
    EXPECT_EQ(test::CellOf(rows[3], kActionColumn, en), "");

    EXPECT_TRUE(test::StyleOf(rows[0], kActionColumn).bold);
    EXPECT_EQ(test::StyleOf(rows[0], kActionColumn).textColour, Settings::DeleteColour);
    EXPECT_EQ(test::StyleOf(rows[1], kActionColumn).textColour, Settings::RecycleColour);
    EXPECT_EQ(test::StyleOf(rows[2], kActionColumn), CellStyle{});
    EXPECT_EQ(FolderListTitle(loaded->list, en), "Folders to purge (4)");

    const FolderEntry& move = rows[2];
    EXPECT_EQ(move.action, FolderAction::Move);
    EXPECT_TRUE(move.createShortcut);
    EXPECT_EQ(move.destination, "/archive/");
    EXPECT_FALSE(move.includeSubfolders);
    EXPECT_TRUE(move.deleteReadOnly);
    const FolderEntry& none = rows[3];
    EXPECT_EQ(none.action, FolderAction::Move);
    EXPECT_EQ(none.destination, "");
}

TEST(LoadFolderList, FrenchWordsAndCounter) {
    MemoryConfigStore store("[Paths]\n" + std::string(kEntry1) +
                            "Path2=/b/\nRetentionPath2=3\nCorbeille2=oui\n");
    auto loaded = Load(store, SettingsFor(2, 1));
    ASSERT_FALSE(loaded->error);
    const Language fr = Language::French;
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[0], kSubfoldersColumn, fr), "oui [D] [RO]");
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[0], kActionColumn, fr), "Effacer");
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[1], kActionColumn, fr), "Corbeille");
    EXPECT_EQ(FolderListTitle(loaded->list, fr), "Dossiers à purger (2)");
    EXPECT_EQ(loaded->frontEnd.calls,
              (std::vector<std::string>{"SetLoadingCounter(1/2)", "SetLoadingCounter(2/2)"}));
    const FolderEntry& entry = loaded->list.Entries()[0];
    EXPECT_TRUE(entry.includeSubfolders && entry.deleteEmptySubfolders && entry.deleteReadOnly);
    EXPECT_EQ(entry.action, FolderAction::Delete);
}

TEST(LoadFolderList, MoreThanOneActionInTheFile) {
    MemoryConfigStore store(
        "[Paths]\nPath1=/a/\nRetentionPath1=5\nEffacer1=oui\nCorbeille1=oui\n"
        "Path2=/b/\nRetentionPath2=5\nEffacer2=oui\nCorbeille2=oui\nAutreDossier2=/dest/\n");
    auto loaded = Load(store, SettingsFor(2));
    ASSERT_FALSE(loaded->error);
    const Language en = Language::English;
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[0], kActionColumn, en), "Recycle Bin");
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[1], kActionColumn, en), "/dest/");
    // The move wins the text but keeps the marks of the other actions.
    EXPECT_TRUE(test::StyleOf(loaded->list.Entries()[1], kActionColumn).bold);
}

struct ErrorCase {
    std::string entry;
    ConfigErrorKind kind;
    const char* key;
};

TEST(LoadFolderList, FatalErrorsNameTheKey) {
    const ErrorCase cases[] = {
        {"RetentionPath2=5\n", ConfigErrorKind::LostPath, "Path2"},
        {"Path2=\nRetentionPath2=5\n", ConfigErrorKind::LostPath, "Path2"},
        {"Path2=/b/\n", ConfigErrorKind::LostKeepTime, "RetentionPath2"},
        {"Path2=/b/\nRetentionPath2=0.5\n", ConfigErrorKind::InvalidKeepTime, "RetentionPath2"},
        {"Path2=/b/\nRetentionPath2=0.99\n", ConfigErrorKind::InvalidKeepTime, "RetentionPath2"},
        {"Path2=/b/\nRetentionPath2=abc\n", ConfigErrorKind::InvalidKeepTime, "RetentionPath2"},
        {"Path2=/b/\nRetentionPath2=-24\n", ConfigErrorKind::InvalidKeepTime, "RetentionPath2"},
        {"Path2=/b/\nRetentionPath2= \n", ConfigErrorKind::LostKeepTime, "RetentionPath2"},
        // A value that reaches the reading limit may have been cut: cut at the "/" after a
        // 253-byte parent, this one would name the parent and purge its files.
        {"Path2=/" + std::string(252, 'p') + "/child/\nRetentionPath2=5\n",
         ConfigErrorKind::PathTooLong, "Path2"},
        {"Path2=/" + std::string(252, 'p') + "/\nRetentionPath2=5\n", ConfigErrorKind::PathTooLong,
         "Path2"},
        // Cut back to a whole character: fewer than 254 bytes arrive, the value was still cut.
        {"Path2=/" + std::string(250, 'p') + "\xC3\xA9\xC3\xA9/\nRetentionPath2=5\n",
         ConfigErrorKind::PathTooLong, "Path2"},
        {"Path2=/b/\nRetentionPath2=5\nAutreDossier2=[+S] /" + std::string(247, 'd') + "/\n",
         ConfigErrorKind::PathTooLong, "AutreDossier2"},
    };
    for (const ErrorCase& c : cases) {
        MemoryConfigStore store("[Paths]\n" + std::string(kEntry1) + c.entry);
        auto loaded = Load(store, SettingsFor(3));
        ASSERT_TRUE(loaded->error) << c.entry;
        EXPECT_EQ(*loaded->error, (ConfigError{c.kind, "Paths", c.key})) << c.entry;
        EXPECT_EQ(loaded->list.Size(), 1u);
    }
}

TEST(LoadFolderList, RetentionTexts) {
    const std::pair<const char*, const char*> cases[] = {{"1", "1"},      {"24h", "24"},
                                                         {"024h", "24"},  {" 48", "48"},
                                                         {"1.50", "1.5"}, {"2.25x", "2.25"}};
    for (const auto& [stored, shown] : cases) {
        MemoryConfigStore store(std::string("[Paths]\nPath1=/a/\nRetentionPath1=") + stored + "\n");
        auto loaded = Load(store, SettingsFor(1));
        ASSERT_FALSE(loaded->error) << stored;
        EXPECT_EQ(loaded->list.Entries()[0].retention, shown);
    }
}

TEST(LoadFolderList, LongestStoredPathsLoadWholeAndSurviveASave) {
    const std::string path = "/" + std::string(251, 'p') + "/";
    const std::string destination = "[+S] /" + std::string(246, 'd') + "/";
    ASSERT_EQ(path.size(), kMaxStoredPathBytes);
    ASSERT_EQ(destination.size(), kMaxStoredPathBytes);
    MemoryConfigStore store("[Paths]\nPath1=" + path +
                            "\nRetentionPath1=5\nAutreDossier1=" + destination + "\n");
    auto loaded = Load(store, SettingsFor(1));
    ASSERT_FALSE(loaded->error);
    Settings settings = SettingsFor(1);
    SaveFolderList(store, settings, loaded->list);
    loaded = Load(store, settings);
    ASSERT_FALSE(loaded->error);
    EXPECT_EQ(loaded->list.Entries()[0].path, path);
    EXPECT_EQ(test::CellOf(loaded->list.Entries()[0], kActionColumn, Language::English),
              destination);
}

TEST(SaveFolderList, RemovesKeysPastTheListAndKeepsTheRest) {
    std::string text = "[Purge]\nHeure=07:30\n[Paths]\nUseShortPathnames=1\nNbPaths=2\n";
    for (int n = 1; n <= 5; ++n) {
        const std::string i = std::to_string(n);
        text += "Path" + i + "=/p" + i + "/\nRetentionPath" + i + "=" + i + "\nSousDossiers" + i +
                "=non\nDate" + i + "=M\nEffacer" + i + "=oui\nCorbeille" + i +
                "=non\nAutreDossier" + i + "=\n";
    }
    text += "; keep me\n";
    MemoryConfigStore store(text);
    Settings settings = SettingsFor(2);
    auto loaded = Load(store, settings);
    ASSERT_EQ(loaded->list.Size(), 2u);

    SaveFolderList(store, settings, loaded->list);
    for (int n = 3; n <= 5; ++n) {
        for (const char* word : {"Path", "RetentionPath", "SousDossiers", "Date", "Effacer",
                                 "Corbeille", "AutreDossier"}) {
            EXPECT_FALSE(store.Read("Paths", word + std::to_string(n))) << word << n;
        }
    }
    EXPECT_EQ(store.Read("Paths", "Path2"), "/p2/");
    EXPECT_EQ(store.Read("Paths", "NbPaths"), "2");
    EXPECT_EQ(store.Read("Paths", "UseShortPathnames"), "1");
    EXPECT_EQ(store.Read("Purge", "Heure"), "07:30");
    EXPECT_NE(store.Text().find("; keep me"), std::string::npos);

    loaded->list.Clear();
    SaveFolderList(store, settings, loaded->list);
    EXPECT_EQ(settings.NbPaths, 0);
    EXPECT_EQ(store.Read("Paths", "NbPaths"), "0");
    EXPECT_FALSE(store.Read("Paths", "Path1"));
    EXPECT_FALSE(store.Read("Paths", "Date2"));
    EXPECT_EQ(FolderListTitle(loaded->list, Language::English), "Folders to purge (0)");
}

TEST(SaveFolderList, RoundTripInBothLanguages) {
    for (std::int16_t langue : {0, 1}) {
        MemoryConfigStore store(
            "[Paths]\nNbPaths=3\n" + std::string(kEntry1) +
            "Path2=  /two/  \nRetentionPath2=2.5\nSousDossiers2=oui [D]\nDate2=A\n"
            "Effacer2=non\nCorbeille2=oui\nAutreDossier2=\n"
            "Path3=/three/\nRetentionPath3=100\nSousDossiers3=non\nDate3=M\n"
            "Effacer3=non\nCorbeille3=non\nAutreDossier3=[+S] /arch ive/\n");
        Settings settings = SettingsFor(3, langue);
        auto first = Load(store, settings);
        ASSERT_FALSE(first->error);
        SaveFolderList(store, settings, first->list);

        // Surrounding spaces of a path go at the save; words are stored in French.
        EXPECT_EQ(store.Read("Paths", "Path2"), "/two/");
        EXPECT_EQ(store.Read("Paths", "SousDossiers2"), "oui [D]");
        EXPECT_EQ(store.Read("Paths", "SousDossiers3"), "non");
        EXPECT_EQ(store.Read("Paths", "Corbeille2"), "oui");
        EXPECT_EQ(store.Read("Paths", "Effacer2"), "non");
        EXPECT_FALSE(store.Read("Paths", "AutreDossier2"));
        EXPECT_EQ(store.Read("Paths", "AutreDossier3"), "[+S] /arch ive/");

        const std::string saved = store.Text();
        auto second = Load(store, settings);
        ASSERT_FALSE(second->error);
        for (std::size_t row = 0; row < 3; ++row) {
            const auto shown = test::CellsOf(first->list.Entries()[row], settings.language());
            const auto again = test::CellsOf(second->list.Entries()[row], settings.language());
            for (std::size_t column = 2; column < kFolderColumnCount; ++column) {
                EXPECT_EQ(again[column], shown[column]);
            }
        }
        SaveFolderList(store, settings, second->list);
        EXPECT_EQ(store.Text(), saved);
    }
}

// Hand-edited values are shown as the rows always showed them and come back as written.
TEST(SaveFolderList, HandEditedOdditiesComeBackAsWritten) {
    struct Case {
        std::string entry;
        std::int16_t langue;
        const char* subfoldersShown;
        const char* actionShown;
        const char* saved;
    };
    // Saved: SousDossiers, Date, Effacer, Corbeille and AutreDossier.
    const Case cases[] = {
        {"SousDossiers1=non [RO] oui x\n", 0, "no [RO] yes x", "", "non [RO] oui x|M|non|non|"},
        {"SousDossiers1=non [D]\nEffacer1=oui\nCorbeille1=oui\n", 1, "non [D]", "Corbeille",
         "non [D]|M|non|oui|"},
        // An English word in the file is saved in French from an English list only.
        {"SousDossiers1=yes\nAutreDossier1=Effacer\n", 0, "yes", "Delete", "oui|M|oui|non|"},
        {"SousDossiers1=yes\nAutreDossier1=Effacer\n", 1, "yes", "Effacer", "yes|M|oui|non|"},
        // Shown in English as "nyes" (subfolders included), which the words alone would store
        // as "nonui" (none): kept as written.
        {"SousDossiers1=noui\n", 0, "nyes", "", "noui|M|non|non|"},
        {"Date1=x\nEffacer1=oui\nAutreDossier1=\"[+S] /d/\"\n", 0, "no", "[+S] /d/",
         "non|x|non|non|[+S] /d/"},
    };
    for (const Case& c : cases) {
        MemoryConfigStore store("[Paths]\nPath1=\"  /a/ \"\nRetentionPath1=5\n" + c.entry);
        Settings settings = SettingsFor(1, c.langue);
        auto loaded = Load(store, settings);
        ASSERT_FALSE(loaded->error) << c.entry;
        const FolderEntry& entry = loaded->list.Entries()[0];
        EXPECT_EQ(entry.path, "  /a/ ");
        EXPECT_EQ(test::CellOf(entry, kSubfoldersColumn, settings.language()), c.subfoldersShown)
            << c.entry;
        EXPECT_EQ(test::CellOf(entry, kActionColumn, settings.language()), c.actionShown)
            << c.entry;
        SaveFolderList(store, settings, loaded->list);
        std::string saved;
        for (const char* key : {"SousDossiers1", "Date1", "Effacer1", "Corbeille1"}) {
            saved += store.Read("Paths", key).value_or("") + "|";
        }
        saved += store.Read("Paths", "AutreDossier1").value_or("");
        EXPECT_EQ(saved, c.saved) << c.entry;
        EXPECT_EQ(store.Read("Paths", "Path1"), "/a/");
    }
}

}  // namespace
}  // namespace quellix
