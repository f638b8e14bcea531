#include <gtest/gtest.h>

#include <string>

#include "core/config/ini_file.h"
#include "core/mainwindow/captions.h"
#include "support/folder_entries.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

const std::optional<Colour> kYellow = Settings::MissingColour;

FolderEntry Row(const std::string& count, const std::string& subfolders,
                const std::string& action) {
    return test::EntryOf({count, "/srv/data/", "48", subfolders, "M", action});
}

std::array<CellStyle, kFolderColumnCount> Styles(const FolderEntry& entry, Language language) {
    std::array<CellStyle, kFolderColumnCount> styles;
    for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
        styles[column] = ComposeCell(entry, static_cast<FolderColumn>(column), language).style;
    }
    return styles;
}

class LanguageSwitchTest : public ::testing::Test {
  protected:
    std::string Cell(std::size_t row, FolderColumn column) {
        return test::CellOf(folders.Entries().at(row), column, settings.language());
    }
    Language Switch() { return SwitchLanguage(settings, config, folders); }
    std::optional<std::string> StoredLangue() { return config.Read("Purge", "Langue"); }

    Settings settings;
    MemoryConfigStore config;
    FolderList folders;
};

TEST_F(LanguageSwitchTest, FlipsTheLanguageAndWritesTheKeyEachTime) {
    settings.Langue = 0;
    EXPECT_EQ(Switch(), Language::French);
    EXPECT_EQ(settings.Langue, 1);
    EXPECT_EQ(StoredLangue(), "1");

    EXPECT_EQ(Switch(), Language::English);
    EXPECT_EQ(settings.Langue, 0);
    EXPECT_EQ(StoredLangue(), "0");

    // Whichever item is clicked, the check marks swap: the ticked language is never kept.
    const auto marks = CaptionsFor(settings);
    EXPECT_EQ(Switch(), Language::French);
    const auto swapped = CaptionsFor(settings);
    ASSERT_EQ(marks.size(), swapped.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].property == CaptionProperty::CheckMark) {
            EXPECT_NE(marks[i].checked, swapped[i].checked) << marks[i].control;
        }
    }
}

TEST_F(LanguageSwitchTest, AnyNonZeroLangueCountsAsFrenchAndSwitchesToEnglish) {
    config.Write("Purge", "Langue", "2");
    settings.Langue = 2;
    EXPECT_EQ(Switch(), Language::English);
    EXPECT_EQ(settings.Langue, 0);
    EXPECT_EQ(StoredLangue(), "0");
}

TEST(LanguageSwitch, WritesTheConfigurationFileAndSwitchesEvenWhenTheWriteFails) {
    test::TempDir dir;
    {
        IniFile file(dir.Write("Quellix.ini", "[Purge]\nHeure=12:00\nLangue=0\n"));
        Settings settings;
        FolderList folders;
        EXPECT_EQ(SwitchLanguage(settings, file, folders), Language::French);
        EXPECT_EQ(IniFile(file.Path()).Read("Purge", "Langue"), "1");
        EXPECT_EQ(IniFile(file.Path()).Read("Purge", "Heure"), "12:00");
    }
    {
        // The folder of this file does not exist: the write cannot succeed.
        IniFile file(dir.File("missing/Quellix.ini"));
        Settings settings;
        FolderList folders;
        folders.Append(Row("inconnu", "non", "Effacer"));
        settings.Langue = 1;
        EXPECT_EQ(SwitchLanguage(settings, file, folders), Language::English);
        EXPECT_EQ(settings.Langue, 0);
        EXPECT_EQ(test::CellOf(folders.Entries()[0], kActionColumn, settings.language()), "Delete");
        EXPECT_FALSE(dir.Exists("missing/Quellix.ini"));
    }
}

TEST_F(LanguageSwitchTest, SubfolderWordsRoundTripWithTheirMarks) {
    const std::string french[] = {"non [D]", "oui", "non", "oui [D] [RO]", "non [RO]"};
    const std::string english[] = {"no [D]", "yes", "no", "yes [D] [RO]", "no [RO]"};
    for (const std::string& cell : french) {
        folders.Append(Row("1", cell, "Effacer"));
    }
    settings.Langue = 1;

    Switch();
    for (std::size_t i = 0; i < std::size(english); ++i) {
        EXPECT_EQ(Cell(i, kSubfoldersColumn), english[i]);
    }
    Switch();
    for (std::size_t i = 0; i < std::size(french); ++i) {
        EXPECT_EQ(Cell(i, kSubfoldersColumn), french[i]);
    }
}

