#include "core/logview/log_viewer_presenter.h"

#include <gtest/gtest.h>

#include "support/recording_view_of.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

constexpr Colour kBlue = 0xFF0000;
constexpr Colour kPurple = 0x800080;

class RecordingLogViewerView final : public RecordingViewOf<LogViewerView> {
  public:
    void SetDates(const std::vector<DateLabel>& labels,
                  const std::vector<LabelPlace>& placed) override {
        dates = labels;
        hidden.assign(labels.size(), false);
        markers = placed;
        ++listings;
    }
    void SetDateColour(std::size_t index, Colour colour) override {
        dates.at(index).colour = colour;
    }
    void HideDate(std::size_t index) override { hidden.at(index) = true; }
    void MoveLabelsUp(int pixels) override { moves.push_back(pixels); }
    void ResetScroll(int maximum) override { scrollMaximum = maximum; }
    void SetScrollMaximum(int maximum) override { scrollMaximum = maximum; }
    int Height() const override { return height; }
    void ShowRemovePopup(const std::string& remove, const std::string& cancel) override {
        popup = {remove, cancel};
    }
    bool IsShown() const override { return shown; }
    void ShowAtTopRight() override { shown = true; }
    void BringBack() override { ++broughtBack; }

    std::vector<DateLabel> dates;
    std::vector<bool> hidden;
    std::vector<LabelPlace> markers;
    std::vector<int> moves;
    std::pair<std::string, std::string> popup;
    int listings = 0;
    int height = kLogViewerHeight;
    int scrollMaximum = -1;
    bool shown = false;
    int broughtBack = 0;
};

std::string LogName(int day) {
    return "Log Quellix 2009-05-0" + std::to_string(day) + ".htm";
}

// A viewer on a folder of logs, what it opened and did to the main window recorded.
struct Viewer {
    explicit Viewer(std::initializer_list<int> days, std::int16_t langue = 0) {
        settings.PathLogs = dir.Path();
        settings.ProgramTitle = "Quellix 2.4.19";
        settings.Langue = langue;
        for (const int day : days) {
            dir.Write(LogName(day), "<html>");
        }
    }
    LogViewerPresenter Presenter() {
        return LogViewerPresenter(
            view, settings,
            [this](const std::string& path) {
                opened.push_back(path);
                return true;
            },
            {[this] { ++minimized; }, [this] { ++restored; }, [this] { return mainVisible; }});
    }

    test::TempDir dir;
    Settings settings;
    RecordingLogViewerView view;
    std::vector<std::string> opened;
    int minimized = 0;
    int restored = 0;
    bool mainVisible = true;
};

// Four to a row, oldest first, the newest purple and open; while open the command only brings
// the viewer back; after closing it lists afresh.
TEST(LogViewerPresenter, ShowListsOpensTheNewestAndBringsBack) {
    Viewer v({3, 5, 1, 4, 2});
    LogViewerPresenter presenter = v.Presenter();
    presenter.OnShowCommand();
    EXPECT_TRUE(v.view.shown);
    EXPECT_EQ(v.view.Text("frmVoirLogs"), "Check Logs - [Back to Quellix: close] ->");
    const std::vector<DateLabel> expected = {
        {"2009-05-01", {8, 8}, kBlue},    {"2009-05-02", {72, 8}, kBlue},
        {"2009-05-03", {136, 8}, kBlue},  {"2009-05-04", {200, 8}, kBlue},
        {"2009-05-05", {8, 32}, kPurple},
    };
    EXPECT_EQ(v.view.dates, expected);
    EXPECT_EQ(v.view.markers, (std::vector<LabelPlace>{{72, 8}, {136, 8}, {200, 8}}));
    EXPECT_EQ(v.view.scrollMaximum, 2240 - kLogViewerHeight);
    EXPECT_EQ(v.opened, std::vector<std::string>{v.dir.File(LogName(5))});
    EXPECT_EQ(v.minimized, 0);

    v.dir.Write(LogName(6), "<html>");
    presenter.OnShowCommand();
    EXPECT_EQ(v.minimized, 1);
    EXPECT_EQ(v.view.broughtBack, 1);
    EXPECT_EQ(v.view.listings, 1);
    EXPECT_EQ(v.opened.size(), 1u);

    presenter.OnClosed();
    EXPECT_EQ(v.restored, 1);
    v.view.shown = false;
    presenter.OnShowCommand();
    EXPECT_EQ(v.view.listings, 2);
    ASSERT_EQ(v.view.dates.size(), 6u);
    EXPECT_EQ(v.view.dates[4].colour, kBlue);
    EXPECT_EQ(v.opened.back(), v.dir.File(LogName(6)));

    // No log at all: nothing shown, nothing opened.
    Viewer none({});
    LogViewerPresenter empty = none.Presenter();
    empty.OnShowCommand();
    EXPECT_TRUE(none.view.shown);
    EXPECT_TRUE(none.view.dates.empty());
    EXPECT_TRUE(none.opened.empty());
}

