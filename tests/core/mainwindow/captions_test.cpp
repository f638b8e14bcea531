#include "core/mainwindow/captions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/config/days_display.h"
#include "core/config/utf8.h"

namespace quellix {
namespace {

Settings SettingsWith(std::int16_t langue, const std::string& heure, const std::string& jours) {
    Settings settings;
    settings.Langue = langue;
    settings.Heure = heure;
    const DaysDisplay days = BuildDaysDisplay(jours);
    settings.DaysDisplayEn = days.english;
    settings.DaysDisplayFr = days.french;
    return settings;
}

const Caption* Find(const std::vector<Caption>& captions, std::string_view control,
                    CaptionProperty property) {
    for (const Caption& caption : captions) {
        if (caption.control == control && caption.property == property) {
            return &caption;
        }
    }
    return nullptr;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

TEST(PurgeTimeText, ShowsTheTimeAndTheSelectedDaysOfTheLanguage) {
    struct Case {
        std::int16_t langue;
        const char* jours;
        const char* expected;
    };
    const Case cases[] = {
        {0, "1234567", "Purge at 12:00 [Mon Tue Wed Thu Fri Sat Sun] "},
        {1, "1234567", "Purge à 12:00 [Lun Mar Mer Jeu Ven Sam Dim] "},
        {0, "62", "Purge at 12:00 [Mon Fri] "},
        {1, "62", "Purge à 12:00 [Lun Ven] "},
        {2, "1", "Purge à 12:00 [Dim] "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PurgeTimeText(SettingsWith(c.langue, "12:00", c.jours)), c.expected)
            << "Langue=" << c.langue << " Jours=" << c.jours;
    }
}

TEST(LastPurgeStatusText, ComposesTheStatisticsInEachLanguage) {
    Settings settings;
    settings.DateDernierePurge = "07 décembre 2026 - 12:00:04";
    settings.NbDernierePurge = 1234;
    settings.NbDernierePurgeDossiers = 5;
    settings.NbLocked = 0;

    settings.Langue = 0;
    EXPECT_EQ(LastPurgeStatusText(settings),
              "Last purge: 07 décembre 2026 - 12:00:04; Deleted: 1234 files, 5 subfolders; "
              "Locked: 0 ");
    settings.Langue = 1;
    EXPECT_EQ(LastPurgeStatusText(settings),
              "Purgé le 07 décembre 2026 - 12:00:04; Effacés: 1234 fichiers, 5 sous-dossiers; "
              "Verrouillés: 0 ");
}

TEST(LastPurgeStatusText, PlaceholderFollowsTheLanguageButADateDoesNot) {
    Settings settings;
    // Read at start-up in French, before any purge.
    settings.DateDernierePurge = "jj/mm/aaaa - hh:mm";
    settings.Langue = 0;
    EXPECT_EQ(LastPurgeStatusText(settings),
              "Last purge: dd/mm/yyyy - hh:mm; Deleted: 0 files, 0 subfolders; Locked: 0 ");
    settings.DateDernierePurge = "dd/mm/yyyy - hh:mm";
    settings.Langue = 1;
    EXPECT_EQ(LastPurgeStatusText(settings),
              "Purgé le jj/mm/aaaa - hh:mm; Effacés: 0 fichiers, 0 sous-dossiers; Verrouillés: 0 ");

    settings.DateDernierePurge = "dd/mm/yyyy - hh:mm:ss";
    EXPECT_NE(LastPurgeStatusText(settings).find("dd/mm/yyyy - hh:mm:ss"), std::string::npos);
}

TEST(CaptionsFor, CheckMarksFollowTheLanguage) {
    for (std::int16_t langue : {0, 1, 2}) {
        Settings settings;
        settings.Langue = langue;
        const auto captions = CaptionsFor(settings);
        const Caption* english = Find(captions, "mnuAnglais", CaptionProperty::CheckMark);
        const Caption* french = Find(captions, "mnuFrancais", CaptionProperty::CheckMark);
        ASSERT_NE(english, nullptr);
        ASSERT_NE(french, nullptr);
        EXPECT_EQ(english->checked, langue == 0) << "Langue=" << langue;
        EXPECT_EQ(french->checked, langue != 0) << "Langue=" << langue;
    }
}

TEST(CaptionsFor, EndsWithTheComposedLabels) {
    for (std::int16_t langue : {0, 1}) {
        Settings settings = SettingsWith(langue, "03:30", "246");
        settings.DateDernierePurge = "01 mars 2026 - 03:30:00";
        settings.NbDernierePurge = 7;
        settings.NbLocked = 2;
        const auto captions = CaptionsFor(settings);
        ASSERT_GE(captions.size(), 2u);
        const Caption& time = captions[captions.size() - 2];
        const Caption& last = captions.back();
        EXPECT_EQ(time.control, "lblHeurePurge");
        EXPECT_EQ(time.property, CaptionProperty::Caption);
        EXPECT_EQ(time.text, PurgeTimeText(settings));
        EXPECT_EQ(last.control, "lblDernierePurge");
        EXPECT_EQ(last.property, CaptionProperty::Caption);
        EXPECT_EQ(last.text, LastPurgeStatusText(settings));
    }
}

// A control named twice for one property would have its first text silently overwritten.
TEST(CaptionsFor, EachControlPropertyIsSetOnceWithATextOfTheLanguage) {
    for (std::int16_t langue : {0, 1}) {
        Settings settings = SettingsWith(langue, "12:00", "1234567");
        std::set<std::pair<std::string_view, CaptionProperty>> seen;
        for (const Caption& caption : CaptionsFor(settings)) {
            EXPECT_TRUE(seen.insert({caption.control, caption.property}).second)
                << caption.control << " appears twice";
            if (caption.property != CaptionProperty::CheckMark) {
                EXPECT_FALSE(caption.text.empty()) << caption.control;
                EXPECT_TRUE(IsUtf8(caption.text)) << caption.control;
            }
        }
        EXPECT_TRUE(seen.contains({"lblHeurePurge", CaptionProperty::ToolTip}));
        EXPECT_TRUE(seen.contains({"lblHeurePurge", CaptionProperty::Caption}));
    }
}

// English and French differ for every rewritten caption: a pair with the same text twice is a
// copy left untranslated.
TEST(CaptionTable, EveryRewrittenCaptionHasTwoTexts) {
    for (const CaptionEntry& entry : kMainWindowCaptions) {
        if (entry.property != CaptionProperty::CheckMark) {
            EXPECT_NE(entry.text.english, entry.text.french) << entry.control;
        }
    }
}

TEST(AddFolderCaption, EmptyListOffersAddWithoutBefore) {
    EXPECT_EQ(AddFolderCaption(true, Language::English), "&Add a new folder");
    EXPECT_EQ(AddFolderCaption(true, Language::French), "&Ajouter un nouveau dossier");
    EXPECT_EQ(AddFolderCaption(false, Language::English), "Add a new folder &before");
    EXPECT_EQ(AddFolderCaption(false, Language::French), "Ajouter un nouveau dossier &avant");
}

}  // namespace
}  // namespace quellix
