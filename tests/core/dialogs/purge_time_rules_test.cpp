#include "core/dialogs/purge_time_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>

#include "core/config/days_display.h"
#include "core/config/ini_file.h"
#include "core/mainwindow/captions.h"

namespace quellix {
namespace {

constexpr auto kHours = TimeBox::Hours;
constexpr auto kMinutes = TimeBox::Minutes;
using Days = std::array<bool, 7>;  // [0] is Sunday
constexpr Days kNoDay{};
constexpr Days kEveryDay{true, true, true, true, true, true, true};
constexpr Days kSaturdaySunday{true, false, false, false, false, false, true};

Settings StoredSettings(std::int16_t langue, const std::string& heure, const std::string& jours) {
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Langue = langue;
    settings.Heure = heure;
    settings.PurgeMinute = 12 * 60;
    settings.Jours = jours;
    const DaysDisplay days = BuildDaysDisplay(jours);
    settings.DaysDisplayEn = days.english;
    settings.DaysDisplayFr = days.french;
    return settings;
}

TEST(CheckTimeBox, ShowsTwoDigitsOrTheBoxError) {
    // An empty expectation means the box's error.
    const std::tuple<TimeBox, std::string, std::string> cases[] = {
        {kHours, "24", ""},     {kHours, "-1", ""},   {kHours, "x", ""},
        {kHours, "", ""},       {kHours, "7", "07"},  {kHours, "7.6", "08"},
        {kHours, "7,6", "08"},  {kHours, "23", "23"}, {kHours, "00", "00"},
        {kHours, " 5 ", "05"},  {kHours, "-0", "00"}, {kHours, "0.5", "01"},
        {kHours, "22.6", "23"}, {kHours, "23.4", ""}, {kHours, "024", ""},
        {kHours, "1e1", ""},    {kHours, ".", ""},    {kHours, "1.2,3", ""},
        {kMinutes, "59", "59"}, {kMinutes, "60", ""}, {kMinutes, "30 PM", ""},
    };
    for (const auto& [box, text, shown] : cases) {
        const TimeBoxCheck got = CheckTimeBox(box, text, Language::English);
        const std::string error =
            box == kHours ? "Invalid value (Hours)" : "Invalid value (Minutes)";
        EXPECT_EQ(std::tie(got.valid, got.text, got.error),
                  std::make_tuple(!shown.empty(), shown, shown.empty() ? error : ""))
            << '"' << text << '"';
    }
    EXPECT_EQ(CheckTimeBox(kMinutes, "x", Language::French).error,
              "Valeur incorrecte pour les Minutes");
}

TEST(StepTimeBox, StepsWithoutWrappingAround) {
    // An empty expectation means the press does nothing.
    const std::tuple<TimeBox, std::string, bool, std::string> cases[] = {
        {kHours, "23", true, ""},    {kHours, "22", true, "23"},   {kHours, "00", false, ""},
        {kHours, "01", false, "00"}, {kMinutes, "59", true, ""},   {kMinutes, "23", true, "24"},
        {kMinutes, "00", false, ""}, {kHours, "024", false, "23"}, {kHours, "024", true, ""},
        {kHours, "-1", true, "00"},  {kHours, "2.5", true, "03"},  {kHours, "3,5", true, "05"},
        {kHours, "hh", true, "01"},  {kHours, "hh", false, ""},    {kMinutes, "99999", false, ""},
    };
    for (const auto& [box, text, up, expected] : cases) {
        EXPECT_EQ(StepTimeBox(box, text, up).value_or(""), expected)
            << '"' << text << '"' << (up ? " up" : " down");
    }
}

TEST(OpenPurgeTime, FillsTheBoxesFromHeureAndChecksTheDaysOfJours) {
    const std::tuple<std::string, std::string, std::string, std::string, Days> cases[] = {
        {"03:30", "1234567", "03", "30", kEveryDay},
        {"3:05 PM", "17", "15", "05", kSaturdaySunday},
        {"24:00", "x8", "", "", kNoDay},  // the boxes keep their own texts
    };
    for (const auto& [heure, jours, hours, minutes, days] : cases) {
        const PurgeTimeOpening got = OpenPurgeTime(StoredSettings(0, heure, jours));
        EXPECT_EQ(std::make_tuple(got.hours.value_or(""), got.minutes.value_or(""), got.days),
                  std::tie(hours, minutes, days))
            << heure;
    }
}

TEST(RunPurgeTimeOk, RefusesInOrderAndChangesNothing) {
    const std::string fixEn = "Please modify the values\r\n(Hour must between 00:00 and 23:59)";
    const std::string fixFr =
        "Corriger l'heure de la purge\r\n(doit être comprise entre 00:00 et 23:59)";
    const std::tuple<std::int16_t, PurgeTimeChoice, std::string> cases[] = {
        {0, {"24", "30", kEveryDay}, fixEn},
        {1, {"hh", "mm", kEveryDay}, fixFr},
        // A time of day once the hours' valid change has hidden the minutes' error.
        {0, {"12", "30 PM", kEveryDay}, fixEn},
        {0, {"24", "30", kNoDay}, fixEn},
        {0, {"12", "30", kNoDay}, "Select at least one day"},
        {1, {"12", "30", kNoDay}, "Sélectionner au moins un jour"},
    };
    const std::string ini = "[Purge]\nHeure=03:30\nJours=17\n";
    for (const auto& [langue, choice, text] : cases) {
        Settings settings = StoredSettings(langue, "03:30", "17");
        MemoryConfigStore store(ini);
        const std::optional<MessageRequest> refusal = RunPurgeTimeOk(choice, settings, store);
        ASSERT_TRUE(refusal.has_value()) << choice.hours << ":" << choice.minutes;
        EXPECT_EQ(std::tie(refusal->text, refusal->title, refusal->icon),
                  std::make_tuple(text, "Quellix 1.0.0", MessageIcon::Exclamation));
        EXPECT_EQ(
            std::tie(settings.Heure, settings.PurgeMinute, settings.Jours, settings.DaysDisplayEn),
            std::make_tuple("03:30", 720, "17", " [Sat Sun] "));
        EXPECT_EQ(store.Text(), ini);
    }
}

TEST(RunPurgeTimeOk, StoresTheTimeAndDaysAndWritesHeureThenJours) {
    const std::tuple<PurgeTimeChoice, std::string, int, std::string, std::string> cases[] = {
        {{"00", "00", {false, true}}, "00:00", 0, "2", "Purge at 00:00 [Mon] "},
        {{"23", "59", kEveryDay},
         "23:59",
         1439,
         "1234567",
         "Purge at 23:59 [Mon Tue Wed Thu Fri Sat Sun] "},
        {{" 7.6", "5", kSaturdaySunday}, "08:05", 485, "17", "Purge at 08:05 [Sat Sun] "},
    };
    for (const auto& [choice, heure, minute, jours, label] : cases) {
        Settings settings = StoredSettings(0, "12:00", "1234567");
        MemoryConfigStore store;
        ASSERT_FALSE(RunPurgeTimeOk(choice, settings, store).has_value()) << heure;
        EXPECT_EQ(std::tie(settings.Heure, settings.PurgeMinute, settings.Jours),
                  std::tie(heure, minute, jours));
        EXPECT_EQ(PurgeTimeText(settings), label);
        EXPECT_EQ(store.Text(), "[Purge]\nHeure=" + heure + "\nJours=" + jours + "\n");
    }
}

}  // namespace
}  // namespace quellix
