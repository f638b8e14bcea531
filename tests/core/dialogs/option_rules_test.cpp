#include "core/dialogs/option_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/config/ini_file.h"

namespace quellix {
namespace {

TEST(StepTempo, StopsAtOneAndSixtyAndSaysSoOnReachingThem) {
    const std::string max = "Maximal temporisation reached";
    const std::string min = "Minimal temporisation reached";
    const std::string huge(40, '9');
    // An empty message means the red label is hidden.
    const std::tuple<bool, std::string, std::int32_t, std::string> cases[] = {
        {true, "59", 60, max},       {true, "75", 60, max},       {true, "abc", 1, ""},
        {true, "30", 31, ""},        {true, "58.5", 60, max},     {true, "57.5", 58, ""},
        {true, huge, 60, max},       {false, "2", 1, min},        {false, "abc", 1, min},
        {false, "75", 74, ""},       {false, "2.5", 2, ""},       {false, "-5", 1, min},
        {false, "99999", 32767, ""}, {false, "-" + huge, 1, min},
    };
    for (const auto& [up, text, value, message] : cases) {
        const TempoStep got =
            up ? StepTempoUp(text, Language::English) : StepTempoDown(text, Language::English);
        EXPECT_EQ(std::make_tuple(got.value, got.limitMessage.value_or("")),
                  std::tie(value, message))
            << (up ? "up from " : "down from ") << text;
    }
    EXPECT_EQ(StepTempoUp("60", Language::French).limitMessage, "Temporisation maximale atteinte");
    EXPECT_EQ(StepTempoDown("1", Language::French).limitMessage, "Temporisation minimale atteinte");
}

TEST(RunTempoOk, AcceptsOneToSixtyAndRefusesTheRestWithTheText) {
    // 0 means refused.
    const std::tuple<std::string, std::int16_t> cases[] = {
        {"0.5", 0}, {"0", 0},   {"61", 0},  {"60.4", 0},  {"abc", 0}, {"99999999999", 0},
        {"1", 1},   {"60", 60}, {"1.4", 1}, {"59.5", 60}, {"2.5", 2}, {" 45 s", 45},
    };
    const std::string ini = "[Purge]\nTemporisation=30\n";
    for (const auto& [text, accepted] : cases) {
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Temporisation = 30;
        SchedulerState scheduler;
        scheduler.UpdateCountdown = 7;
        MemoryConfigStore store(ini);
        const auto refusal = RunTempoOk(text, settings, store, scheduler);
        EXPECT_EQ(refusal.has_value(), accepted == 0) << '"' << text << '"';
        if (accepted != 0) {
            EXPECT_EQ(std::tie(settings.Temporisation, scheduler.UpdateCountdown),
                      std::tie(accepted, accepted));
            EXPECT_EQ(store.Text(), "[Purge]\nTemporisation=" + std::to_string(accepted) + "\n");
        } else if (refusal) {
            EXPECT_EQ(
                std::tie(refusal->text, refusal->title, refusal->icon),
                std::make_tuple("Invalid value: " + text, "Quellix 1.0.0", MessageIcon::Critical));
            EXPECT_EQ(
                std::make_tuple(settings.Temporisation, scheduler.UpdateCountdown, store.Text()),
                std::make_tuple(30, 7, ini));
        }
    }
    Settings french;
    french.Langue = 1;
    MemoryConfigStore store;
    SchedulerState scheduler;
    EXPECT_EQ(RunTempoOk("x", french, store, scheduler)->text,
              "Valeur de temporisation incorrecte: x");
}

}  // namespace
}  // namespace quellix
