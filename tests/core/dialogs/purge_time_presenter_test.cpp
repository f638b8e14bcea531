#include "core/dialogs/purge_time_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/config/ini_file.h"
#include "support/recording_dialog_view.h"

namespace quellix {
namespace {

const std::string kIni = "[Purge]\nHeure=03:30\nJours=17\n";

Settings Stored(std::int16_t langue, const std::string& heure) {
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Langue = langue;
    settings.Heure = heure;
    settings.Jours = "17";
    settings.PurgeMinute = 210;
    return settings;
}

std::string Days(const RecordingDialogView& view) {
    std::string ticked;
    for (char day = '1'; day <= '7'; ++day) {
        ticked += view.Get(std::string("chkJours") + day).checked ? day : '-';
    }
    return ticked;
}

TEST(PurgeTimePresenter, OpensWithCaptionsDaysAndTheStoredTime) {
    // An unreadable time leaves the boxes' own texts.
    const std::tuple<std::int16_t, std::string, std::string, std::string, std::string> cases[] = {
        {0, "03:30", "Purge at...", "Wednesday", "03|30"},
        {1, "7:05", "Heure de purge", "Mercredi", "07|05"},
        {0, "24:00", "Purge at...", "Wednesday", "hh|mm"},
    };
    for (const auto& [langue, heure, title, wednesday, boxes] : cases) {
        Settings settings = Stored(langue, heure);
        MemoryConfigStore store(kIni);
        RecordingDialogView view;
        PurgeTimePresenter presenter(view, settings, store);
        presenter.Load();
        EXPECT_EQ(std::make_tuple(view.Text("frmHeure"), view.Text("chkJours4"),
                                  view.Text("txtHeures") + "|" + view.Text("txtMinutes"),
                                  Days(view), view.focus),
                  std::make_tuple(title, wednesday, boxes, "1-----7", "txtHeures"))
            << heure;
        EXPECT_FALSE(view.Get("lblErreur").visible);
        EXPECT_EQ(view.Get("lblErreur").colour, Colour{0x0000FF});
    }
}

// One opening walked through both refusals, in order, to the OK that stores and writes.
TEST(PurgeTimePresenter, RefusesInOrderThenStoresAndWrites) {
    const std::string fixTime = "Please modify the values\r\n(Hour must between 00:00 and 23:59)";
    Settings settings = Stored(0, "03:30");
    MemoryConfigStore store(kIni);
    RecordingDialogView view;
    PurgeTimePresenter presenter(view, settings, store);
    presenter.Load();

    struct Step {
        std::string control;
        std::string typed;  // empty: an arrow press (up when up), or OK with "cmdOK"
        bool up;
        std::string hours, minutes;
        std::string error;  // empty: the label hidden
        std::string refusal;
    };
    const Step steps[] = {
        {"txtHeures", "24", false, "24", "30", "Invalid value (Hours)", ""},
        {"cmdOK", "", false, "24", "30", "Invalid value (Hours)", fixTime},
        // A valid change of the other box hides the shared label; OK still refuses.
        {"txtMinutes", "", true, "24", "31", "", ""},
        {"cmdOK", "", false, "24", "31", "", fixTime},
        {"txtHeures", "", true, "24", "31", "", ""},
        {"txtHeures", "", false, "23", "31", "", ""},
        {"txtMinutes", "5", false, "23", "05", "", ""},
        {"txtMinutes", "7.6", false, "23", "08", "", ""},
        {"txtMinutes", "x", false, "23", "x", "Invalid value (Minutes)", ""},
        {"txtMinutes", "", false, "23", "x", "Invalid value (Minutes)", ""},
        {"txtMinutes", "59", false, "23", "59", "", ""},
        {"txtMinutes", "", true, "23", "59", "", ""},
        {"chkJours1", "", false, "23", "59", "", ""},
        {"chkJours7", "", false, "23", "59", "", ""},
        {"cmdOK", "", false, "23", "59", "", "Select at least one day"},
    };
    for (const Step& step : steps) {
        const std::size_t asked = view.asked.size();
        if (step.control == "cmdOK") {
            presenter.OnOk();
        } else if (step.control.starts_with("chk")) {
            view.At(step.control).checked = !view.At(step.control).checked;
        } else if (!step.typed.empty()) {
            view.At(step.control).text = step.typed;
            presenter.OnTextChanged(step.control);
        } else {
            presenter.OnStep(step.control, step.up);
        }
        const std::string refusal =
            view.asked.size() > asked ? view.asked.back().text : std::string();
        const std::string error = view.Get("lblErreur").visible ? view.Text("lblErreur") : "";
        EXPECT_EQ(std::make_tuple(view.Text("txtHeures"), view.Text("txtMinutes"), error, refusal),
                  std::tie(step.hours, step.minutes, step.error, step.refusal))
            << step.control << " " << step.typed;
        EXPECT_EQ(std::make_tuple(store.Text(), settings.Heure, view.closed, presenter.Accepted()),
                  std::make_tuple(kIni, "03:30", std::nullopt, false));
    }
    EXPECT_EQ(view.asked.back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.asked.back().title, "Quellix 1.0.0");

    view.At("chkJours2").checked = true;
    presenter.OnOk();
    EXPECT_EQ(std::make_tuple(settings.Heure, settings.PurgeMinute, settings.Jours,
                              settings.DaysDisplayEn, settings.DaysDisplayFr),
              std::make_tuple("23:59", 1439, "2", " [Mon] ", " [Lun] "));
    EXPECT_EQ(store.Text(), "[Purge]\nHeure=23:59\nJours=2\n");
    EXPECT_EQ(std::make_tuple(view.closed, presenter.Accepted()), std::make_tuple(true, true));

    RecordingDialogView cancelled;
    PurgeTimePresenter second(cancelled, settings, store);
    second.Load();
    cancelled.At("txtHeures").text = "01";
    second.OnCancel();
    EXPECT_EQ(std::make_tuple(cancelled.closed, second.Accepted(), settings.Heure),
              std::make_tuple(false, false, "23:59"));
}

}  // namespace
}  // namespace quellix
