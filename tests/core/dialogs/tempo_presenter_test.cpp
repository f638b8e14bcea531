#include "core/dialogs/tempo_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/config/ini_file.h"
#include "support/recording_dialog_view.h"

namespace quellix {
namespace {

const std::string kIni = "[Purge]\nTemporisation=30\n";

// One opening walked through refusals and arrows to the OK that stores and writes.
TEST(TempoPresenter, OpensRefusesStepsAndStores) {
    Settings settings;
    settings.ProgramTitle = "Quellix 1.0.0";
    settings.Temporisation = 30;
    MemoryConfigStore store(kIni);
    SchedulerState scheduler;
    scheduler.UpdateCountdown = 12;
    RecordingDialogView view;
    TempoPresenter presenter(view, settings, store, scheduler);
    presenter.Load();
    const RecordingDialogView::Control red = view.Get("Label1");
    EXPECT_EQ(
        std::make_tuple(view.Text("frmTempo"), view.Text("lblChaque"), view.Text("Text1"), red.text,
                        red.visible, red.colour, view.focus),
        std::make_tuple("Quellix 1.0.0", "every", "30", "(only when main window is displayed!)",
                        true, Colour{0x0000FF}, "Text1"));

    // What the box holds, then: "ok", "up" or "down"; then the box and the red label after it
    // (empty when hidden) and the refusal shown (empty when none).
    const std::tuple<std::string, std::string, std::string, std::string, std::string> steps[] = {
        {"0.5", "ok", "0.5", "(only when main window is displayed!)", "Invalid value: 0.5"},
        {"61", "ok", "61", "(only when main window is displayed!)", "Invalid value: 61"},
        {"abc", "ok", "abc", "(only when main window is displayed!)", "Invalid value: abc"},
        {"abc", "up", "1", "", ""},
        {"59", "up", "60", "Maximal temporisation reached", ""},
        {"75", "up", "60", "Maximal temporisation reached", ""},
        {"30", "down", "29", "", ""},
        {"2", "down", "1", "Minimal temporisation reached", ""},
        {"abc", "down", "1", "Minimal temporisation reached", ""},
    };
    for (const auto& [typed, press, box, label, refusal] : steps) {
        const std::size_t asked = view.asked.size();
        view.At("Text1").text = typed;
        if (press == "ok") {
            presenter.OnOk();
        } else {
            presenter.OnStep(press == "up");
        }
        const std::string shown = view.asked.size() > asked ? view.asked.back().text : "";
        const std::string warning = view.Get("Label1").visible ? view.Text("Label1") : "";
        EXPECT_EQ(std::make_tuple(view.Text("Text1"), warning, shown),
                  std::tie(box, label, refusal))
            << typed << " " << press;
        EXPECT_EQ(std::make_tuple(settings.Temporisation, scheduler.UpdateCountdown, store.Text(),
                                  view.closed),
                  std::make_tuple(30, 12, kIni, std::nullopt));
    }
    EXPECT_EQ(std::tie(view.asked.back().title, view.asked.back().icon),
              std::make_tuple("Quellix 1.0.0", MessageIcon::Critical));

    view.At("Text1").text = "59.5";
    presenter.OnOk();
    EXPECT_EQ(std::make_tuple(settings.Temporisation, scheduler.UpdateCountdown, store.Text()),
              std::make_tuple(60, 60, "[Purge]\nTemporisation=60\n"));
    EXPECT_EQ(std::make_tuple(view.closed, presenter.Accepted()), std::make_tuple(true, true));

    RecordingDialogView cancelled;
    TempoPresenter second(cancelled, settings, store, scheduler);
    second.Load();
    second.OnStep(false);
    second.OnCancel();
    EXPECT_EQ(std::make_tuple(cancelled.closed, second.Accepted(), settings.Temporisation),
              std::make_tuple(false, false, 60));
}

}  // namespace
}  // namespace quellix
