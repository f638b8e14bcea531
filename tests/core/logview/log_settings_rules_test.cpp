#include "core/logview/log_settings_rules.h"

#include <gtest/gtest.h>

#include "core/config/ini_file.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

TEST(LogRetentionSteps, StopAtTwoAndThreeHundredSixtySixAndSaySo) {
    struct Case {
        bool up;
        const char* text;
        std::int16_t langue;
        std::int32_t value;
        const char* message;  // nullptr: hidden
    };
    const Case cases[] = {
        {false, "3", 0, 2, "Minimal value reached"},
        {false, "2", 0, 2, "Minimal value reached"},
        {false, "10", 0, 9, nullptr},
        {false, "abc", 1, 2, "Valeur minimale atteinte"},
        {false, "3", 2, 2, "Valor mínimo atingido"},
        {false, "3", 3, 2, "Valeur minimale atteinte"},  // any other non-zero value is French
        {true, "365", -1, 366, "Valeur maximale atteinte"},
        {true, "365", 0, 366, "Maximal value reached"},
        {true, "366", 1, 366, "Valeur maximale atteinte"},
        {true, "999999999999", 2, 366, "Valor máximo atingido"},
        {true, "9.5", 0, 10, nullptr},  // 10.5 to the even 10
        {true, "abc", 0, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.up ? "up from " : "down from ") << c.text);
        const LogRetentionStep step =
            c.up ? StepLogRetentionUp(c.text, c.langue) : StepLogRetentionDown(c.text, c.langue);
        EXPECT_EQ(step.value, c.value);
        EXPECT_EQ(step.limitMessage.has_value(), c.message != nullptr);
        if (c.message != nullptr && step.limitMessage) {
            EXPECT_EQ(*step.limitMessage, c.message);
        }
    }
}

TEST(LogSettingsOk, RefusesOutOfRangeAndWritesOnlyOnAcceptance) {
    test::TempDir dir;
    IniFile ini(dir.File("Quellix.ini"));
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.DelaiLogs = 10;
    for (const char* refused : {"1", "367", "abc", "", "1.9"}) {
        const auto refusal = RunLogRetentionOk(true, refused, settings, ini);
        ASSERT_TRUE(refusal) << refused;
        EXPECT_EQ(refusal->text, std::string("Invalid value: ") + refused);
        EXPECT_EQ(refusal->icon, MessageIcon::Critical);
    }
    EXPECT_FALSE(dir.Exists("Quellix.ini"));
    EXPECT_FALSE(settings.PurgeLogs);
    EXPECT_EQ(settings.DelaiLogs, 10);

    EXPECT_FALSE(RunLogRetentionOk(true, "2", settings, ini));
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Logs]\nPurgeLogs=1\nDelaiLogs=2\n");
    EXPECT_FALSE(RunLogRetentionOk(false, "365.5", settings, ini));
    EXPECT_EQ(dir.Read("Quellix.ini"), "[Logs]\nPurgeLogs=0\nDelaiLogs=366\n");
    EXPECT_EQ(settings.DelaiLogs, 366);

    settings.Langue = 1;
    EXPECT_EQ(RunLogRetentionOk(false, "0", settings, ini)->text, "Valeur incorrecte: 0");

    // The folder is kept whether the log is on or off, without its trailing slash.
    ApplyLogFolder(false, "/var/log/quellix/", settings, ini);
    EXPECT_FALSE(settings.Logs);
    EXPECT_EQ(settings.PathLogs, "/var/log/quellix");
    EXPECT_NE(dir.Read("Quellix.ini").find("Logs=0\n"), std::string::npos);
    EXPECT_NE(dir.Read("Quellix.ini").find("PathLogs=/var/log/quellix\n"), std::string::npos);
    ApplyLogFolder(true, "/", settings, ini);
    EXPECT_EQ(settings.PathLogs, "/");
}

}  // namespace
}  // namespace quellix
