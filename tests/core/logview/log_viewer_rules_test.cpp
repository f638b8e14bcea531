#include "core/logview/log_viewer_rules.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/purge/operation_log.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

std::string DayLogName(int month, int day) {
    platform::CivilTime date;
    date.year = 2009;
    date.month = month;
    date.day = day;
    return DayLogPath("", date);
}

// What the purge names its logs is what the viewer lists: by date, whatever the listing order.
// Nothing else is shown, or opened in the browser at once as the newest: not other files, nor
// names another user planted, nor files with a second name.
TEST(LogViewerList, TheProgramsOwnDayLogsOldestFirst) {
    test::TempDir dir;
    for (const int day : {5, 2, 4, 1, 3}) {
        dir.Write(DayLogName(5, day), "<html>");
    }
    dir.Write(DayLogName(4, 30), "<html>");
    for (const char* other :
         {"Log Quellix 2009-05-03 copy.htm", "Log Quellix notes.htm", "Log Quellix <b>AAAA.htm",
          "Log Quellix 2009-02-30.htm", "Log Quellix 2009-05-06.txt", "Log Other 2009-05-07.htm",
          "Log Quellix 2009-05-08.htm/inside"}) {
        dir.Write(other, "<script>");
    }
    const std::string linked = dir.Write("elsewhere/log", "<html>");
    ASSERT_EQ(link(linked.c_str(), dir.File("Log Quellix 2009-05-09.htm").c_str()), 0);
    if (geteuid() == 0) {
        const std::string theirs = dir.Write("Log Quellix 2099-12-31.htm", "<script>");
        ASSERT_EQ(lchown(theirs.c_str(), 65534, 65534), 0);
    }

    const std::vector<DayLog> logs = ListDayLogs(dir.Path());
    const std::vector<DayLog> expected = {
        {"2009-04-30", "Log Quellix 2009-04-30.htm"}, {"2009-05-01", "Log Quellix 2009-05-01.htm"},
        {"2009-05-02", "Log Quellix 2009-05-02.htm"}, {"2009-05-03", "Log Quellix 2009-05-03.htm"},
        {"2009-05-04", "Log Quellix 2009-05-04.htm"}, {"2009-05-05", "Log Quellix 2009-05-05.htm"},
    };
    EXPECT_EQ(logs, expected);
    EXPECT_TRUE(ListDayLogs(dir.File("missing")).empty());
    EXPECT_EQ(DayLogFile(dir.Path(), logs[5]), DayLogPath(dir.Path(), {2009, 5, 5}));

    // Removal takes the day's log and nothing but a log of the program's own.
    RemoveDayLog(dir.Path(), logs[3]);
    RemoveDayLog(dir.Path(), {"2009-06-01", "Log Quellix 2009-06-01.htm"});  // already gone
    RemoveDayLog(dir.Path(), {"2009-05-09", "Log Quellix 2009-05-09.htm"});
    RemoveDayLog(dir.Path(), {"notes.htm", "Log Quellix notes.htm"});
    EXPECT_FALSE(dir.Exists(DayLogName(5, 3)));
    EXPECT_TRUE(dir.Exists("Log Quellix 2009-05-03 copy.htm"));
    EXPECT_TRUE(dir.Exists("Log Quellix 2009-05-09.htm"));
    EXPECT_TRUE(dir.Exists("Log Quellix notes.htm"));
    EXPECT_EQ(ListDayLogs(dir.Path()).size(), expected.size() - 1);
}

TEST(LogViewerLayout, FourDatesToARowAtTheMarkersAndTheScrollRange) {
    struct Case {
        std::size_t index;
        LabelPlace place;
    };
    const Case cases[] = {
        {0, {8, 8}},   {1, {72, 8}},   {2, {136, 8}}, {3, {200, 8}},  {4, {8, 32}},
        {5, {72, 32}}, {7, {200, 32}}, {8, {8, 56}},  {13, {72, 80}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogLabelPlace(c.index), c.place) << c.index;
    }
    for (std::size_t marker = 0; marker < 3; ++marker) {
        EXPECT_EQ(ColumnMarkerPlace(marker), LogLabelPlace(marker + 1)) << marker;
    }
    // 33600 twips less the window's height.
    EXPECT_EQ(LogScrollMaximum(kLogViewerHeight), 2240 - 99);
    EXPECT_EQ(LogScrollMaximum(3000), 0);
}

TEST(LogViewerLayout, TopRightCornerClearOfTheTrayIcon) {
    const ScreenArea screen{0, 0, 1024, 768};
    struct Case {
        const char* what;
        std::optional<ScreenArea> tray;
        LabelPlace place;
    };
    const Case cases[] = {
        {"no tray", std::nullopt, {724, 0}},
        {"tray elsewhere", ScreenArea{0, 736, 32, 32}, {724, 0}},
        {"tray of no size", ScreenArea{1000, 0, 0, 0}, {724, 0}},
        {"tray in the corner", ScreenArea{992, 0, 32, 32}, {724, 32}},
        {"tray just left of the window", ScreenArea{692, 0, 32, 32}, {724, 0}},
        {"tray just inside the window", ScreenArea{693, 0, 32, 32}, {724, 32}},
        // A tray as tall as the screen leaves only its left.
        {"tray down the right edge", ScreenArea{992, 0, 32, 768}, {692, 0}},
        // Nowhere clear: the corner.
        {"tray across the top", ScreenArea{0, 0, 1024, 700}, {724, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogViewerPlace(screen, 300, 100, c.tray), c.place) << c.what;
    }
    // The free area's own corner, wherever it lies.
    EXPECT_EQ(LogViewerPlace({100, 50, 800, 600}, 300, 100, ScreenArea{868, 50, 32, 32}),
              (LabelPlace{600, 82}));
}

// Langue 2 has Portuguese pop-up entries only; the caption and the question follow the one rule
// (any value but 0 is French).
TEST(LogViewerTexts, ByLanguageWithPortugueseOnlyInThePopup) {
    struct Case {
        std::int16_t langue;
        const char* title;
        const char* removeItem;
        const char* cancel;
        const char* question;
    };
    const Case cases[] = {
        {0, "Check Logs - [Back to Quellix: close] ->", "Remove Log '2009-05-02'", "Cancel",
         "Remove Log '2009-05-02'"},
        {1, "Voir les journaux - [Retour à Quellix] ->", "Effacer le journal '2009-05-02'",
         "Annuler", "Effacer le journal '2009-05-02'"},
        {2, "Voir les journaux - [Retour à Quellix] ->", "Suprimir o jornal '2009-05-02'",
         "Cancelar", "Effacer le journal '2009-05-02'"},
        {3, "Voir les journaux - [Retour à Quellix] ->", "Effacer le journal '2009-05-02'",
         "Annuler", "Effacer le journal '2009-05-02'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.langue);
        Settings settings;
        settings.Langue = c.langue;
        settings.ProgramTitle = "Quellix 2.4.19";
        EXPECT_EQ(LogViewerTitle(settings), c.title);
        EXPECT_EQ(RemoveLogItem("2009-05-02", c.langue), c.removeItem);
        EXPECT_EQ(CancelItem(c.langue), c.cancel);
        const MessageRequest question = RemoveLogQuestion("2009-05-02", settings);
        EXPECT_EQ(question.text, c.question);
        EXPECT_EQ(question.title, "Quellix 2.4.19");
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    }
}

}  // namespace
}  // namespace quellix