TEST(LogViewerPresenter, ClickOpensAndScrollMovesByTheDifference) {
    Viewer v({1, 2, 3});
    LogViewerPresenter presenter = v.Presenter();
    presenter.OnShowCommand();
    presenter.OnDateClicked(1);
    EXPECT_EQ(v.opened.back(), v.dir.File(LogName(2)));
    EXPECT_EQ(v.view.dates[1].colour, kPurple);
    EXPECT_EQ(v.view.dates[0].colour, kBlue);
    EXPECT_EQ(v.minimized, 1);
    // A main window already gone is not minimized again (it would come back iconic).
    v.mainVisible = false;
    presenter.OnDateClicked(0);
    EXPECT_EQ(v.minimized, 1);
    EXPECT_EQ(v.opened.size(), 3u);

    for (const int value : {10, 30, 0}) {
        presenter.OnScrolled(value);
    }
    EXPECT_EQ(v.view.moves, (std::vector<int>{10, 20, -30}));
    v.view.height = 3000;
    presenter.OnResized();
    EXPECT_EQ(v.view.scrollMaximum, 0);
}

// The pop-up knows Portuguese; the question follows the one language rule. Only Yes removes,
// and only the chosen date is hidden.
TEST(LogViewerPresenter, RightClickOffersRemovalAskedFirst) {
    struct Case {
        std::int16_t langue;
        const char* removeItem;
        const char* cancelItem;
        const char* question;
    };
    const Case cases[] = {
        {0, "Remove Log '2009-05-03'", "Cancel", "Remove Log '2009-05-03'"},
        {1, "Effacer le journal '2009-05-03'", "Annuler", "Effacer le journal '2009-05-03'"},
        {2, "Suprimir o jornal '2009-05-03'", "Cancelar", "Effacer le journal '2009-05-03'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.langue);
        Viewer v({1, 2, 3, 4, 5}, c.langue);
        LogViewerPresenter presenter = v.Presenter();
        presenter.OnShowCommand();
        presenter.OnDateRightClicked(2);
        EXPECT_EQ(v.view.popup,
                  std::make_pair(std::string(c.removeItem), std::string(c.cancelItem)));

        v.view.answers = {MessageAnswer::No, MessageAnswer::Yes};
        presenter.OnRemoveChosen();
        EXPECT_TRUE(v.dir.Exists(LogName(3)));
        EXPECT_EQ(v.view.hidden, std::vector<bool>(5, false));
        presenter.OnRemoveChosen();
        EXPECT_FALSE(v.dir.Exists(LogName(3)));
        EXPECT_EQ(v.view.hidden, (std::vector<bool>{false, false, true, false, false}));
        for (const int day : {1, 2, 4, 5}) {
            EXPECT_TRUE(v.dir.Exists(LogName(day))) << day;
        }
        ASSERT_EQ(v.view.asked.size(), 2u);
        const MessageRequest& asked = v.view.asked.back();
        EXPECT_EQ(asked.text, c.question);
        EXPECT_EQ(asked.title, "Quellix 2.4.19");
        EXPECT_EQ(asked.icon, MessageIcon::Question);
        EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    }
}

}  // namespace
}  // namespace quellix
