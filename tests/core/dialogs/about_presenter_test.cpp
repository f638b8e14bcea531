#include "core/dialogs/about_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/recording_dialog_view.h"

namespace quellix {
namespace {

TEST(AboutPresenter, ShowsTheCreditLineInEitherLanguageAndOnlyCloses) {
    const std::tuple<std::int16_t, bool, std::string, std::string> cases[] = {
        {0, true, "About...",
         "Quellix 2.4.19 - delete or dispatch old files automatically and daily"},
        // The French title has no accent on its "A".
        {1, false, "A propos de...",
         "Quellix 2.4.19 - efface ou déplace automatiquement et quotidiennement les fichiers "
         "obsolètes"},
    };
    for (const auto& [langue, ok, title, credit] : cases) {
        Settings settings;
        settings.ProgramTitle = "Quellix 2.4.19";
        settings.Langue = langue;
        RecordingDialogView view;
        AboutPresenter presenter(view, settings);
        presenter.Load();
        EXPECT_EQ(std::make_tuple(view.Text("frmAbout"), view.Text("lblCredit"), view.Text("cmdOK"),
                                  view.focus),
                  std::make_tuple(title, credit, "&OK", "cmdOK"));
        ok ? presenter.OnOk() : presenter.OnCancel();
        EXPECT_EQ(view.closed, ok);
    }
}

}  // namespace
}  // namespace quellix