TEST_F(LanguageSwitchTest, UnknownCountIsTranslatedAndKeepsItsStyle) {
    FolderEntry missing = Row("inconnu", "non", "Corbeille");
    missing.countMark = CellMark::Missing;
    missing.folderMark = CellMark::Missing;
    folders.Append(missing);
    FolderEntry counted = Row("42", "non", "Corbeille");
    counted.trend = CountTrend::Rise;
    folders.Append(counted);
    const auto missingStyles = Styles(missing, Language::French);
    const auto countedStyles = Styles(counted, Language::French);
    ASSERT_EQ(missingStyles[kPathColumn].background, kYellow);
    folders.Append(Row("-", "non", "Corbeille"));
    settings.Langue = 1;

    Switch();
    EXPECT_EQ(Cell(0, kFileCountColumn), "unknown");
    EXPECT_EQ(Cell(1, kFileCountColumn), "42");
    EXPECT_EQ(Cell(2, kFileCountColumn), "-");
    EXPECT_EQ(Styles(folders.Entries()[0], Language::English), missingStyles);
    EXPECT_EQ(Styles(folders.Entries()[1], Language::English), countedStyles);

    Switch();
    EXPECT_EQ(Cell(0, kFileCountColumn), "inconnu");
    EXPECT_EQ(Styles(folders.Entries()[0], Language::French), missingStyles);
}

TEST_F(LanguageSwitchTest, ActionWordsAreTranslatedButDestinationsAreNot) {
    const std::string destinations[] = {"/srv/Delete/", "[+S] /srv/Corbeille/", "Delete me/",
                                        "/srv/Recycle Bin/Effacer/"};
    folders.Append(Row("1", "non", "Effacer"));
    folders.Append(Row("1", "non", "Corbeille"));
    for (const std::string& destination : destinations) {
        folders.Append(Row("1", "non", destination));
    }
    settings.Langue = 1;

    Switch();
    EXPECT_EQ(Cell(0, kActionColumn), "Delete");
    EXPECT_EQ(Cell(1, kActionColumn), "Recycle Bin");
    for (std::size_t i = 0; i < std::size(destinations); ++i) {
        EXPECT_EQ(Cell(i + 2, kActionColumn), destinations[i]);
    }
    Switch();
    EXPECT_EQ(Cell(0, kActionColumn), "Effacer");
    EXPECT_EQ(Cell(1, kActionColumn), "Corbeille");
    for (std::size_t i = 0; i < std::size(destinations); ++i) {
        EXPECT_EQ(Cell(i + 2, kActionColumn), destinations[i]);
    }
}

TEST_F(LanguageSwitchTest, HeadersFollowTheLanguageWithTheLastTotal) {
    folders.Append(Row("3", "non", "Effacer"));
    folders.Append(Row("9", "oui", "Effacer"));
    settings.Langue = 1;
    folders.SetGrandTotal(12);
    const auto french = FolderHeaderTexts(folders, Language::French);

    Switch();
    const auto english = FolderHeaderTexts(folders, Language::English);
    EXPECT_EQ(english[kFileCountColumn], "Total files\n12");
    EXPECT_EQ(english[kPathColumn], "Folders to purge (2)");
    EXPECT_EQ(english[kRetentionColumn], "Keep\n(hours)");
    EXPECT_EQ(english[kSubfoldersColumn], "Include\nsubfolders");
    EXPECT_EQ(folders.GrandTotal(), 12);

    Switch();
    EXPECT_EQ(FolderHeaderTexts(folders, Language::French), french);
    EXPECT_EQ(french[kFileCountColumn], "Total fichiers\n12");
    EXPECT_EQ(french[kPathColumn], "Dossiers à purger (2)");
    EXPECT_EQ(french[kRetentionColumn], "Rétention\n(en heures)");
    EXPECT_EQ(french[kSubfoldersColumn], "Inclure\nsous-dossiers");

    // The date and destination headers read the same in both languages.
    EXPECT_EQ(english[kDateColumn], "Date\n(M/C/A)");
    EXPECT_EQ(french[kDateColumn], english[kDateColumn]);
    EXPECT_EQ(english[kActionColumn], "Destination");
    EXPECT_EQ(french[kActionColumn], english[kActionColumn]);
}

TEST_F(LanguageSwitchTest, EmptyListGetsHeadersBeforeAnyCount) {
    Switch();
    const auto headers = FolderHeaderTexts(folders, Language::French);
    EXPECT_EQ(headers[kFileCountColumn], "Total fichiers\n0");
    EXPECT_EQ(headers[kPathColumn], "Dossiers à purger (0)");
}

}  // namespace
}  // namespace quellix
